#include <gtest/gtest.h>

#include "DKL310.h"
#include "MessageOf.h"
#include "NamedRows.h"
#include "TVA740.h"
#include "TesterOnLine.h"
#include "useful.h"

using sim::Fault;

namespace {

std::string Image(std::string image, std::uint16_t address, const std::string& bytes) {
  image.replace(address, bytes.size(), bytes);
  return image;
}

// Every request after the first n, for asserting what an operation sent.
std::vector<std::string> RequestsAfter(const sim::TesterSimulator& tester, size_t n) {
  const auto all = tester.Requests();
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end()};
}

// How each location the last write set out to change came out.
std::vector<LocationOutcome> Outcomes(const TMeter& meter) {
  std::vector<LocationOutcome> outcomes;
  for (const LocationWrite& location : meter.Touched) outcomes.push_back(location.outcome);
  return outcomes;
}

using enum LocationOutcome;

}  // namespace

TEST(TVA740Voltage, ReadRecognisesOnlyTheTwoBlocks) {
  TesterOnLine line;
  auto meter = line.Connect<TTVA740>();
  const std::pair<const char*, std::uint16_t> cases[] = {
      {"5C 87 00 00", 220}, {"66 87 00 00", 230}, {"5C 87 01 00", 0}, {"66 86 00 00", 0}};
  for (const auto& [block, voltage] : cases) {
    line.tester.SetEepromBytes(40, Bytes(block));
    meter->NominalVoltage = 1;
    EXPECT_EQ(meter->ReadNominalVoltage(), voltage) << block;
    EXPECT_EQ(meter->NominalVoltage, voltage) << block;
  }
}

TEST(TVA740Voltage, SwitchMovesVoltageAndBalanceWords) {
  TesterOnLine line;
  auto meter = line.Connect<TTVA740>();
  const std::string before = line.tester.Eeprom();  // 220 V, balance 0x1234

  ASSERT_EQ(meter->ReadNominalVoltage(), 220);
  line.tester.ClearRequests();
  EXPECT_TRUE(meter->WriteNominalVoltage(230));
  EXPECT_EQ(line.tester.Requests(),
            (std::vector<std::string>{AddCRC(Bytes("6F 28 00")), AddCRC(Bytes("6F 7E 00")),
                                      AddCRC(Bytes("7A 28 00 66 87")),
                                      AddCRC(Bytes("7A 7E 00 3E 12"))}));
  EXPECT_EQ(line.tester.Eeprom(), Image(Image(before, 40, Bytes("66 87")), 126, Bytes("3E 12")));
  ASSERT_EQ(meter->Touched.size(), 2u);
  EXPECT_EQ(meter->Touched[1].address, 126);
  EXPECT_EQ(meter->Touched[1].before, Bytes("34 12"));
  EXPECT_EQ(meter->Touched[1].written, Bytes("3E 12"));
  EXPECT_EQ(Outcomes(*meter), (std::vector{Written, Written}));
  EXPECT_EQ(meter->NominalVoltage, 220);  // a write does not change what was read

  ASSERT_EQ(meter->ReadNominalVoltage(), 230);
  EXPECT_TRUE(meter->WriteNominalVoltage(220));
  EXPECT_EQ(line.tester.Eeprom(), before);
}

TEST(TVA740Voltage, BalanceWordWrapsAt16Bits) {
  TesterOnLine line;
  line.tester.SetEepromBytes(126, Bytes("05 00"));
  line.tester.SetEepromBytes(40, Bytes("66 87 00 00"));
  auto meter = line.Connect<TTVA740>();
  meter->ReadNominalVoltage();
  EXPECT_TRUE(meter->WriteNominalVoltage(220));
  EXPECT_EQ(line.tester.EepromBytes(126, 2), Bytes("FB FF"));
  meter->ReadNominalVoltage();
  EXPECT_TRUE(meter->WriteNominalVoltage(230));
  EXPECT_EQ(line.tester.EepromBytes(126, 2), Bytes("05 00"));
}

TEST(TVA740Voltage, RefusalsSendNothing) {
  TesterOnLine line;
  auto meter = line.Connect<TTVA740>();
  const std::string before = line.tester.Eeprom();
  meter->ReadNominalVoltage();  // 220
  const size_t sent = line.tester.Requests().size();
  EXPECT_FALSE(meter->WriteNominalVoltage(225));
  EXPECT_FALSE(meter->WriteNominalVoltage(220));  // already set

  // Neither block at 40: the balance word's state is unknown, so no write.
  line.tester.SetEepromBytes(40, Bytes("5C 87 01 00"));
  const std::string unrecognised = line.tester.Eeprom();
  EXPECT_EQ(meter->ReadNominalVoltage(), 0);
  const size_t afterRead = line.tester.Requests().size();
  EXPECT_FALSE(meter->WriteNominalVoltage(230));
  EXPECT_FALSE(meter->WriteNominalVoltage(220));
  EXPECT_EQ(line.tester.Requests().size(), afterRead);
  EXPECT_EQ(afterRead, sent + 1);
  EXPECT_EQ(line.tester.Eeprom(), unrecognised);
  EXPECT_NE(before, unrecognised);
}

