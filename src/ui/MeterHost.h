#pragma once

#include <cstdint>

class TMeter;

// What a configuration dialog needs of the program's objects. The dialogs
// keep no copy: they ask for the current meter at every use, since the
// Options dialog may have replaced it.
class MeterHost {
 public:
  // The current meter object; there always is one while windows exist.
  virtual TMeter& Meter() = 0;
  // Identifies the connected tester anew; true when it is of the expected
  // meter type code. Otherwise the user has been told and MeterType restored.
  virtual bool MeterCorrect(std::uint8_t expectedType) = 0;

 protected:
  ~MeterHost() = default;
};
