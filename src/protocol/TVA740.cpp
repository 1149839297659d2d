#include "TVA740.h"

namespace {

std::string Block(const char* bytes) { return std::string(bytes, tva740::kBlockSize); }

std::string Word(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::uint16_t WordAt(const std::string& data) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(data[0]) +
                                    256 * static_cast<unsigned char>(data[1]));
}

}  // namespace

std::uint16_t TTVA740::ReadNominalVoltage() {
  std::string data;
  EERead(tva740::kVoltageAddress, data);
  std::uint16_t voltage = 0;
  if (data == Block(tva740::kBlock220V)) voltage = 220;
  if (data == Block(tva740::kBlock230V)) voltage = 230;
  NominalVoltage = voltage;
  return voltage;
}

bool TTVA740::WriteNominalVoltage(std::uint16_t Voltage) {
  if (Voltage != 220 && Voltage != 230) return false;
  if (Voltage == NominalVoltage || NominalVoltage == 0) return false;
  // The reading above may be stale: another tester may have been plugged in
  // since. Its balance word must move only when its own voltage word holds
  // the block being switched from.
  const std::uint16_t from = Voltage == 230 ? 220 : 230;
  if (ReadNominalVoltage() != from) return false;

  std::string data;
  EERead(tva740::kBalanceAddress, data);
  const std::uint16_t balanceBefore = WordAt(data);
  std::uint16_t balance = balanceBefore;
  // 16-bit arithmetic that wraps, as the tester's own does.
  balance = static_cast<std::uint16_t>(Voltage == 230 ? balance + tva740::kBalanceStep
                                                      : balance - tva740::kBalanceStep);
  const std::string block = Block(Voltage == 230 ? tva740::kBlock230V : tva740::kBlock220V);
  // The voltage word just read is the other block: its bytes are the ones
  // to put back if the balance word cannot follow.
  const std::string before = Block(from == 220 ? tva740::kBlock220V : tva740::kBlock230V);
  EEWriteTogether({PlannedWrite(tva740::kVoltageAddress, before.substr(0, 2), block.substr(0, 2)),
                   PlannedWrite(tva740::kBalanceAddress, Word(balanceBefore), Word(balance))});
  return true;
}

std::uint8_t TTVA740::ReadAutoSetup() {
  std::string data;
  EERead(tva740::kAutoSetupAddress, data);
  return static_cast<std::uint8_t>(data[0]);
}

void TTVA740::WriteAutoSetup(std::uint8_t Setup) {
  std::string data;
  EERead(tva740::kAutoSetupAddress, data);
  EEWriteAccounted(PlannedWrite(tva740::kAutoSetupAddress, data.substr(0, 2),
                                std::string{static_cast<char>(Setup), data[1]}));
}