// The dialog's reading may be stale: another tester, plugged in since, must
// keep its balance word unless its own voltage word holds the block being
// switched from.
struct StaleCase {
  const char* name;
  std::string voltageWord;  // what the tester now plugged in holds at 40
};

class StaleReading : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleReading, WritesNothing) {
  TesterOnLine line;
  auto meter = line.Connect<TTVA740>();
  ASSERT_EQ(meter->ReadNominalVoltage(), 220);
  line.tester.SetEepromBytes(40, GetParam().voltageWord);
  const std::string swapped = line.tester.Eeprom();
  EXPECT_FALSE(meter->WriteNominalVoltage(230));
  EXPECT_EQ(line.tester.Eeprom(), swapped);
}

INSTANTIATE_TEST_SUITE_P(OtherTester, StaleReading,
                         ::testing::Values(StaleCase{"AlreadyAt230V", Bytes("66 87 00 00")},
                                           StaleCase{"NeitherBlock", Bytes("66 87 01 00")}),
                         RowName());

TEST(TVA740Voltage, AFailingReReadRaisesAndWritesNothing) {
  TesterOnLine line;
  auto meter = line.Connect<TTVA740>();
  ASSERT_EQ(meter->ReadNominalVoltage(), 220);
  const std::string before = line.tester.Eeprom();
  line.tester.AddFault(Fault::NoAnswer, sim::kForever, 'o', 40);
  EXPECT_THROW(meter->WriteNominalVoltage(230), ENoConnection);
  EXPECT_EQ(line.tester.Eeprom(), before);
}

// A switch is two writes; the second one failing must not leave the tester
// with the new setting and the old balance where the program can help it.
struct SecondWriteCase {
  const char* name;
  const char* model;
  std::uint16_t second;    // the address of the second write
  std::string halfChange;  // the first write alone: where and what
  std::uint16_t first;
  friend void PrintTo(const SecondWriteCase& row, std::ostream* out) { *out << row.name; }
};

class SecondWriteFails : public ::testing::TestWithParam<SecondWriteCase> {
 protected:
  std::unique_ptr<TMeter> Connected(TesterOnLine& line) {
    auto meter = std::string(GetParam().model) == "TVA-740"
                     ? std::unique_ptr<TMeter>(line.Connect<TTVA740>())
                     : std::unique_ptr<TMeter>(line.Connect<TDKL310>());
    meter->ReadNominalVoltage();
    return meter;
  }
};

TEST_P(SecondWriteFails, RefusedPutsTheFirstBack) {
  TesterOnLine line(GetParam().model, "1.00");
  auto meter = Connected(line);
  const std::string before = line.tester.Eeprom();
  line.tester.AddFault(Fault::Nak, 5, 'z', GetParam().second);
  EXPECT_EQ(MessageOf<EWriteError>([&] { meter->WriteNominalVoltage(230); }),
            " object TMeter.EEWrite: WRITE ERROR ");
  EXPECT_EQ(line.tester.Eeprom(), before);
  EXPECT_EQ(Outcomes(*meter), (std::vector{PutBack, PutBack}));
}

TEST_P(SecondWriteFails, GarbledAcknowledgePutsBothBack) {
  // The tester makes the second write each time, but its acknowledge arrives
  // damaged: the write has landed although it failed.
  TesterOnLine line(GetParam().model, "1.00");
  auto meter = Connected(line);
  const std::string before = line.tester.Eeprom();
  line.tester.AddFault(Fault::WrongCrc, sim::kForever, 'z', GetParam().second);
  EXPECT_THROW(meter->WriteNominalVoltage(230), EWriteError);
  EXPECT_EQ(line.tester.Eeprom(), before);
  // The second's put-back landed too, but was never acknowledged.
  EXPECT_EQ(Outcomes(*meter), (std::vector{PutBack, Unknown}));
}

TEST_P(SecondWriteFails, AFailedFirstWriteLeavesTheSecondUntouched) {
  TesterOnLine line(GetParam().model, "1.00");
  auto meter = Connected(line);
  const std::string before = line.tester.Eeprom();
  line.tester.AddFault(Fault::Nak, sim::kForever, 'z', GetParam().first);
  line.tester.ClearRequests();
  EXPECT_THROW(meter->WriteNominalVoltage(230), EWriteError);
  for (const std::string& request : line.tester.Requests()) {
    const int address =
        static_cast<unsigned char>(request[1]) + 256 * static_cast<unsigned char>(request[2]);
    EXPECT_FALSE(request[0] == 'z' && address == GetParam().second) << "a write to the second";
  }
  EXPECT_EQ(line.tester.Eeprom(), before);
  EXPECT_EQ(Outcomes(*meter), (std::vector{Unknown, NotSent}));
}

