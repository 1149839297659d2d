#include <gtest/gtest.h>

#include "MessageOf.h"
#include "NamedRows.h"
#include "PortNames.h"
#include "Stopwatch.h"
#include "TesterOnLine.h"

using sim::Fault;

TEST(MeterVersion, OneExchangeThenTheHeldText) {
  TesterOnLine line("TVA-740", "2.01");
  auto meter = line.Connect<TMeter>();
  std::string text;
  meter->GetVersion(text);
  EXPECT_EQ(text, "TVA-740 v2.01");
  EXPECT_EQ(meter->VersionText, text);
  EXPECT_EQ(line.tester.Requests(), std::vector<std::string>{Bytes("56 33 3A")});

  line.tester.SetModel("DKL-310", "1.00");  // another tester plugged in
  meter->GetVersion(text);
  EXPECT_EQ(text, "TVA-740 v2.01");
  EXPECT_EQ(line.tester.Requests().size(), 1u);

  meter->ClearVersion();
  EXPECT_EQ(meter->GetMeterType(), kMeterDKL310);
  EXPECT_EQ(meter->VersionText, "DKL-310 v1.00");
  EXPECT_EQ(line.tester.Requests().size(), 2u);
}

TEST(MeterVersion, SilenceAndDamagedRepliesFail) {
  TesterOnLine line;
  auto meter = line.Connect<TMeter>();
  std::string text;

  line.tester.AddFault(Fault::NoAnswer, 1);
  EXPECT_EQ(MessageOf<ENoConnection>([&] { meter->GetVersion(text); }),
            " object TMeter.GetVersion: NO ANSWER ");
  EXPECT_EQ(text, "brak połączenia.  ");

  for (Fault fault : {Fault::ShortReply, Fault::WrongCrc, Fault::Noise}) {
    line.tester.AddFault(fault, 1);
    text.clear();
    EXPECT_EQ(MessageOf<ECRCError>([&] { meter->GetVersion(text); }),
              " object TMeter.GetVersion: CRC ERROR ");
    EXPECT_EQ(text, "błąd transmisji ! ");
    EXPECT_TRUE(meter->VersionText.empty());
  }
  EXPECT_EQ(line.tester.Requests().size(), 4u);  // a single attempt each
}

// A tester's version text and the code the program makes of it;
// recognised false: no identification, the remembered code stays.
struct VersionCase {
  const char* name;
  const char* model;
  const char* firmware;
  std::uint8_t code;
  bool recognised;
  friend void PrintTo(const VersionCase& row, std::ostream* out) { *out << row.name; }
};

class MeterType : public ::testing::TestWithParam<VersionCase> {};

