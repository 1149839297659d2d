#pragma once

#include <termios.h>

#include <string>

#include "TransferLimits.h"

// One open serial device and every system call made on it. Each operation
// answers 0 or the errno of the call that failed; turning that into the
// port's own failures is the caller's business.
class SerialDevice {
 public:
  SerialDevice() = default;
  ~SerialDevice();
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  // Opens the device for exclusive use; a device already in use by another
  // open, in this process or another, is refused.
  [[nodiscard]] int Open(const std::string& path);
  // Gives the terminal back with the settings it had before Open.
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  [[nodiscard]] int Configure(const termios& record);
  [[nodiscard]] int Flush(bool input, bool output);
  // Raises or lowers DTR or RTS (TIOCM_DTR, TIOCM_RTS). A device without
  // modem-control lines, such as a pseudo-terminal, has nothing to set.
  [[nodiscard]] int SetModemLine(int line, bool raised);
  [[nodiscard]] int ReadModemStatus(int& lines);
  [[nodiscard]] int QueuedInput(int& count);

  // Sends data until all of it is written or the limits end the transfer;
  // written tells how much went out.
  [[nodiscard]] int Write(const std::string& data, const TransferLimits& limits, int& written);
  // Receives up to count bytes into data (replacing it) until count or the
  // limits. A hang-up of the other end is a failure (EIO).
  [[nodiscard]] int Read(std::string& data, int count, const TransferLimits& limits);

 private:
  int fd_ = -1;
  termios before_{};
  bool restore_ = false;
};
