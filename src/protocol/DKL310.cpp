#include "DKL310.h"

#include "useful.h"

std::uint16_t TDKL310::ReadNominalVoltage() {
  std::string data;
  EERead(dkl310::kBlockAddress, data);
  const auto settings = static_cast<std::uint8_t>(data[dkl310::kVoltageByte]);
  NominalVoltage = TestBit(settings, dkl310::kVoltageBit) ? 230 : 220;
  return NominalVoltage;
}

bool TDKL310::WriteNominalVoltage(std::uint16_t Voltage) {
  if ((Voltage != 220 && Voltage != 230) || Voltage == NominalVoltage) return false;

  std::string block;
  for (int part = 0; part < dkl310::kBlockReads; ++part) {
    std::string data;
    EERead(static_cast<std::uint16_t>(dkl310::kBlockAddress + 4 * part), data);
    block += data;
  }
  if (!CheckCRC(block)) return false;

  auto settings = static_cast<std::uint8_t>(block[dkl310::kVoltageByte]);
  if (Voltage == 230) {
    SetBit(settings, dkl310::kVoltageBit);
  } else {
    ClearBit(settings, dkl310::kVoltageBit);
  }
  const std::string before = block;
  block[dkl310::kVoltageByte] = static_cast<char>(settings);
  block = AddCRC(CutCRC(block));

  EEWriteTogether(
      {PlannedWrite(dkl310::kBlockAddress, before.substr(0, 2), block.substr(0, 2)),
       PlannedWrite(dkl310::kBlockAddress + dkl310::kCrcOffset,
                    before.substr(dkl310::kCrcOffset, 2), block.substr(dkl310::kCrcOffset, 2))});
  return true;
}
