#include "CPort.h"

#include <algorithm>
#include <cctype>

#include "PortNames.h"

namespace {

void Check(int error, int code) {
  if (error != 0) throw EComPort(code, error);
}

}  // namespace

void TComBuffer::SetInputSize(int value) { Change(inputSize_, value > 0 ? value & ~1 : value); }

void TComBuffer::SetOutputSize(int value) { Change(outputSize_, value > 0 ? value & ~1 : value); }

TCustomComPort::TCustomComPort()
    : buffer_(*this), parity_(*this, line_), timeouts_(*this), flowControl_(*this, line_) {
  Events.set();
}

TCustomComPort::~TCustomComPort() { Close(); }

void TCustomComPort::SetConnected(bool value) {
  if (value == connected_) return;
  if (value) {
    Open();
  } else {
    Close();
  }
}

void TCustomComPort::SetPort(const std::string& name) {
  if (name == port_) return;
  port_ = name;
  if (connected_) {
    Close();
    Open();
  }
}

void TCustomComPort::SetSyncMethod(TSyncMethod value) {
  if (value == syncMethod_) return;
  if (connected_) throw EComPort(ceSyncMethod);
  syncMethod_ = value;
}

void TCustomComPort::Open() {
  if (connected_) return;
  OpenDevice();
  connected_ = true;
  try {
    ApplySettings();
  } catch (...) {
    CloseDevice();
    connected_ = false;
    throw;
  }
  // The initial states of CTS, DSR and RLSD would go to event handlers; none
  // are installed, but a port whose status cannot be read still says so.
  int lines = 0;
  Check(device_.ReadModemStatus(lines), ceModemStatusFailed);
}

void TCustomComPort::Close() {
  if (!connected_) return;
  // Every transfer here completes before its call returns, so there is no
  // pending transfer to abort, and nothing can keep a port from closing, not
  // even a cable pulled out (a hung-up device refuses every other call).
  CloseDevice();
  connected_ = false;
}

void TCustomComPort::OpenDevice() {
  // Only a name of the port-name map reaches the file system, never the name.
  const auto path = ResolvePortName(port_);
  const int error = path ? device_.Open(*path) : SerialDevice::kNoSuchDevice;
  lastOpenFailure_.reset();
  if (error != 0) lastOpenFailure_ = OpenFailure{path.value_or(""), error};
  Check(error, ceOpenFailed);
}

void TCustomComPort::CloseDevice() { device_.Close(); }

void TCustomComPort::ApplySettings() {
  ApplyBufferSizes();
  ApplyLineSettings();
  ApplyTimeouts();
}

void TCustomComPort::ApplyBufferSizes() {
  if (!connected_) return;
  Check(device_.SetQueueSizes(buffer_.InputSize(), buffer_.OutputSize()), ceSetupComFailed);
}

void TCustomComPort::ApplyLineSettings() {
  if (!connected_) return;
  Check(device_.Configure(line_), ceSetStateFailed);
}

void TCustomComPort::ApplyTimeouts() {
  if (!connected_) return;
  Check(device_.SetTimeouts(timeouts_.Values()), ceTimeoutsFailed);
}

void TCustomComPort::Reapply(SettingsGroup group) {
  if (!connected_) return;
  switch (group) {
    case SettingsGroup::Buffer:
      ApplyBufferSizes();
      break;
    case SettingsGroup::Line:
      ApplyLineSettings();
      break;
    case SettingsGroup::Timeouts:
      ApplyTimeouts();
      break;
  }
}

void TCustomComPort::CheckTransfer(int error, int code) {
  if (error == 0) return;
  // Closed, the port says it is not open, and opening it again finds the
  // device anew once it is back.
  if (SerialDevice::IsHangUp(error)) Close();
  throw EComPort(code, error);
}

int TCustomComPort::WriteBytes(const std::string& Data) {
  if (Data.empty()) return 0;
  int written = 0;
  const auto limits = WriteLimits(timeouts_.Values(), static_cast<int>(Data.size()));
  CheckTransfer(device_.Write(Data, limits, written), ceWriteFailed);
  return written;
}

int TCustomComPort::ReadBytes(std::string& Data, int Count) {
  Data.clear();
  if (Count <= 0) return 0;
  CheckTransfer(device_.Read(Data, Count, ReadLimits(timeouts_.Values(), Count)), ceReadFailed);
  int queued = 0;
  CheckTransfer(device_.QueuedInput(queued), ceClearComFailed);
  return static_cast<int>(Data.size());
}

void TCustomComPort::PurgeBuffers(bool Input, bool Output) {
  CheckTransfer(device_.Flush(Input, Output), cePurgeFailed);
}

void TCustomComPort::SetDTRState(bool State) {
  Check(device_.SetModemLine(ModemLine::DTR, State), ceEscapeComFailed);
}

void TCustomComPort::SetRTSState(bool State) {
  Check(device_.SetModemLine(ModemLine::RTS, State), ceEscapeComFailed);
}

void EnumSerialPorts(std::vector<std::string>& List) {
  // Empty also when reading the list fails.
  List.clear();
  List = KnownPortNames();
  SortPortNames(List);
}
