#pragma once

#include <optional>
#include <ostream>
#include <string>

// --version and --help, answered before any window or display is needed:
// the exit status when the program should end here, nothing when it should
// start (any other argument, Qt's own included, starts it as before).
std::optional<int> AnswerCommandLine(int argc, char** argv, const std::string& version,
                                     const std::string& settingsPath,
                                     const std::string& recordPath, std::ostream& out);
