#pragma once

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
  explicit TComParity(TCustomComPort& port) : TComSettings(port, SettingsGroup::Line) {}
  TParityBits Bits() const { return bits_; }
  bool Check() const { return check_; }
  bool Replace() const { return replace_; }
  char ReplaceChar() const { return replaceChar_; }
  void SetBits(TParityBits value) { Change(bits_, value); }
  void SetCheck(bool value) { Change(check_, value); }
  void SetReplace(bool value) { Change(replace_, value); }
  void SetReplaceChar(char value) { Change(replaceChar_, value); }

 private:
  TParityBits bits_ = prNone;
  bool check_ = false;
  bool replace_ = false;
  char replaceChar_ = 0;
};

class TComFlowControl : public TComSettings {
 public:
  explicit TComFlowControl(TCustomComPort& port) : TComSettings(port, SettingsGroup::Line) {}
  bool OutCTSFlow() const { return outCTSFlow_; }
  bool OutDSRFlow() const { return outDSRFlow_; }
  TDTRFlowControl ControlDTR() const { return controlDTR_; }
  TRTSFlowControl ControlRTS() const { return controlRTS_; }
  bool XonXoffOut() const { return xonXoffOut_; }
  bool XonXoffIn() const { return xonXoffIn_; }
  bool DSRSensitivity() const { return dsrSensitivity_; }
  bool TxContinueOnXoff() const { return txContinueOnXoff_; }
  char XonChar() const { return xonChar_; }
  char XoffChar() const { return xoffChar_; }
  void SetOutCTSFlow(bool value) { Change(outCTSFlow_, value); }
  void SetOutDSRFlow(bool value) { Change(outDSRFlow_, value); }
  void SetControlDTR(TDTRFlowControl value) { Change(controlDTR_, value); }
  void SetControlRTS(TRTSFlowControl value) { Change(controlRTS_, value); }
  void SetXonXoffOut(bool value) { Change(xonXoffOut_, value); }
  void SetXonXoffIn(bool value) { Change(xonXoffIn_, value); }
  void SetDSRSensitivity(bool value) { Change(dsrSensitivity_, value); }
  void SetTxContinueOnXoff(bool value) { Change(txContinueOnXoff_, value); }
  void SetXonChar(char value) { Change(xonChar_, value); }
  void SetXoffChar(char value) { Change(xoffChar_, value); }

 private:
  bool outCTSFlow_ = false;
  bool outDSRFlow_ = false;
  TDTRFlowControl controlDTR_ = dtrDisable;
  TRTSFlowControl controlRTS_ = rtsDisable;
  bool xonXoffOut_ = false;
  bool xonXoffIn_ = false;
  bool dsrSensitivity_ = false;
  bool txContinueOnXoff_ = false;
  char xonChar_ = 17;
  char xoffChar_ = 19;
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

  TBaudRate BaudRate() const { return baudRate_; }
  int CustomBaudRate() const { return customBaudRate_; }
  TStopBits StopBits() const { return stopBits_; }
  TDataBits DataBits() const { return dataBits_; }
  bool DiscardNull() const { return discardNull_; }
  char EventChar() const { return eventChar_; }
  void SetBaudRate(TBaudRate value) { ChangeLine(baudRate_, value); }
  void SetCustomBaudRate(int value) { ChangeLine(customBaudRate_, value); }
  void SetStopBits(TStopBits value) { ChangeLine(stopBits_, value); }
  void SetDataBits(TDataBits value) { ChangeLine(dataBits_, value); }
  void SetDiscardNull(bool value) { ChangeLine(discardNull_, value); }
  void SetEventChar(char value) { ChangeLine(eventChar_, value); }

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
  void PurgeBuffers(bool Input, bool Output);
  void SetDTRState(bool State);
  void SetRTSState(bool State);

  // What the next ApplyLineSettings hands to the device.
  LineSettings CurrentLineSettings() const;

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

  SerialDevice device_;
  bool connected_ = false;
  TBaudRate baudRate_ = br9600;
  int customBaudRate_ = 9600;
  std::string port_ = "COM1";
  TStopBits stopBits_ = sbOneStopBit;
  TDataBits dataBits_ = dbEight;
  bool discardNull_ = false;
  char eventChar_ = 0;
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
// The order of that list; names that differ only in letter case stay in the
// order they came.
void SortPortNames(std::vector<std::string>& List);

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