TEST_P(SecondWriteFails, TesterGoneLeavesTheHalfChange) {
  TesterOnLine line(GetParam().model, "1.00");
  auto meter = Connected(line);
  const std::string before = line.tester.Eeprom();
  // The tester falls silent right after the first write.
  line.tester.OnEepromWritten([&] { line.tester.AddFault(Fault::NoAnswer, sim::kForever, 'z'); });
  EXPECT_EQ(MessageOf<ENoConnection>([&] { meter->WriteNominalVoltage(230); }),
            " object TMeter.EEWite: NO ANSWER ");
  EXPECT_EQ(line.tester.Eeprom(), Image(before, GetParam().first, GetParam().halfChange));
  EXPECT_EQ(Outcomes(*meter), (std::vector{Unknown, Unknown}));
}

INSTANTIATE_TEST_SUITE_P(
    Models, SecondWriteFails,
    ::testing::Values(SecondWriteCase{"Tva740Balance", "TVA-740", 126, Bytes("66 87"), 40},
                      SecondWriteCase{"Dkl310Crc", "DKL-310", 122, Bytes("01 92"), 112}),
    RowName());

TEST(TVA740Auto, ReadAndWriteKeepTheNextByte) {
  TesterOnLine line;
  line.tester.SetEepromBytes(144, Bytes("03 5A"));
  auto meter = line.Connect<TTVA740>();
  const std::string before = line.tester.Eeprom();
  EXPECT_EQ(meter->ReadAutoSetup(), 0x03);
  line.tester.ClearRequests();
  meter->WriteAutoSetup(0xFC);
  EXPECT_EQ(line.tester.Requests(),
            (std::vector<std::string>{AddCRC(Bytes("6F 90 00")), AddCRC(Bytes("7A 90 00 FC 5A"))}));
  EXPECT_EQ(line.tester.Eeprom(), Image(before, 144, Bytes("FC")));
  ASSERT_EQ(meter->Touched.size(), 1u);
  EXPECT_EQ(meter->Touched[0].before, Bytes("03 5A"));
  EXPECT_EQ(meter->Touched[0].written, Bytes("FC 5A"));
  EXPECT_EQ(Outcomes(*meter), (std::vector{Written}));
}

namespace {

// A DKL-310 block with the given second byte and a valid CRC.
std::string DklBlock(const char* secondByte) {
  return AddCRC(Bytes(std::string("01 ") + secondByte + " 00 05 10 20 30 40 50 60"));
}

}  // namespace

TEST(DKL310Voltage, ReadTakesBit7OfTheSecondByte) {
  TesterOnLine line("DKL-310", "1.00");
  auto meter = line.Connect<TDKL310>();
  for (const auto& [second, voltage] :
       {std::pair{"80", 230}, {"FF", 230}, {"7F", 220}, {"00", 220}}) {
    line.tester.SetEepromBytes(112, DklBlock(second));
    EXPECT_EQ(meter->ReadNominalVoltage(), voltage) << second;
    EXPECT_EQ(meter->NominalVoltage, voltage);
  }
  EXPECT_THROW(meter->ReadAutoSetup(), EAbstractError);
  EXPECT_THROW(meter->WriteAutoSetup(0x0C), EAbstractError);
}

TEST(DKL310Voltage, SwitchWritesTheBitAndANewCrc) {
  TesterOnLine line("DKL-310", "1.00");
  line.tester.SetEepromBytes(112, DklBlock("12"));
  auto meter = line.Connect<TDKL310>();
  const std::string before = line.tester.Eeprom();
  ASSERT_EQ(meter->ReadNominalVoltage(), 220);
  const size_t sent = line.tester.Requests().size();

  EXPECT_TRUE(meter->WriteNominalVoltage(230));
  const std::string changed = DklBlock("92");
  EXPECT_EQ(RequestsAfter(line.tester, sent),
            (std::vector<std::string>{AddCRC(Bytes("6F 70 00")), AddCRC(Bytes("6F 74 00")),
                                      AddCRC(Bytes("6F 78 00")),
                                      AddCRC(Bytes("7A 70 00") + changed.substr(0, 2)),
                                      AddCRC(Bytes("7A 7A 00") + changed.substr(10, 2))}));
  EXPECT_EQ(line.tester.Eeprom(), Image(before, 112, changed));

  meter->ReadNominalVoltage();
  EXPECT_TRUE(meter->WriteNominalVoltage(220));
  EXPECT_EQ(line.tester.Eeprom(), before);
}

TEST(DKL310Voltage, RefusesWrongCrcSameValueAndOthers) {
  TesterOnLine line("DKL-310", "1.00");
  std::string damaged = DklBlock("12");
  damaged[11] = static_cast<char>(damaged[11] ^ 0x01);
  line.tester.SetEepromBytes(112, damaged);
  auto meter = line.Connect<TDKL310>();
  const std::string before = line.tester.Eeprom();
  meter->ReadNominalVoltage();  // 220, the CRC is not checked on reading
  const size_t sent = line.tester.Requests().size();

  EXPECT_FALSE(meter->WriteNominalVoltage(220));
  EXPECT_FALSE(meter->WriteNominalVoltage(0));
  EXPECT_EQ(line.tester.Requests().size(), sent);
  EXPECT_FALSE(meter->WriteNominalVoltage(230));  // three reads, then no write
  EXPECT_EQ(line.tester.Requests().size(), sent + 3);
  EXPECT_EQ(line.tester.Eeprom(), before);
}
