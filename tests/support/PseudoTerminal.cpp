#include "PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <stdexcept>

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
    throw std::runtime_error("no pseudo-terminal");
  devicePath_ = ptsname(master_);
  // Held open so that the master sees no hang-up between the port's opens.
  slave_ = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal() {
  HangUp();
  if (slave_ >= 0) close(slave_);
}

void PseudoTerminal::Send(const std::string& bytes) {
  if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    throw std::runtime_error("pseudo-terminal write failed");
}

std::string PseudoTerminal::Receive(int waitMs) {
  std::string received;
  pollfd p{master_, POLLIN, 0};
  while (poll(&p, 1, waitMs) > 0 && (p.revents & POLLIN)) {
    char buffer[256];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    received.append(buffer, static_cast<size_t>(n));
    waitMs = 20;
  }
  return received;
}

void PseudoTerminal::HangUp() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}