TEST_P(MeterType, FromTheVersionText) {
  const VersionCase& c = GetParam();
  TesterOnLine line(c.model, c.firmware);
  auto meter = line.Connect<TMeter>();
  meter->MeterType = 9;
  EXPECT_EQ(meter->GetMeterType(), c.code);
  EXPECT_EQ(meter->MeterType, c.recognised ? c.code : 9);
  EXPECT_EQ(line.tester.Requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, MeterType,
    ::testing::Values(VersionCase{"Tva740Below2", "TVA-740", "1.99", kMeterTVA740v1, true},
                      VersionCase{"Tva740At2", "TVA-740", "2.00", kMeterTVA740v2, true},
                      VersionCase{"Tva740Above2", "TVA-740", "2.01", kMeterTVA740v2, true},
                      VersionCase{"LeadingBlank", "TVA-740", " 2.0", kMeterTVA740v2, true},
                      VersionCase{"Sign", "TVA-740", "+1.5", kMeterTVA740v1, true},
                      VersionCase{"Exponent", "TVA-740", "2E+0", kMeterTVA740v2, true},
                      VersionCase{"Dkl310", "DKL-310", "1.00", kMeterDKL310, true},
                      VersionCase{"Dkl330", "DKL-330", "3.10", kMeterDKL330, true},
                      VersionCase{"OtherModel", "QSN-740", "2.01", kMeterNone, true},
                      VersionCase{"TrailingBlank", "TVA-740", "2.0", kMeterNone, false},
                      VersionCase{"BlankInside", "TVA-740", "2. 0", kMeterNone, false},
                      VersionCase{"Letters", "TVA-740", "abc", kMeterNone, false},
                      VersionCase{"Infinity", "TVA-740", "inf", kMeterNone, false},
                      VersionCase{"Empty", "TVA-740", "", kMeterNone, false},
                      VersionCase{"Comma", "TVA-740", "1,5", kMeterNone, false}),
    RowName());

TEST(MeterTypeSilent, LeavesTheCodeAlone) {
  TesterOnLine silent;
  auto meter = silent.Connect<TMeter>();
  meter->MeterType = kMeterDKL310;
  silent.tester.AddFault(Fault::NoAnswer, 1);
  EXPECT_THROW(meter->GetMeterType(), ENoConnection);
  EXPECT_EQ(meter->MeterType, kMeterDKL310);
}

TEST(MeterEeprom, ReadSendsTheRequestAndReturnsFourBytes) {
  TesterOnLine line;
  auto meter = line.Connect<TMeter>();
  std::string data;
  meter->EERead(40, data);
  EXPECT_EQ(data, Bytes("5C 87 00 00"));
  EXPECT_EQ(line.tester.Requests(), std::vector<std::string>{Bytes("6F 28 00 15 38")});
}

TEST(MeterEeprom, ReadRetriesAndTheLastAttemptDecides) {
  TesterOnLine line;
  auto meter = line.Connect<TMeter>();
  std::string data = "stale";

  line.tester.AddFault(Fault::WrongCrc, 5);
  EXPECT_EQ(MessageOf<EReadError>([&] { meter->EERead(40, data); }),
            " object TMeter.EERead: CRC ERROR ");
  EXPECT_TRUE(data.empty());
  EXPECT_EQ(line.tester.Requests().size(), 5u);

  line.tester.AddFault(Fault::WrongCrc, 4);
  line.tester.AddFault(Fault::NoAnswer, 1);
  EXPECT_EQ(MessageOf<ENoConnection>([&] { meter->EERead(40, data); }),
            " object TMeter.EERead: NO ANSWER ");

  line.tester.AddFault(Fault::NoAnswer, 4);
  line.tester.AddFault(Fault::ShortReply, 1);  // 3 bytes on the last attempt
  EXPECT_THROW(meter->EERead(40, data), EReadError);

  line.tester.ClearRequests();
  line.tester.AddFault(Fault::WrongCrc, 2);
  Stopwatch watch;
  meter->EERead(126, data);
  EXPECT_EQ(data, Bytes("34 12 FF FF"));
  EXPECT_EQ(line.tester.Requests().size(), 3u);
  EXPECT_GE(watch.ElapsedMs(), 20);   // two 10 ms pauses
  EXPECT_LT(watch.ElapsedMs(), 200);  // and no read ran into its time-out
}

TEST(MeterEeprom, WriteSendsTheRequestAndNeedsTheAcknowledge) {
  TesterOnLine line;
  auto meter = line.Connect<TMeter>();
  EXPECT_TRUE(meter->EEWrite(40, Bytes("5C 87")));
  EXPECT_EQ(line.tester.Requests(), std::vector<std::string>{Bytes("7A 28 00 5C 87 18 43")});

  for (const char* hex : {"66", "66 87 00", ""}) {
    EXPECT_EQ(MessageOf<Exception>([&] { meter->EEWrite(40, Bytes(hex)); }), " ENTER DATA ");
  }
  EXPECT_EQ(line.tester.Requests().size(), 1u);

  line.tester.AddFault(Fault::Nak, 5);
  EXPECT_EQ(MessageOf<EWriteError>([&] { meter->EEWrite(40, Bytes("66 87")); }),
            " object TMeter.EEWrite: WRITE ERROR ");
  line.tester.AddFault(Fault::Nak, 4);
  line.tester.AddFault(Fault::NoAnswer, 1);
  EXPECT_EQ(MessageOf<ENoConnection>([&] { meter->EEWrite(40, Bytes("66 87")); }),
            " object TMeter.EEWite: NO ANSWER ");
  EXPECT_EQ(line.tester.EepromBytes(40, 2), Bytes("5C 87"));  // every attempt refused

  line.tester.ClearRequests();
  line.tester.AddFault(Fault::Nak, 1);
  Stopwatch watch;
  EXPECT_TRUE(meter->EEWrite(40, Bytes("66 87")));
  EXPECT_GE(watch.ElapsedMs(), 25);
  EXPECT_LT(watch.ElapsedMs(), 200);
  EXPECT_EQ(line.tester.Requests().size(), 2u);
  EXPECT_EQ(line.tester.EepromBytes(40, 2), Bytes("66 87"));
}

TEST(MeterEeprom, SilentTesterAtLineRateFailsAfterAboutASecondAndAQuarter) {
  TesterOnLine line;
  line.tester.SetPaced(true);
  line.tester.AddFault(Fault::NoAnswer, sim::kForever);
  auto meter = line.Connect<TMeter>();
  std::string data;
  Stopwatch watch;
  EXPECT_THROW(meter->EERead(40, data), ENoConnection);
  EXPECT_GE(watch.ElapsedMs(), 5 * 240);
  EXPECT_LT(watch.ElapsedMs(), 2500);
}

TEST(MeterEeprom, PortFailuresPassUnchangedWithoutRetry) {
  TKavelPort closed;
  TMeter meter;
  meter.Port = &closed;
  std::string data;
  Stopwatch watch;
  try {
    meter.EERead(40, data);
    ADD_FAILURE() << "nothing raised";
  } catch (const EComPort& failure) {
    EXPECT_EQ(failure.Code, 5);
  }
  EXPECT_THROW(meter.EEWrite(40, "ab"), EComPort);
  EXPECT_THROW(meter.GetVersion(data), EComPort);
  EXPECT_LT(watch.ElapsedMs(), 50);
}

TEST(MeterSettings, PlainMeterHasNone) {
  TMeter meter;
  EXPECT_EQ(MessageOf<EAbstractError>([&] { meter.ReadNominalVoltage(); }), "Abstract Error");
  EXPECT_EQ(MessageOf<EAbstractError>([&] { meter.WriteNominalVoltage(230); }), "Abstract Error");
  EXPECT_EQ(MessageOf<EAbstractError>([&] { meter.ReadAutoSetup(); }), "Abstract Error");
  EXPECT_EQ(MessageOf<EAbstractError>([&] { meter.WriteAutoSetup(0xFC); }), "Abstract Error");
  EXPECT_EQ(meter.MeterType, 0);
  EXPECT_EQ(meter.NominalVoltage, 0);
  EXPECT_EQ(meter.Port, nullptr);
}

TEST(OpenPortRule, OnlyComNamesAndOnlyWhenItOpensThePort) {
  sim::TesterSimulator tester;
  SetPortBindings({{"COM3", tester.DevicePath()}, {"COM4", tester.DevicePath()}});
  TKavelPort port;
  EXPECT_FALSE(OpenPort(port, "LPT1"));
  EXPECT_EQ(port.Port(), "COM1");        // left alone
  EXPECT_FALSE(OpenPort(port, "COM8"));  // not on this machine
  EXPECT_FALSE(port.Connected());

  EXPECT_TRUE(OpenPort(port, "com3"));
  EXPECT_EQ(port.Port(), "com3");  // assigned unchanged
  EXPECT_TRUE(port.Connected());
  EXPECT_FALSE(OpenPort(port, "com3"));  // already open under that name
  EXPECT_TRUE(port.Connected());
  EXPECT_FALSE(OpenPort(port, "COM4"));  // reopened under the new name, still false
  EXPECT_EQ(port.Port(), "COM4");
  EXPECT_TRUE(port.Connected());
  EXPECT_TRUE(tester.Requests().empty());
  SetPortBindings({});
}
