// DcbRecord.h brings windows.h.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include "DcbRecord.h"

namespace {

DWORD AsDword(int value) { return static_cast<DWORD>(value); }

}  // namespace

DCB BuildDcb(const LineSettings& s, int inputQueueSize) {
  // The driver tells the record's layout by its length: 28 bytes.
  static_assert(sizeof(DCB) == 28);
  DCB d{};
  d.DCBlength = sizeof(DCB);
  d.BaudRate = AsDword(BaudRateValue(s.baudRate, s.customBaudRate));
  d.ByteSize = static_cast<BYTE>(5 + s.dataBits);
  // The enumerations follow the driver's own codes in order.
  d.Parity = static_cast<BYTE>(s.parity);
  d.StopBits = static_cast<BYTE>(s.stopBits);
  // Windows drivers take nothing but binary mode.
  d.fBinary = 1;
  d.fParity = s.parityCheck;
  // A damaged character is replaced only when parity is checked at all.
  if (s.parityCheck && s.parityReplace) {
    d.fErrorChar = 1;
    d.ErrorChar = s.parityReplaceChar;
  }
  d.fNull = s.discardNull;
  d.fOutxCtsFlow = s.outCTSFlow;
  d.fOutxDsrFlow = s.outDSRFlow;
  d.fDtrControl = static_cast<DWORD>(s.controlDTR);
  d.fRtsControl = static_cast<DWORD>(s.controlRTS);
  d.fOutX = s.xonXoffOut;
  d.fInX = s.xonXoffIn;
  d.fDsrSensitivity = s.dsrSensitivity;
  d.fTXContinueOnXoff = s.txContinueOnXoff;
  // A line error must not stall every later transfer until ClearCommError.
  d.fAbortOnError = 0;
  d.XonChar = s.xonChar;
  d.XoffChar = s.xoffChar;
  // XOFF goes out when the queue is three quarters full, XON when it is down
  // to a quarter.
  const auto limit = static_cast<WORD>(inputQueueSize / 4);
  d.XonLim = limit;
  d.XoffLim = limit;
  d.EvtChar = s.eventChar;
  return d;
}

COMMTIMEOUTS BuildCommTimeouts(const TimeoutSettings& t) {
  COMMTIMEOUTS c{};
  c.ReadIntervalTimeout = AsDword(t.readInterval);
  c.ReadTotalTimeoutMultiplier = AsDword(t.readTotalMultiplier);
  c.ReadTotalTimeoutConstant = AsDword(t.readTotalConstant);
  c.WriteTotalTimeoutMultiplier = AsDword(t.writeTotalMultiplier);
  c.WriteTotalTimeoutConstant = AsDword(t.writeTotalConstant);
  return c;
}
