// tester-sim-service: simulated testers for programs that cannot open a
// pseudo-terminal's far end themselves, such as Windows programs under Wine.
//   tester-sim-service PORT_FILE LINK_FOLDER
// Listens on a free TCP port of 127.0.0.1, writes its number to PORT_FILE and
// serves until it is ended. Each connection gets a tester of its own, gone
// when the connection closes, and drives it with lines of text; texts and
// bytes travel in hexadecimal. Every request is answered by "ok", "ok VALUE"
// or "error WHY":
//   new MODEL FIRMWARE          the connection's tester (first of all); VALUE:
//                               its terminal's path
//   bind NAME                   LINK_FOLDER/NAME becomes a link to its terminal
//   model MODEL FIRMWARE | version | paced 0|1
//   fault KIND COUNT COMMAND ADDRESS | clear-faults   (numbers as in the simulator)
//   eeprom | set-eeprom BYTES | set-bytes ADDRESS BYTES
//   requests (VALUE: the requests, blank-separated) | clear-requests | hang-up
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "HexText.h"
#include "TesterSimulator.h"

namespace {

class Session {
 public:
  Session(int socket, std::filesystem::path links) : socket_(socket), links_(std::move(links)) {}
  ~Session() { close(socket_); }

  void Serve() {
    std::string line;
    while (ReadLine(line)) {
      std::string answer;
      try {
        answer = "ok" + Perform(line);
      } catch (const std::exception& failure) {
        answer = std::string("error ") + failure.what();
      }
      answer += '\n';
      if (send(socket_, answer.data(), answer.size(), MSG_NOSIGNAL) < 0) break;
    }
  }

 private:
  // The value after "ok", with its blank, or "".
  std::string Perform(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    auto hexWord = [&] {
      std::string word;
      words >> word;
      return sim::FromHex(word);
    };
    auto number = [&] {
      long value = 0;
      if (!(words >> value)) throw std::invalid_argument("number expected");
      return static_cast<int>(value);
    };
    if (command == "new") {
      const std::string model = hexWord();
      tester_ = std::make_unique<sim::TesterSimulator>(model, hexWord());
      return " " + sim::ToHex(tester_->DevicePath());
    }
    if (!tester_) throw std::logic_error("no tester yet");
    if (command == "bind") {
      std::string name;
      words >> name;
      const auto link = links_ / name;
      std::filesystem::remove(link);
      std::filesystem::create_symlink(tester_->DevicePath(), link);
    } else if (command == "model") {
      const std::string model = hexWord();
      tester_->SetModel(model, hexWord());
    } else if (command == "version") {
      return " " + sim::ToHex(tester_->VersionText());
    } else if (command == "paced") {
      tester_->SetPaced(number() != 0);
    } else if (command == "fault") {
      const auto kind = static_cast<sim::Fault>(number());
      const int count = number();
      const auto request = static_cast<char>(number());
      tester_->AddFault(kind, count, request, number());
    } else if (command == "clear-faults") {
      tester_->ClearFaults();
    } else if (command == "eeprom") {
      return " " + sim::ToHex(tester_->Eeprom());
    } else if (command == "set-eeprom") {
      tester_->SetEeprom(hexWord());
    } else if (command == "set-bytes") {
      const auto address = static_cast<std::uint16_t>(number());
      tester_->SetEepromBytes(address, hexWord());
    } else if (command == "requests") {
      std::string value;
      for (const auto& request : tester_->Requests()) value += " " + sim::ToHex(request);
      return value;
    } else if (command == "clear-requests") {
      tester_->ClearRequests();
    } else if (command == "hang-up") {
      tester_->HangUp();
    } else {
      throw std::invalid_argument("unknown request " + command);
    }
    return "";
  }

  bool ReadLine(std::string& line) {
    for (;;) {
      const size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return true;
      }
      char buffer[4096];
      const ssize_t count = recv(socket_, buffer, sizeof buffer, 0);
      if (count <= 0) return false;
      pending_.append(buffer, static_cast<size_t>(count));
    }
  }

  int socket_;
  std::filesystem::path links_;
  std::string pending_;
  std::unique_ptr<sim::TesterSimulator> tester_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tester-sim-service PORT_FILE LINK_FOLDER\n";
    return 2;
  }
  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::perror("tester-sim-service");
    return 1;
  }
  // Written whole under another name first: a reader never sees half of it.
  const std::string portFile = argv[1];
  std::ofstream(portFile + ".new") << ntohs(address.sin_port) << "\n";
  std::filesystem::rename(portFile + ".new", portFile);
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::thread([connection, links = std::filesystem::path(argv[2])] {
      Session(connection, links).Serve();
    }).detach();
  }
}
