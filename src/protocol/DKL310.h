#pragma once

#include "KavelMeter.h"

// DKL-310 EEPROM map: a 12-byte settings block, ten bytes of settings and
// their CRC-16 low byte first. The tester rejects a block whose CRC is wrong,
// so the voltage bit is never written without a fresh CRC.
namespace dkl310 {
constexpr std::uint16_t kBlockAddress = 112;
constexpr int kBlockReads = 3;      // read as 4-byte parts at 112, 116 and 120
constexpr size_t kCrcOffset = 10;   // the CRC lies at 122
constexpr size_t kVoltageByte = 1;  // the byte at 113
constexpr int kVoltageBit = 7;      // 1 = 230 V, 0 = 220 V
}  // namespace dkl310

class TDKL310 : public TMeter {
 public:
  std::uint16_t ReadNominalVoltage() override;
  // Switches between 220 V and 230 V; refuses (false) another value, the
  // value last read, and a block whose CRC is wrong.
  bool WriteNominalVoltage(std::uint16_t Voltage) override;
};
