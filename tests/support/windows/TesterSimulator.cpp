#include "TesterSimulator.h"

#include <winsock2.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "HexText.h"

namespace sim {

namespace {

// The service's port, from the file the service wrote (a Linux path, which
// Wine shows on drive Z:).
unsigned short ServicePort() {
  const char* file = std::getenv("KAVEL_TESTER_SERVICE");
  if (!file) throw std::runtime_error("KAVEL_TESTER_SERVICE is not set");
  unsigned short port = 0;
  if (!(std::ifstream(std::string("Z:") + file) >> port))
    throw std::runtime_error(std::string("no port in ") + file);
  return port;
}

}  // namespace

TesterSimulator::TesterSimulator(const std::string& model, const std::string& firmware) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(ServicePort());
  if (connection == INVALID_SOCKET ||
      connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("the tester service does not answer");
  socket_ = connection;
  devicePath_ = FromHex(Ask("new " + ToHex(model) + " " + ToHex(firmware)));
}

// Closing the connection ends the tester.
TesterSimulator::~TesterSimulator() {
  closesocket(static_cast<SOCKET>(socket_));
  WSACleanup();
}

std::string TesterSimulator::Ask(const std::string& request) const {
  const std::string line = request + "\n";
  const auto connection = static_cast<SOCKET>(socket_);
  if (send(connection, line.data(), static_cast<int>(line.size()), 0) !=
      static_cast<int>(line.size()))
    throw std::runtime_error("the tester service went away");
  size_t end;
  while ((end = pending_.find('\n')) == std::string::npos) {
    char buffer[4096];
    const int count = recv(connection, buffer, sizeof buffer, 0);
    if (count <= 0) throw std::runtime_error("the tester service went away");
    pending_.append(buffer, static_cast<size_t>(count));
  }
  const std::string answer = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  if (answer.rfind("ok", 0) != 0) throw std::runtime_error("tester service: " + answer);
  return answer.size() > 3 ? answer.substr(3) : "";
}

void TesterSimulator::Bind(const std::string& portName) { Ask("bind " + portName); }

void TesterSimulator::SetModel(const std::string& model, const std::string& firmware) {
  Ask("model " + ToHex(model) + " " + ToHex(firmware));
}

std::string TesterSimulator::VersionText() const { return FromHex(Ask("version")); }

void TesterSimulator::SetPaced(bool paced) { Ask(paced ? "paced 1" : "paced 0"); }

void TesterSimulator::AddFault(Fault fault, int count, char command, int address) {
  std::ostringstream request;
  request << "fault " << static_cast<int>(fault) << " " << count << " " << int{command} << " "
          << address;
  Ask(request.str());
}

void TesterSimulator::ClearFaults() { Ask("clear-faults"); }

std::string TesterSimulator::Eeprom() const { return FromHex(Ask("eeprom")); }

void TesterSimulator::SetEeprom(const std::string& image) { Ask("set-eeprom " + ToHex(image)); }

void TesterSimulator::SetEepromBytes(std::uint16_t address, const std::string& bytes) {
  Ask("set-bytes " + std::to_string(address) + " " + ToHex(bytes));
}

std::vector<std::string> TesterSimulator::Requests() const {
  std::istringstream words(Ask("requests"));
  std::vector<std::string> requests;
  for (std::string word; words >> word;) requests.push_back(FromHex(word));
  return requests;
}

void TesterSimulator::ClearRequests() { Ask("clear-requests"); }

void TesterSimulator::HangUp() { Ask("hang-up"); }

}  // namespace sim
