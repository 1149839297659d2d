#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PseudoTerminal.h"
#include "ScratchDir.h"
#include "Stopwatch.h"
#include "TesterOnLine.h"
#include "useful.h"

using sim::Fault;

namespace {

// The program's end of the simulator's line, driven byte by byte.
class RawLine : public ::testing::Test {
 protected:
  std::string Ask(const std::string& bytes, int replyLength) {
    line_.port.PurgeBuffers(true, true);
    line_.port.WriteBytes(bytes);
    std::string reply;
    line_.port.ReadBytes(reply, replyLength);
    return reply;
  }
  TesterOnLine line_;
};

}  // namespace

TEST(SimulatorDefaults, EepromFitsTheModel) {
  const std::string tva = sim::TesterSimulator::DefaultEeprom("TVA-740");
  ASSERT_EQ(tva.size(), 256u);
  EXPECT_EQ(tva.substr(40, 4), Bytes("5C 87 00 00"));
  EXPECT_EQ(tva.substr(126, 2), Bytes("34 12"));
  const std::string dkl = sim::TesterSimulator::DefaultEeprom("DKL-310");
  EXPECT_TRUE(CheckCRC(dkl.substr(112, 12)));
  EXPECT_EQ(sim::TesterSimulator::DefaultEeprom("DKL-330"), std::string(256, '\xFF'));
  EXPECT_EQ(sim::VersionTextFor("TVA-740", "2.0"), "TVA-740 v2.0 ");
  EXPECT_EQ(sim::VersionTextFor("DKL-310-LONG", "1.00"), "DKL-310 v1.00");
}

TEST_F(RawLine, AnswersOnlyCompleteCorrectRequests) {
  EXPECT_EQ(Ask(Bytes("6F 28 00 15"), 6), "");     // incomplete
  EXPECT_EQ(Ask(Bytes("6F 28 00 15 39"), 6), "");  // wrong CRC
  EXPECT_EQ(Ask(Bytes("41 42") + AddCRC(Bytes("6F 28 00")), 6), AddCRC(Bytes("5C 87 00 00")));
  EXPECT_EQ(Ask(AddCRC("V"), 18), AddCRC("TVA-740 v2.01001"));
  const auto requests = line_.tester.Requests();
  ASSERT_EQ(requests.size(), 3u);  // the stray bytes are no request
  EXPECT_EQ(requests[0], Bytes("6F 28 00 15 39"));
}

TEST_F(RawLine, FaultsShapeTheReply) {
  const std::string read = AddCRC(Bytes("6F 28 00"));
  const std::string good = AddCRC(Bytes("5C 87 00 00"));
  line_.tester.AddFault(Fault::WrongCrc, 1);
  line_.tester.AddFault(Fault::ShortReply, 1);
  line_.tester.AddFault(Fault::Noise, 1);
  line_.tester.AddFault(Fault::Nak, 1);
  line_.tester.AddFault(Fault::NoAnswer, 1);
  EXPECT_EQ(Ask(read, 6), good.substr(0, 5) + static_cast<char>(good[5] ^ 0xFF));
  EXPECT_EQ(Ask(read, 6), good.substr(0, 3));
  EXPECT_EQ(Ask(read, 6), Bytes("FF 00 AA") + good.substr(0, 3));
  EXPECT_EQ(Ask(read, 6), Bytes("15"));
  EXPECT_EQ(Ask(read, 6), "");
  EXPECT_EQ(Ask(read, 6), good);  // the faults are used up

  line_.tester.AddFault(Fault::Nak, sim::kForever, 'z');
  EXPECT_EQ(Ask(read, 6), good);  // a fault for writes leaves reads alone
  EXPECT_EQ(Ask(AddCRC(Bytes("7A 28 00 66 87")), 1), Bytes("15"));
  EXPECT_EQ(line_.tester.EepromBytes(40, 2), Bytes("5C 87"));
  line_.tester.ClearFaults();
  EXPECT_EQ(Ask(AddCRC(Bytes("7A 28 00 66 87")), 1), Bytes("06"));
  EXPECT_EQ(line_.tester.EepromBytes(40, 2), Bytes("66 87"));
}

TEST_F(RawLine, PacedRepliesTakeTheLineTime) {
  line_.tester.SetPaced(true);
  Stopwatch watch;
  EXPECT_EQ(Ask(AddCRC("V"), 18).size(), 18u);
  // 3 characters out and 18 back at 5 ms each.
  EXPECT_GE(watch.ElapsedMs(), 105);
  EXPECT_LT(watch.ElapsedMs(), 290);
  // Absolute deadlines: an EEPROM read, 5 out and 6 back, ten times over,
  // keeps to 550 ms without piling up lateness (generous bounds).
  watch = Stopwatch();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Ask(AddCRC(Bytes("6F 28 00")), 6).size(), 6u);
  EXPECT_GE(watch.ElapsedMs(), 550);
  EXPECT_LT(watch.ElapsedMs(), 800);
}

TEST(SimulatorEepromFile, SavesAndLoadsTheImage) {
  const ScratchDir scratch;
  const auto path = scratch / "eeprom.bin";
  sim::TesterSimulator first;
  first.SetEepromBytes(200, "\x01\x02");
  first.SaveEeprom(path.string());
  EXPECT_EQ(std::filesystem::file_size(path), 256u);

  sim::TesterSimulator second("DKL-310", "1.00");
  second.LoadEeprom(path.string());
  EXPECT_EQ(second.Eeprom(), first.Eeprom());

  std::ofstream(path, std::ios::trunc) << "too short";
  EXPECT_THROW(second.LoadEeprom(path.string()), std::runtime_error);
  EXPECT_EQ(second.Eeprom(), first.Eeprom());
  std::filesystem::remove(path);
  EXPECT_THROW(second.LoadEeprom(path.string()), std::runtime_error);
}
