#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SimulatedFaults.h"

namespace sim {

// The simulated tester of the tests on Windows. A Windows program under Wine
// cannot hold a pseudo-terminal's far end, so the tester lives in a Linux
// process beside Wine (tester-sim-service) and this drives it over the
// loopback, with the calls the tests make of the simulator on Linux. The
// program reaches it through a COM name that Wine maps to a link the service
// points at the tester (Bind). KAVEL_TESTER_SERVICE names the file holding
// the service's port.
class TesterSimulator {
 public:
  explicit TesterSimulator(const std::string& model = "TVA-740",
                           const std::string& firmware = "2.01");
  ~TesterSimulator();
  TesterSimulator(const TesterSimulator&) = delete;
  TesterSimulator& operator=(const TesterSimulator&) = delete;

  // The Linux terminal the tester serves, as shown to a user on Linux.
  const std::string& DevicePath() const { return devicePath_; }
  // The COM name (one of those Wine maps for the tests) now leads here.
  void Bind(const std::string& portName);

  void SetModel(const std::string& model, const std::string& firmware);
  std::string VersionText() const;
  void SetPaced(bool paced);
  void AddFault(Fault fault, int count, char command = 0, int address = kAnyAddress);
  void ClearFaults();
  std::string Eeprom() const;
  void SetEeprom(const std::string& image);
  void SetEepromBytes(std::uint16_t address, const std::string& bytes);
  std::vector<std::string> Requests() const;
  void ClearRequests();
  void HangUp();

 private:
  // Sends one request line; the answer's value, or a failure of the test.
  std::string Ask(const std::string& request) const;

  std::uintptr_t socket_;
  std::string devicePath_;
  mutable std::string pending_;
};

}  // namespace sim
