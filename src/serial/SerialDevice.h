#pragma once

#include <memory>
#include <string>

#include "ComTypes.h"
#include "TransferLimits.h"

enum class ModemLine { DTR, RTS };

// One open serial device and every system call made on it, one
// implementation per platform. Each operation answers 0 or the system's own
// error number of the call that failed (errno, or GetLastError on Windows);
// turning that into the port's own failures is the caller's business.
class SerialDevice {
 public:
  // The error of an open of a name that leads to no device.
  static const int kNoSuchDevice;
  // True for the error of a device that has gone (a pulled cable, an
  // unplugged USB adapter, the far end of a pseudo-terminal closed): every
  // later call on it fails the same way.
  static bool IsHangUp(int error);

  SerialDevice();
  ~SerialDevice();
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  // Opens the device for exclusive use; a device already in use by another
  // open, in this process or another, is refused.
  [[nodiscard]] int Open(const std::string& path);
  // Gives the device back with the settings it had before Open.
  void Close();
  bool IsOpen() const;

  // The driver's queue sizes, where the system has them.
  [[nodiscard]] int SetQueueSizes(int input, int output);
  // The line settings; a line the device cannot take fails.
  [[nodiscard]] int Configure(const LineSettings& line);
  // The time-outs every later read and write keeps.
  [[nodiscard]] int SetTimeouts(const TimeoutSettings& timeouts);
  [[nodiscard]] int Flush(bool input, bool output);
  // Raises or lowers DTR or RTS. A device without modem-control lines, such
  // as a pseudo-terminal, has nothing to set.
  [[nodiscard]] int SetModemLine(ModemLine line, bool raised);
  [[nodiscard]] int ReadModemStatus(int& lines);
  [[nodiscard]] int QueuedInput(int& count);

  // Sends data until all of it is written or the limits end the transfer;
  // written tells how much went out.
  [[nodiscard]] int Write(const std::string& data, const TransferLimits& limits, int& written);
  // Receives up to count bytes into data (replacing it) until count or the
  // limits. A hang-up of the other end is a failure.
  [[nodiscard]] int Read(std::string& data, int count, const TransferLimits& limits);

 private:
  struct State;  // the platform's handle and what it must give back
  std::unique_ptr<State> state_;
};
