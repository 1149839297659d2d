#pragma once

#include <string>

#include "RecordFileSystem.h"

// The record's line of a switch from 220 V to 230 V made on this computer
// on COM3 and cut short as a tester gone leaves it: the first write
// acknowledged, the second lost with the tester.
inline std::string TvaHalfChangedLine() {
  return R"({"id":"7d0c0a1e","time":"2026-12-07T10:00:00.000Z","program":"kavel-setup",)"
         R"("version":"1.0.0.1","computer":")" +
         ComputerName() +
         R"(","user":"tech","port":"COM3","versionText":"TVA-740 v2.01",)"
         R"("model":"TVA-740","action":"change","setting":"nominal-voltage","from":220,"to":230,)"
         R"("change":"nominal voltage 220 V to 230 V","locations":[)"
         R"({"address":40,"before":"5C 87","written":"66 87","outcome":"written"},)"
         R"({"address":126,"before":"34 12","written":"3E 12","outcome":"unknown"}],)"
         R"("outcome":"half-changed"})"
         "\n";
}
inline std::string DklHalfChangedLine() {
  return R"({"id":"9b3f52c4","time":"2026-12-07T10:00:00.000Z","program":"kavel-cli",)"
         R"("version":"1.0.0.1","computer":")" +
         ComputerName() +
         R"(","user":"tech","port":"COM3","versionText":"DKL-310 v1.00",)"
         R"("model":"DKL-310","action":"change","setting":"nominal-voltage","from":220,"to":230,)"
         R"("change":"nominal voltage 220 V to 230 V","locations":[)"
         R"({"address":112,"before":"01 12","written":"01 92","outcome":"written"},)"
         R"({"address":122,"before":"16 C2","written":"A4 7D","outcome":"unknown"}],)"
         R"("outcome":"half-changed"})"
         "\n";
}
