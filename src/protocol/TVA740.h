#pragma once

#include "KavelMeter.h"

// TVA-740 EEPROM map (16-bit words low byte first).
namespace tva740 {
// Nominal-voltage word, read together with the two bytes after it, which must
// be 00 00 for the setting to be recognised.
constexpr std::uint16_t kVoltageAddress = 40;
constexpr char kBlock220V[] = "\x5C\x87\x00\x00";  // word 0x875C
constexpr char kBlock230V[] = "\x66\x87\x00\x00";  // word 0x8766
constexpr size_t kBlockSize = 4;
// The tester's calibration balances the voltage word against this word, so
// it moves by the same step as the voltage word whenever the voltage changes.
constexpr std::uint16_t kBalanceAddress = 126;
constexpr std::uint16_t kBalanceStep = 10;  // the two voltage words differ by 10
// AUTO-mode option byte; the byte after it is written back unchanged.
constexpr std::uint16_t kAutoSetupAddress = 144;

// Bits of the AUTO-mode option byte: a set bit puts the measurement into the
// tester's automatic RCD test sequence. Trip-time tests at a multiple of the
// rated residual current IΔn, and trip-current tests, each of either polarity.
constexpr int kTripTime05Positive = 0;  // 0,5 × IΔn: must not trip
constexpr int kTripTime05Negative = 1;
constexpr int kTripTime1Positive = 2;
constexpr int kTripTime1Negative = 3;
constexpr int kTripTime5Positive = 4;
constexpr int kTripTime5Negative = 5;
constexpr int kTripCurrentPositive = 6;
constexpr int kTripCurrentNegative = 7;
// Bits 2 to 7 trip the RCD under test; the tester's sequence needs one.
constexpr std::uint8_t kTrippingOptions = 0xFC;
// Every test; and the two a basic RCD check needs, 1 × IΔn trip time and
// trip current, positive polarity.
constexpr std::uint8_t kAllOptions = 0xFF;
constexpr std::uint8_t kBasicOptions = (1 << kTripTime1Positive) | (1 << kTripCurrentPositive);
}  // namespace tva740

class TTVA740 : public TMeter {
 public:
  std::uint16_t ReadNominalVoltage() override;
  // Switches between 220 V and 230 V. Refuses (false, nothing sent) another
  // value, the value last read, and a setting that the last read did not
  // recognise: moving the balance word from an unknown state would
  // miscalibrate the instrument. The voltage word is read again first, and
  // nothing is written unless it still holds the other voltage's block.
  bool WriteNominalVoltage(std::uint16_t Voltage) override;
  std::uint8_t ReadAutoSetup() override;
  void WriteAutoSetup(std::uint8_t Setup) override;
};
