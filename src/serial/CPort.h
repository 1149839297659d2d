#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ComError.h"
#include "ComTypes.h"
#include "SerialDevice.h"

class TCustomComPort;

// The group of settings a value belongs to; changing a value re-applies its
// group while the port is open.
enum class SettingsGroup { Buffer, Line, Timeouts };

// Base of the four settings objects: each is owned by one port and tells it
// when one of its values changed.
class TComSettings {
 public:
  TComSettings(const TComSettings&) = delete;
  TComSettings& operator=(const TComSettings&) = delete;

 protected:
  TComSettings(TCustomComPort& port, SettingsGroup group) : port_(port), group_(group) {}
  template <class T>
  void Change(T& field, T value);

 private:
  TCustomComPort& port_;
  SettingsGroup group_;
};

// Driver queue sizes. A positive odd size is stored one lower.
class TComBuffer : public TComSettings {
 public:
  explicit TComBuffer(TCustomComPort& port) : TComSettings(port, SettingsGroup::Buffer) {}
  int InputSize() const { return inputSize_; }
  int OutputSize() const { return outputSize_; }
  void SetInputSize(int value);
  void SetOutputSize(int value);

 private:
  int inputSize_ = 1024;
  int outputSize_ = 1024;
};

class TComParity : public TComSettings {
 public:
  TComParity(TCustomComPort& port, LineSettings& line)
      : TComSettings(port, SettingsGroup::Line), line_(line) {}
  TParityBits Bits() const { return line_.parity; }
  bool Check() const { return line_.parityCheck; }
  bool Replace() const { return line_.parityReplace; }
  char ReplaceChar() const { return line_.parityReplaceChar; }
  void SetBits(TParityBits value) { Change(line_.parity, value); }
  void SetCheck(bool value) { Change(line_.parityCheck, value); }
  void SetReplace(bool value) { Change(line_.parityReplace, value); }
  void SetReplaceChar(char value) { Change(line_.parityReplaceChar, value); }

 private:
  LineSettings& line_;  // the port's, edited in place
};

class TComFlowControl : public TComSettings {
 public:
  TComFlowControl(TCustomComPort& port, LineSettings& line)
      : TComSettings(port, SettingsGroup::Line), line_(line) {}
  bool OutCTSFlow() const { return line_.outCTSFlow; }
  bool OutDSRFlow() const { return line_.outDSRFlow; }
  TDTRFlowControl ControlDTR() const { return line_.controlDTR; }
  TRTSFlowControl ControlRTS() const { return line_.controlRTS; }
  bool XonXoffOut() const { return line_.xonXoffOut; }
  bool XonXoffIn() const { return line_.xonXoffIn; }
  bool DSRSensitivity() const { return line_.dsrSensitivity; }
  bool TxContinueOnXoff() const { return line_.txContinueOnXoff; }
  char XonChar() const { return line_.xonChar; }
  char XoffChar() const { return line_.xoffChar; }
  void SetOutCTSFlow(bool value) { Change(line_.outCTSFlow, value); }
  void SetOutDSRFlow(bool value) { Change(line_.outDSRFlow, value); }
  void SetControlDTR(TDTRFlowControl value) { Change(line_.controlDTR, value); }
  void SetControlRTS(TRTSFlowControl value) { Change(line_.controlRTS, value); }
  void SetXonXoffOut(bool value) { Change(line_.xonXoffOut, value); }
  void SetXonXoffIn(bool value) { Change(line_.xonXoffIn, value); }
  void SetDSRSensitivity(bool value) { Change(line_.dsrSensitivity, value); }
  void SetTxContinueOnXoff(bool value) { Change(line_.txContinueOnXoff, value); }
  void SetXonChar(char value) { Change(line_.xonChar, value); }
  void SetXoffChar(char value) { Change(line_.xoffChar, value); }

 private:
  LineSettings& line_;  // the port's, edited in place
};

// Time-outs in ms; -1 is the all-ones value with its special meanings.
class TComTimeouts : public TComSettings {
 public:
  explicit TComTimeouts(TCustomComPort& port) : TComSettings(port, SettingsGroup::Timeouts) {}
  int ReadInterval() const { return values_.readInterval; }
  int ReadTotalMultiplier() const { return values_.readTotalMultiplier; }
  int ReadTotalConstant() const { return values_.readTotalConstant; }
  int WriteTotalMultiplier() const { return values_.writeTotalMultiplier; }
  int WriteTotalConstant() const { return values_.writeTotalConstant; }
  void SetReadInterval(int value) { Change(values_.readInterval, value); }
  void SetReadTotalMultiplier(int value) { Change(values_.readTotalMultiplier, value); }
  void SetReadTotalConstant(int value) { Change(values_.readTotalConstant, value); }
  void SetWriteTotalMultiplier(int value) { Change(values_.writeTotalMultiplier, value); }
  void SetWriteTotalConstant(int value) { Change(values_.writeTotalConstant, value); }
  const TimeoutSettings& Values() const { return values_; }

