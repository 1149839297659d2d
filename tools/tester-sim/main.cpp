// tester-sim: a simulated tester on a pseudo-terminal, for people without one.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>

#include "TesterSimulator.h"

namespace {

constexpr const char kUsage[] =
    "Usage: tester-sim [options]\n"
    "Simulates a tester on a pseudo-terminal and prints the terminal's path.\n"
    "Serves until interrupted (Ctrl+C or SIGTERM).\n"
    "\n"
    "  --model TEXT       model in the version text: TVA-740 (default), DKL-310,\n"
    "                     DKL-330 or any other text\n"
    "  --firmware TEXT    firmware in the version text (default 2.01)\n"
    "  --eeprom FILE      EEPROM image of 256 bytes: loaded when the file exists,\n"
    "                     otherwise the model's default; saved after every write\n"
    "                     and on exit\n"
    "  --link PATH        also make PATH a symbolic link to the terminal\n"
    "  --paced            send at the real line rate (5 ms a character)\n"
    "  --fault KIND[:N][@REQUEST[:ADDRESS]]\n"
    "                     the next N exchanges (default: all) go wrong; KIND is\n"
    "                     no-answer, wrong-crc, short-reply, nak, noise or hang-up;\n"
    "                     REQUEST (version, read or write) and an EEPROM ADDRESS\n"
    "                     aim it at those requests only, as in nak:5@write:126;\n"
    "                     may repeat\n"
    "  --log              print every request received, in hex, on stderr\n"
    "  --help             show this text\n";

struct Options {
  std::string model = "TVA-740";
  std::string firmware = "2.01";
  std::string eepromFile;
  std::string link;
  bool paced = false;
  bool log = false;
  struct AimedFault {
    sim::Fault fault;
    int count;
    char command;
    int address;
  };
  std::vector<AimedFault> faults;
};

std::optional<sim::Fault> FaultNamed(const std::string& name) {
  if (name == "no-answer") return sim::Fault::NoAnswer;
  if (name == "wrong-crc") return sim::Fault::WrongCrc;
  if (name == "short-reply") return sim::Fault::ShortReply;
  if (name == "nak") return sim::Fault::Nak;
  if (name == "noise") return sim::Fault::Noise;
  if (name == "hang-up") return sim::Fault::HangUp;
  return std::nullopt;
}

// A decimal number from 0 to limit, digits only.
std::optional<int> NumberIn(const std::string& text, int limit) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int number = std::stoi(text);
  if (number > limit) return std::nullopt;
  return number;
}

std::optional<char> CommandNamed(const std::string& name) {
  if (name == "version") return 'V';
  if (name == "read") return 'o';
  if (name == "write") return 'z';
  return std::nullopt;
}

bool ParseFault(const std::string& text, Options& options) {
  const size_t at = text.find('@');
  const std::string what = text.substr(0, at);
  const size_t colon = what.find(':');
  const auto fault = FaultNamed(what.substr(0, colon));
  if (!fault) return false;
  int count = sim::kForever;
  if (colon != std::string::npos) {
    const auto number = NumberIn(what.substr(colon + 1), 999999);
    if (!number || *number == 0) return false;
    count = *number;
  }
  char command = 0;
  int address = sim::kAnyAddress;
  if (at != std::string::npos) {
    const std::string aim = text.substr(at + 1);
    const size_t split = aim.find(':');
    const auto kind = CommandNamed(aim.substr(0, split));
    if (!kind) return false;
    command = *kind;
    if (split != std::string::npos) {
      const auto cell = NumberIn(aim.substr(split + 1), 0xFFFF);
      if (!cell || command == 'V') return false;
      address = *cell;
    }
  }
  options.faults.push_back({*fault, count, command, address});
  return true;
}

// Fills options from the command line; exits with a message on a mistake.
Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << "tester-sim: " << arg << " needs a value\n" << kUsage;
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      std::exit(0);
    } else if (arg == "--model") {
      options.model = value();
    } else if (arg == "--firmware") {
      options.firmware = value();
    } else if (arg == "--eeprom") {
      options.eepromFile = value();
    } else if (arg == "--link") {
      options.link = value();
    } else if (arg == "--paced") {
      options.paced = true;
    } else if (arg == "--log") {
      options.log = true;
    } else if (arg == "--fault") {
      const std::string fault = value();
      if (!ParseFault(fault, options)) {
        std::cerr << "tester-sim: unknown fault " << fault << "\n" << kUsage;
        std::exit(2);
      }
    } else {
      std::cerr << "tester-sim: unknown option " << arg << "\n" << kUsage;
      std::exit(2);
    }
  }
  return options;
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char cell[4];
  for (unsigned char byte : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", byte);
    text += cell;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);

  // Block the stop signals before the simulator's thread starts, so that only
  // sigwait below receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    // Declared before the simulator, so it outlives the simulator's thread.
    std::mutex saving;
    sim::TesterSimulator tester(options.model, options.firmware);
    tester.SetPaced(options.paced);
    for (const auto& aimed : options.faults)
      tester.AddFault(aimed.fault, aimed.count, aimed.command, aimed.address);
    // The simulator's thread saves after each write, this one on exit.
    const auto save = [&tester, &saving, &file = options.eepromFile] {
      std::lock_guard guard(saving);
      tester.SaveEeprom(file);
    };
    if (!options.eepromFile.empty()) {
      if (std::filesystem::exists(options.eepromFile)) tester.LoadEeprom(options.eepromFile);
      save();
      tester.OnEepromWritten([save] {
        try {
          save();
        } catch (const std::exception& failure) {
          std::cerr << "tester-sim: " << failure.what() << "\n";
        }
      });
    }
    if (!options.link.empty()) {
      // Only a link, left by an earlier run, is replaced; a file is the user's.
      if (std::filesystem::is_symlink(options.link)) std::filesystem::remove(options.link);
      std::filesystem::create_symlink(tester.DevicePath(), options.link);
    }
    std::cout << tester.DevicePath() << std::endl;
    if (options.log) {
      std::cerr << "tester-sim: " << tester.VersionText() << " on " << tester.DevicePath() << "\n";
    }

    int signal = 0;
    size_t logged = 0;
    timespec tick{0, 200'000'000};
    siginfo_t info;
    for (;;) {
      signal = sigtimedwait(&stopSignals, &info, &tick);
      if (options.log) {
        const auto requests = tester.Requests();
        for (; logged < requests.size(); ++logged)
          std::cerr << "request: " << Hex(requests[logged]) << "\n";
      }
      if (signal > 0) break;
    }
    // No write, and so no save from the serving thread, after this.
    tester.Stop();
    if (!options.link.empty() && std::filesystem::is_symlink(options.link))
      std::filesystem::remove(options.link);
    if (!options.eepromFile.empty()) save();
  } catch (const std::exception& failure) {
    std::cerr << "tester-sim: " << failure.what() << "\n";
    return 1;
  }
  return 0;
}
