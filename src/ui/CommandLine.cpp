#include "CommandLine.h"

std::optional<int> AnswerCommandLine(int argc, char** argv, const std::string& version,
                                     const std::string& settingsPath, std::ostream& out) {
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
             "  Choose the port and the device in the Option dialog. To give a port\n"
             "  name a device of your choice, add a section to that file:\n"
             "    [Ports]\n"
             "    COM3=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1234567-if00-port0\n"
             "  The user needs access to the device: membership of the dialout group.\n"
             "\n"
             "Without a tester: tester-sim --link /tmp/tester simulates one; bind it\n"
             "with COM1=/tmp/tester in the [Ports] section.\n"
             "\n"
             "  --help     show this text\n"
             "  --version  show the program's version\n";
      return 0;
    }
  }
  return std::nullopt;
}
