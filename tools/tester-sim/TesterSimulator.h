#pragma once

#include <termios.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "SimulatedFaults.h"

namespace sim {

// A stand-in for a tester on the far end of a pseudo-terminal, serving the
// version request, the EEPROM read and the EEPROM write on a thread of its
// own. It answers only a complete request with a correct CRC, as the real
// tester does.
class TesterSimulator {
 public:
  // firmware goes into characters 10 to 13 of the version text as given,
  // padded with blanks.
  explicit TesterSimulator(const std::string& model = "TVA-740",
                           const std::string& firmware = "2.01");
  ~TesterSimulator();
  TesterSimulator(const TesterSimulator&) = delete;
  TesterSimulator& operator=(const TesterSimulator&) = delete;

  // The pseudo-terminal the program opens, such as /dev/pts/4.
  const std::string& DevicePath() const { return devicePath_; }

  // Another tester plugged in; the EEPROM stays as it is.
  void SetModel(const std::string& model, const std::string& firmware);
  std::string VersionText() const;

  // Replies at the real line rate: 5 ms a character, after the whole request
  // has had the time to arrive.
  void SetPaced(bool paced);

  // The next count exchanges (kForever: every one) go wrong; command limits
  // the fault to one kind of request ('V', 'o' or 'z'; 0 for all), address to
  // the reads or writes of one EEPROM address. Faults queue up and are used
  // in the order given.
  void AddFault(Fault fault, int count, char command = 0, int address = kAnyAddress);
  void ClearFaults();

  std::string Eeprom() const;  // all 256 bytes
  void SetEeprom(const std::string& image);
  std::string EepromBytes(std::uint16_t address, size_t count) const;
  void SetEepromBytes(std::uint16_t address, const std::string& bytes);
  // Raise std::runtime_error when the file cannot be read or written.
  void LoadEeprom(const std::string& path);
  void SaveEeprom(const std::string& path) const;
  // Called on the simulator's thread after every EEPROM write; never after
  // Stop has returned.
  void OnEepromWritten(std::function<void()> callback);

  // Every complete request received, correct or not, in order.
  std::vector<std::string> Requests() const;
  void ClearRequests();

  // The line settings the program left on the terminal.
  termios TerminalSettings() const;

  // Pulls the cable: the program's end of the line hangs up for good.
  void HangUp();

  // Stops serving; the destructor does it too.
  void Stop();

  // Default EEPROM content that a tester of this model would hold.
  static std::string DefaultEeprom(const std::string& model);

 private:
  struct PendingFault {
    Fault fault;
    int count;
    char command;
    int address;
  };
  // A descriptor closed with its owner, also when a constructor throws.
  struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();
    void Close();
  };
  using Clock = std::chrono::steady_clock;

  void Serve();
  void HandleFrame(const std::string& frame, Clock::time_point firstByteAt);
  bool TakeFault(const std::string& payload, Fault& fault);
  // Closes the master side; on the serving thread only, under the lock.
  void CloseMaster();
  // Carries out a correct request and answers with its reply.
  std::string Perform(const std::string& payload);
  void Send(const std::string& reply, Clock::time_point requestEnd);

  mutable std::mutex lock_;
  std::string model_;
  std::string firmware_;
  std::array<std::uint8_t, kEepromSize> eeprom_{};
  std::deque<PendingFault> faults_;
  std::vector<std::string> requests_;
  std::function<void()> onWrite_;
  bool paced_ = false;

  // Both only change on the serving thread, which owns the master side.
  bool stopping_ = false;
  bool serving_ = true;  // false once the serving thread has ended
  bool hangUpWanted_ = false;
  std::condition_variable hungUp_;

  Descriptor master_;
  Descriptor slave_;      // held so the master never sees a hang-up between programs
  Descriptor wakeEvent_;  // wakes the serving thread to stop or hang up
  std::string devicePath_;
  std::thread thread_;
};

// The version text a simulator of this model and firmware answers with.
std::string VersionTextFor(const std::string& model, const std::string& firmware);

}  // namespace sim
