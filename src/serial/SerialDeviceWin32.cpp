// The serial device on Windows: a COM port driven through the communications
// functions of kernel32, with overlapped reads and writes.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>

#include "DcbRecord.h"
#include "SerialDevice.h"

namespace {

// How long past its own time-out a transfer may take before it is cancelled:
// the driver ends it on time; a driver that does not is asked to cancel it,
// and the transfer's record is given up only once the driver lets it go.
constexpr std::int64_t kDriverSlackMs = 1000;

// A device without modem-control lines (a pseudo-terminal under Wine) refuses
// the line calls as unsupported.
bool HasNoModemLines(DWORD error) { return error == ERROR_NOT_SUPPORTED; }

int LastError() { return static_cast<int>(GetLastError()); }

// Wine publishes its version through ntdll; Windows itself has no such entry.
bool RunsUnderWine() {
  static const bool wine =
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

// The line settings that decide what goes over the wire. Parity is not among
// them: a pseudo-terminal drops the parity it is given, and Wine reports the
// parity check (fParity) from that same lost flag.
bool HoldsApartFromParity(const DCB& device, const DCB& wanted) {
  return device.BaudRate == wanted.BaudRate && device.ByteSize == wanted.ByteSize &&
         device.StopBits == wanted.StopBits && device.fOutxCtsFlow == wanted.fOutxCtsFlow &&
         device.fOutX == wanted.fOutX && device.fInX == wanted.fInX &&
         device.XonChar == wanted.XonChar && device.XoffChar == wanted.XoffChar;
}

DWORD WaitBound(const TransferLimits& limits) {
  if (limits.totalMs < 0) return INFINITE;
  return static_cast<DWORD>(std::min<std::int64_t>(limits.totalMs + kDriverSlackMs, INFINITE - 1));
}

// One overlapped transfer: its completion event, manual reset and created
// signalled, lives as long as the transfer.
class Transfer {
 public:
  explicit Transfer(HANDLE device) : device_(device) {
    overlapped_.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  }
  ~Transfer() {
    if (overlapped_.hEvent) CloseHandle(overlapped_.hEvent);
  }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  OVERLAPPED* Record() { return overlapped_.hEvent ? &overlapped_ : nullptr; }

  // Answers 0 or the error of the transfer that ReadFile or WriteFile started
  // (started: what it returned), with the bytes moved in done.
  int Finish(BOOL started, const TransferLimits& limits, DWORD& done) {
    done = 0;
    if (!started && GetLastError() != ERROR_IO_PENDING) return LastError();
    const DWORD waited = WaitForSingleObject(overlapped_.hEvent, WaitBound(limits));
    const int waitError = waited == WAIT_FAILED ? LastError() : 0;
    // A transfer still running is ended before its record goes away.
    if (waited != WAIT_OBJECT_0) CancelIoEx(device_, &overlapped_);
    const BOOL finished = GetOverlappedResult(device_, &overlapped_, &done, TRUE);
    if (waitError) return waitError;
    if (finished) return 0;
    const DWORD error = GetLastError();
    // Windows ends a timed-out transfer as a success with the short count;
    // Wine ends it with ERROR_TIMEOUT. Either way it is a time-out with what
    // arrived, as is a transfer cancelled here for taking too long.
    if (error == ERROR_TIMEOUT) return 0;
    if (error == ERROR_OPERATION_ABORTED && waited == WAIT_TIMEOUT) return 0;
    return static_cast<int>(error);
  }

 private:
  HANDLE device_;
  OVERLAPPED overlapped_{};
};

}  // namespace

struct SerialDevice::State {
  // A device never opened answers ERROR_INVALID_HANDLE to every call.
  HANDLE handle = INVALID_HANDLE_VALUE;
  // The XON and XOFF limits of the line settings follow the receive queue.
  int inputQueueSize = 0;
  // The line record and time-outs the port held when it opened, given back
  // when it closes: the next program that uses the port (a terminal, the
  // maker's other tools) expects what it left there, not 2400 8E2.
  DCB found{};
  COMMTIMEOUTS foundTimeouts{};
  bool foundKept = false;
};

const int SerialDevice::kNoSuchDevice = ERROR_FILE_NOT_FOUND;

// What a port whose device has gone answers: USB serial drivers refuse every
// request with ERROR_BAD_COMMAND or ERROR_GEN_FAILURE once the adapter is
// pulled, newer ones with ERROR_DEVICE_NOT_CONNECTED, and the transfer running
// at that moment ends with ERROR_OPERATION_ABORTED (one cancelled here for
// its own time-out never reports that). Wine, when the far end of its
// pseudo-terminal closes, fails reads with ERROR_BROKEN_PIPE and writes with
// ERROR_NOT_READY.
bool SerialDevice::IsHangUp(int error) {
  switch (error) {
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_OPERATION_ABORTED:
    case ERROR_BROKEN_PIPE:
    case ERROR_NOT_READY:
      return true;
    default:
      return false;
  }
}

SerialDevice::SerialDevice() : state_(std::make_unique<State>()) {}

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::IsOpen() const { return state_->handle != INVALID_HANDLE_VALUE; }

int SerialDevice::Open(const std::string& path) {
  if (IsOpen()) return ERROR_BUSY;
  // No sharing: Windows refuses a port that another open holds.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  state_->handle = handle;
  state_->found.DCBlength = sizeof state_->found;
  state_->foundKept =
      GetCommState(handle, &state_->found) && GetCommTimeouts(handle, &state_->foundTimeouts);
  return 0;
}

void SerialDevice::Close() {
  HANDLE& handle = state_->handle;
  if (handle == INVALID_HANDLE_VALUE) return;
  // Nothing should be pending, every transfer finishes inside its call; a
  // device that has gone fails this and is closed all the same.
  PurgeComm(handle, PURGE_TXABORT | PURGE_RXABORT);
  // Wine may answer ERROR_INVALID_PARAMETER to a record that it applies (see
  // Configure); the port is given back as well as it can be either way.
  if (state_->foundKept) {
    SetCommState(handle, &state_->found);
    SetCommTimeouts(handle, &state_->foundTimeouts);
  }
  CloseHandle(handle);
  handle = INVALID_HANDLE_VALUE;
}

int SerialDevice::SetQueueSizes(int input, int output) {
  state_->inputQueueSize = input;
  const bool done =
      SetupComm(state_->handle, static_cast<DWORD>(input), static_cast<DWORD>(output));
  return done ? 0 : LastError();
}

// DTR and RTS are part of the record: the driver sets them itself.
int SerialDevice::Configure(const LineSettings& line) {
  HANDLE handle = state_->handle;
  DCB wanted = BuildDcb(line, state_->inputQueueSize);
  if (SetCommState(handle, &wanted)) return 0;
  const int error = LastError();
  // Wine on a pseudo-terminal answers ERROR_INVALID_PARAMETER to every record
  // after the first, because the terminal has dropped the parity; what counts
  // is that the device now holds the settings. On Windows a driver that
  // answers so has refused the record, and that stands.
  DCB now{};
  now.DCBlength = sizeof now;
  if (error == ERROR_INVALID_PARAMETER && RunsUnderWine() && GetCommState(handle, &now) &&
      HoldsApartFromParity(now, wanted))
    return 0;
  return error;
}

int SerialDevice::SetTimeouts(const TimeoutSettings& timeouts) {
  COMMTIMEOUTS record = BuildCommTimeouts(timeouts);
  return SetCommTimeouts(state_->handle, &record) ? 0 : LastError();
}

// Only the queues: a transfer in progress runs on.
int SerialDevice::Flush(bool input, bool output) {
  const DWORD queues = (input ? PURGE_RXCLEAR : 0) | (output ? PURGE_TXCLEAR : 0);
  return PurgeComm(state_->handle, queues) ? 0 : LastError();
}

int SerialDevice::SetModemLine(ModemLine which, bool raised) {
  DWORD function =
      which == ModemLine::DTR ? (raised ? SETDTR : CLRDTR) : (raised ? SETRTS : CLRRTS);
  if (EscapeCommFunction(state_->handle, function)) return 0;
  const DWORD error = GetLastError();
  return HasNoModemLines(error) ? 0 : static_cast<int>(error);
}

int SerialDevice::ReadModemStatus(int& lines) {
  DWORD status = 0;
  lines = 0;
  if (GetCommModemStatus(state_->handle, &status)) {
    lines = static_cast<int>(status);
    return 0;
  }
  const DWORD error = GetLastError();
  return HasNoModemLines(error) ? 0 : static_cast<int>(error);
}

int SerialDevice::QueuedInput(int& count) {
  DWORD errors = 0;
  COMSTAT status{};
  count = 0;
  if (!ClearCommError(state_->handle, &errors, &status)) return LastError();
  count = static_cast<int>(status.cbInQue);
  return 0;
}

// The driver keeps the port's write time-outs; limits only bound the wait.
int SerialDevice::Write(const std::string& data, const TransferLimits& limits, int& written) {
  written = 0;
  if (data.empty()) return 0;
  Transfer transfer(state_->handle);
  OVERLAPPED* record = transfer.Record();
  if (!record) return LastError();
  const BOOL started =
      WriteFile(state_->handle, data.data(), static_cast<DWORD>(data.size()), nullptr, record);
  DWORD done = 0;
  const int error = transfer.Finish(started, limits, done);
  written = static_cast<int>(done);
  return error;
}

// The driver keeps the port's read time-outs; limits only bound the wait,
// except for a read that returns at once with what is queued: Wine never
// completes such a read, so it asks for no more than is there.
int SerialDevice::Read(std::string& data, int count, const TransferLimits& limits) {
  data.clear();
  if (count <= 0) return 0;
  if (limits.returnAtOnce) {
    int queued = 0;
    if (const int error = QueuedInput(queued)) return error;
    count = std::min(count, queued);
    if (count == 0) return 0;
  }
  Transfer transfer(state_->handle);
  OVERLAPPED* record = transfer.Record();
  if (!record) return LastError();
  data.resize(static_cast<size_t>(count));
  const BOOL started =
      ReadFile(state_->handle, data.data(), static_cast<DWORD>(count), nullptr, record);
  DWORD done = 0;
  const int error = transfer.Finish(started, limits, done);
  data.resize(done);
  return error;
}
