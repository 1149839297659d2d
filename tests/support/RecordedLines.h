#pragma once

#include <string>

#include "ChangeLine.h"
#include "RecordFileSystem.h"

// The record's line every test builds on: a switch from 220 V to 230 V made
// on this computer on COM3 and cut short as a tester gone leaves it, the
// first write acknowledged, the second lost with the tester. A test changes
// what its case is about.
inline ChangeLine HalfChangedLine(const std::string& model = "TVA-740") {
  ChangeLine line;
  line.time = "2026-12-07T10:00:00.000Z";
  line.version = "1.0.0.1";
  line.computer = ComputerName();
  line.user = "tech";
  line.port = "COM3";
  line.model = model;
  line.action = kActionChange;
  line.setting = kSettingVoltage;
  line.from = 220;
  line.to = 230;
  line.change = "nominal voltage 220 V to 230 V";
  line.outcome = kOutcomeHalfChanged;
  if (model == "DKL-310") {
    // The voltage bit of the settings block, then the block's CRC.
    line.id = "9b3f52c4";
    line.program = "kavel-cli";
    line.versionText = "DKL-310 v1.00";
    line.locations = {{112, "01 12", "01 92", "", "written"}, {122, "16 C2", "A4 7D", "", "unknown"}};
  } else {
    // The voltage word, then its balance word.
    line.id = "7d0c0a1e";
    line.program = "kavel-setup";
    line.versionText = "TVA-740 v2.01";
    line.locations = {{40, "5C 87", "66 87", "", "written"}, {126, "34 12", "3E 12", "", "unknown"}};
  }
  return line;
}

// The line as a record file holds it.
inline std::string RecordedText(const ChangeLine& line) { return ToJsonLine(line) + "\n"; }

inline std::string TvaHalfChangedLine() { return RecordedText(HalfChangedLine()); }
inline std::string DklHalfChangedLine() { return RecordedText(HalfChangedLine("DKL-310")); }
