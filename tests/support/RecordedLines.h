#pragma once

// Lines of the record of changes as a tester left half-changed on COM3 by a
// switch from 220 V to 230 V leaves them: the first write acknowledged, the
// second lost with the tester.
inline constexpr char kTvaHalfChanged[] =
    R"({"time":"2026-12-07T10:00:00.000Z","program":"kavel-setup","version":"1.0.0.1",)"
    R"("computer":"bench","user":"tech","port":"COM3","versionText":"TVA-740 v2.01",)"
    R"("model":"TVA-740","change":"nominal voltage 220 V to 230 V","locations":[)"
    R"({"address":40,"before":"5C 87","written":"66 87","outcome":"written"},)"
    R"({"address":126,"before":"34 12","written":"3E 12","outcome":"unknown"}],)"
    R"("outcome":"half-changed"})"
    "\n";
inline constexpr char kDklHalfChanged[] =
    R"({"time":"2026-12-07T10:00:00.000Z","program":"kavel-cli","version":"1.0.0.1",)"
    R"("computer":"bench","user":"tech","port":"COM3","versionText":"DKL-310 v1.00",)"
    R"("model":"DKL-310","change":"nominal voltage 220 V to 230 V","locations":[)"
    R"({"address":112,"before":"01 12","written":"01 92","outcome":"written"},)"
    R"({"address":122,"before":"16 C2","written":"A4 7D","outcome":"unknown"}],)"
    R"("outcome":"half-changed"})"
    "\n";
