#pragma once

#include <string>

// A bare pseudo-terminal pair for port tests: the test plays the far end on
// the master side.
class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& DevicePath() const { return devicePath_; }
  void Send(const std::string& bytes);
  // Everything that has arrived from the port within waitMs.
  std::string Receive(int waitMs);
  void HangUp();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string devicePath_;
};