 private:
  TimeoutSettings values_;
};

// A serial port named the Windows way ("COM3"). Closed until Open; while
// open, every settings change reaches the device at once. All operations
// block the calling thread and raise EComPort on failure.
class TCustomComPort {
 public:
  TCustomComPort();
  virtual ~TCustomComPort();
  TCustomComPort(const TCustomComPort&) = delete;
  TCustomComPort& operator=(const TCustomComPort&) = delete;

  bool Connected() const { return connected_; }
  void SetConnected(bool value);

  // Assigning another name (compared exactly) to an open port closes it and
  // opens it again under the new name.
  const std::string& Port() const { return port_; }
  void SetPort(const std::string& name);

  TBaudRate BaudRate() const { return line_.baudRate; }
  int CustomBaudRate() const { return line_.customBaudRate; }
  TStopBits StopBits() const { return line_.stopBits; }
  TDataBits DataBits() const { return line_.dataBits; }
  bool DiscardNull() const { return line_.discardNull; }
  char EventChar() const { return line_.eventChar; }
  void SetBaudRate(TBaudRate value) { ChangeLine(line_.baudRate, value); }
  void SetCustomBaudRate(int value) { ChangeLine(line_.customBaudRate, value); }
  void SetStopBits(TStopBits value) { ChangeLine(line_.stopBits, value); }
  void SetDataBits(TDataBits value) { ChangeLine(line_.dataBits, value); }
  void SetDiscardNull(bool value) { ChangeLine(line_.discardNull, value); }
  void SetEventChar(char value) { ChangeLine(line_.eventChar, value); }

  // Watched line events; nothing here starts an event thread, so the set only
  // matters to a port that would.
  TComEvents Events;

  TSyncMethod SyncMethod() const { return syncMethod_; }
  void SetSyncMethod(TSyncMethod value);

  TComBuffer& Buffer() { return buffer_; }
  TComParity& Parity() { return parity_; }
  TComFlowControl& FlowControl() { return flowControl_; }
  TComTimeouts& Timeouts() { return timeouts_; }

  virtual void Open();
  void Close();
  virtual int WriteBytes(const std::string& Data);
  virtual int ReadBytes(std::string& Data, int Count);
  virtual void PurgeBuffers(bool Input, bool Output);
  void SetDTRState(bool State);
  void SetRTSState(bool State);

  // Why the last Open did not open the device: the path the name led to
  // ("" when it led nowhere) and the errno. Empty after an open that worked.
  struct OpenFailure {
    std::string path;
    int error;
  };
  const std::optional<OpenFailure>& LastOpenFailure() const { return lastOpenFailure_; }

  // What the next ApplyLineSettings hands to the device.
  const LineSettings& CurrentLineSettings() const { return line_; }

 protected:
  virtual void OpenDevice();
  virtual void CloseDevice();
  virtual void ApplySettings();
  virtual void ApplyBufferSizes();
  virtual void ApplyLineSettings();
  virtual void ApplyTimeouts();

 private:
  friend class TComSettings;
  void Reapply(SettingsGroup group);
  template <class T>
  void ChangeLine(T& field, T value);
  // Raises the failure of a transfer; one that found the device gone closes
  // the port first.
  void CheckTransfer(int error, int code);

  SerialDevice device_;
  bool connected_ = false;
  std::optional<OpenFailure> lastOpenFailure_;
  std::string port_ = "COM1";
  // The line settings of the port and of its Parity and FlowControl objects,
  // which edit it in place; declared before them.
  LineSettings line_;
  TComBuffer buffer_;
  TComParity parity_;
  TComTimeouts timeouts_;
  TComFlowControl flowControl_;
  TSyncMethod syncMethod_ = smThreadSync;
};

class TComPort : public TCustomComPort {};

// Fills List with the names of the machine's serial ports, sorted without
// regard to case and textually (COM10 before COM2); equal names all stay.
void EnumSerialPorts(std::vector<std::string>& List);

template <class T>
void TComSettings::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  port_.Reapply(group_);
}

template <class T>
void TCustomComPort::ChangeLine(T& field, T value) {
  if (field == value) return;
  field = value;
  Reapply(SettingsGroup::Line);
}
