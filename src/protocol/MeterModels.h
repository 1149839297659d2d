#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TMeter;

// Which firmware numbers a row of the model table covers: from <= n < below.
struct FirmwareRange {
  double from;
  double below;
};

// Everything the program knows about one meter type code. Adding a tester
// model is adding a row to the table in MeterModels.cpp.
struct MeterModel {
  std::uint8_t code;         // the meter type code
  const char* versionModel;  // characters 1 to 7 of the tester's version text
  // For a model text shared by several codes: the firmware numbers
  // (characters 10 to 13 of the version text) of this one.
  std::optional<FirmwareRange> firmware;
  const char* deviceName;  // the device type a user chooses
  // The class that serves the tester, or nullptr when the program has none:
  // such a tester is identified but never configured.
  std::unique_ptr<TMeter> (*makeMeter)();
  bool autoSetup;            // the tester has the AUTO-mode option byte
  const char* settingsName;  // the "Meter" value of the settings file; nullptr: none
  const char* statusSuffix;  // appended to the main window's status line
};

// The row of a code, or nullptr (code 0 and unknown codes).
const MeterModel* MeterModelOf(std::uint8_t code);
// The row stored under a "Meter" value (compared exactly), or nullptr.
const MeterModel* MeterModelRemembered(const std::string& settingsName);
// The row of the device type a user chose by name (compared exactly; the
// first of the rows that share it), or nullptr.
const MeterModel* MeterModelChosen(const std::string& deviceName);
// Whether a tester identified as the detected code may be configured as the
// chosen device type: the program must have a class for it, of that name.
bool DeviceAccepts(const MeterModel& chosen, std::uint8_t detected);
// The "Meter" value for a code: "NoType" for a code without one.
std::string SettingsNameOf(std::uint8_t code);
// A meter object of the class that serves the code; a plain TMeter for the
// others.
std::unique_ptr<TMeter> MakeMeter(std::uint8_t code);

// Identifies the tester on the meter's port anew, forgetting the version text
// it holds: true when it is of the expected code. Otherwise MeterType is put
// back to the expected code and the version text read is held for telling.
bool IdentifiesAs(TMeter& meter, std::uint8_t expected);

// The meter type code a version text names. recognised is false when the
// model is told apart by firmware and the firmware number is unreadable: that
// is no identification at all.
std::uint8_t MeterTypeOf(const std::string& versionText, bool& recognised);
