#include "CommandLine.h"

#include "PortNames.h"

std::optional<int> AnswerCommandLine(int argc, char** argv, const std::string& version,
                                     const std::string& settingsPath,
                                     const std::string& recordPath, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--version") {
      out << "kavel-setup " << version << "\n";
      return 0;
    }
    if (argument == "--help" || argument == "-h") {
      out << "Usage: kavel-setup\n"
             "Configures the maker's electrical-installation testers (TVA-740, DKL-310)\n"
             "over a serial line: identifies the tester, and sets its nominal mains\n"
             "voltage and the measurements of its automatic RCD test sequence.\n"
             "\n"
             "Settings file: "
          << settingsPath
          << "\n"
             "  Choose the port and the device in the Option dialog."
          << kPortNamesHelp
          << "\n"
             "Record of changes: "
          << (recordPath.empty() ? "none (no folder for it)" : recordPath)
          << "\n"
             "  Every change made to a tester; a change cut short is offered for\n"
             "  putting right before the tester is changed again.\n"
             "\n"
             "  --help     show this text\n"
             "  --version  show the program's version\n";
      return 0;
    }
  }
  return std::nullopt;
}
