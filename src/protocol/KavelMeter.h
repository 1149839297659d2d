#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CPort.h"
#include "Exception.h"

// The tester's line: 2400 bit/s, 8 data bits, even parity, 2 stop bits, no
// flow control, DTR raised and RTS low while open, and read time-outs that
// end a read of n bytes after 200 + 5 n ms at the latest.
class TKavelPort : public TComPort {
 public:
  TKavelPort();

  std::uint8_t ReadRetries = 0;   // attempts of an EEPROM read
  std::uint8_t WriteRetries = 0;  // attempts of an EEPROM write
};

// Opens the named port ("COM" and anything, in any letter case) for a tester.
// True only when this call opened it; every failure gives false, nothing is
// raised.
bool OpenPort(TKavelPort& Port, const std::string& Name);

// The machine's serial ports, sorted; Port is not read.
void EnumPorts(TComPort& Port, std::vector<std::string>& List);

// Nothing came back from the tester.
class ENoConnection : public Exception {
  using Exception::Exception;
};
// The version reply was cut short or failed its CRC.
class ECRCError : public Exception {
  using Exception::Exception;
};
// The last EEPROM read reply was cut short or failed its CRC.
class EReadError : public Exception {
  using Exception::Exception;
};
// The last EEPROM write was answered by something other than the acknowledge.
class EWriteError : public Exception {
  using Exception::Exception;
};
// A settings operation that the meter's model does not have.
class EAbstractError : public Exception {
  using Exception::Exception;
};

// Meter type codes.
constexpr std::uint8_t kMeterNone = 0;      // nothing identified, or a model not supported
constexpr std::uint8_t kMeterTVA740v1 = 1;  // TVA-740, firmware below 2.0
constexpr std::uint8_t kMeterTVA740v2 = 2;  // TVA-740, firmware 2.0 or later
constexpr std::uint8_t kMeterDKL310 = 3;
constexpr std::uint8_t kMeterDKL330 = 4;

// What became of one EEPROM location that a settings write set out to change.
enum class LocationOutcome {
  NotSent,  // a write before it failed, so it was never sent
  Written,  // the tester acknowledged the new bytes
  PutBack,  // a later write failed and the tester acknowledged the old bytes again
  Unknown,  // sent but neither it nor its put-back acknowledged: it holds either
};

// One location of a settings write: what it held, what was sent, and how it
// came out. A change that must be accounted for (a record of changes, a
// half-change put right) is told location by location.
struct LocationWrite {
  std::uint16_t address = 0;
  std::string before;   // the two bytes it held
  std::string written;  // the two bytes sent
  std::string putBack;  // the bytes sent back after a failure; empty: none
  LocationOutcome outcome = LocationOutcome::NotSent;
};

// A location about to be written: nothing sent yet.
LocationWrite PlannedWrite(std::uint16_t address, std::string before, std::string written);

// A tester on a port: identifies it by its version text and reads and writes
// its EEPROM. The plain class stands for a tester not yet identified; the
// model classes provide the settings operations.
class TMeter {
 public:
  TMeter() = default;
  virtual ~TMeter() = default;
  TMeter(const TMeter&) = delete;
  TMeter& operator=(const TMeter&) = delete;

  virtual std::uint16_t ReadNominalVoltage();
  virtual bool WriteNominalVoltage(std::uint16_t Voltage);
  virtual std::uint8_t ReadAutoSetup();
  virtual void WriteAutoSetup(std::uint8_t Setup);

  // The held version text, or one read from the tester when none is held.
  void GetVersion(std::string& Text);
  void ClearVersion();
  // Identifies the tester by the model table (MeterModels).
  std::uint8_t GetMeterType();
  void EERead(std::uint16_t Address, std::string& Data);
  bool EEWrite(std::uint16_t Address, const std::string& Data);

  std::string VersionText;
  std::uint8_t MeterType = kMeterNone;
  std::uint16_t NominalVoltage = 0;
  TKavelPort* Port = nullptr;  // not owned
  // The locations the settings writes since it was last cleared set out to
  // change, in order, each with its outcome; whoever accounts for a change
  // clears it first.
  std::vector<LocationWrite> Touched;

  // Writes locations that only make sense together (a setting and the word
  // that balances it, a bit and its block's CRC), in order. When a write
  // fails, each location a write was sent to gets back the bytes it held
  // before (a write whose acknowledge was garbled may have landed all the
  // same), so that a tester still answering is left exactly as it was; then
  // the failure is raised as it came.
  void EEWriteTogether(std::vector<LocationWrite> writes);

  // Told of a settings write, one location or several that belong
  // together, before the first is sent (a record of changes keeps those
  // that belong together, so that a run ended between them leaves a trace);
  // it may raise to stop the write with nothing sent. Empty: nobody listens.
  using PlannedWrites = std::function<void(const std::vector<LocationWrite>&)>;
  PlannedWrites BeforeWriting;

 protected:
  // One location alone, accounted for in Touched; a failure passes unchanged.
  void EEWriteAccounted(LocationWrite write);
};
