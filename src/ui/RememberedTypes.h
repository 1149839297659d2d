#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "KavelMeter.h"

// The device types the program remembers between runs, as the settings file
// names them.
struct RememberedType {
  std::uint8_t code;         // meter type code
  const char* settingsName;  // the "Meter" value
  const char* statusSuffix;  // appended to the status line
};

// The type stored under this "Meter" value (compared exactly), or none.
const RememberedType* RememberedTypeNamed(const std::string& settingsName);
// The "Meter" value for a code: "NoType" for a code without a remembered type.
std::string SettingsNameOf(std::uint8_t code);
// A meter object of the model class for a code; a plain TMeter for others.
std::unique_ptr<TMeter> MakeMeter(std::uint8_t code);
