#include "TermiosRecord.h"

#include <array>
#include <utility>

namespace {

std::optional<speed_t> SpeedFor(int bitsPerSecond) {
  static constexpr std::array<std::pair<int, speed_t>, 12> kSpeeds = {{
      {110, B110},
      {300, B300},
      {600, B600},
      {1200, B1200},
      {2400, B2400},
      {4800, B4800},
      {9600, B9600},
      {19200, B19200},
      {38400, B38400},
      {57600, B57600},
      {115200, B115200},
      {230400, B230400},
  }};
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == bitsPerSecond) return speed;
  }
  return std::nullopt;
}

tcflag_t CharacterSize(TDataBits bits) {
  switch (bits) {
    case dbFive:
      return CS5;
    case dbSix:
      return CS6;
    case dbSeven:
      return CS7;
    case dbEight:
      return CS8;
  }
  return CS8;
}

tcflag_t ParityFlags(TParityBits parity) {
  switch (parity) {
    case prNone:
      return 0;
    case prOdd:
      return PARENB | PARODD;
    case prEven:
      return PARENB;
    // Mark and space are "stick" parity: the parity bit fixed at 1 or 0.
    case prMark:
      return PARENB | PARODD | CMSPAR;
    case prSpace:
      return PARENB | CMSPAR;
  }
  return 0;
}

}  // namespace

std::optional<termios> BuildTermios(const LineSettings& s) {
  const auto speed = SpeedFor(BaudRateValue(s.baudRate, s.customBaudRate));
  if (!speed) return std::nullopt;

  termios t{};
  // Raw bytes both ways: no line editing, no echo, no translation of CR/LF,
  // no signals from received characters.
  cfmakeraw(&t);
  // Receiver on; ignore the modem's carrier line so an optical cable without
  // it still receives.
  t.c_cflag |= CREAD | CLOCAL;
  cfsetispeed(&t, *speed);
  cfsetospeed(&t, *speed);

  t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
  t.c_cflag |= CharacterSize(s.dataBits) | ParityFlags(s.parity);
  // One and a half stop bits exist only with 5 data bits, where the UART
  // gives them for CSTOPB.
  if (s.stopBits != sbOneStopBit) t.c_cflag |= CSTOPB;

  // Parity errors are detected but the character still arrives as one byte
  // (no IGNPAR, no PARMRK): the byte count of a reply holds and the frame's
  // CRC rejects it.
  t.c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY);
  if (s.parityCheck) t.c_iflag |= INPCK;

  // Hardware handshake: the transmitter waits for CTS, and RTS follows the
  // receive queue.
  if (s.outCTSFlow || s.controlRTS == rtsHandshake) t.c_cflag |= CRTSCTS;

  if (s.xonXoffOut) t.c_iflag |= IXON;
  if (s.xonXoffIn) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = static_cast<cc_t>(s.xonChar);
  t.c_cc[VSTOP] = static_cast<cc_t>(s.xoffChar);

  // Reads are timed by poll on a non-blocking descriptor; a read returns as
  // soon as one byte is there.
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  return t;
}
