#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <fstream>

#include "NamedRows.h"
#include "PortNames.h"
#include "ScratchDir.h"
#include "TesterOnLine.h"
#include "useful.h"

using sim::Fault;

namespace {

struct CliRun {
  int status;
  std::string out;
};

// kavel-cli with a simulated tester bound to COM3 in a settings file.
class CliOnTester : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(settings_) << "[Ports]\nCOM3=" << tester_.DevicePath() << "\n";
  }

  // Runs kavel-cli with the arguments; typed is all its input, then its end.
  CliRun Cli(const std::string& arguments, const std::string& typed = "") {
    const std::string command = "printf '%s' '" + typed + "' | " + KAVEL_CLI_PROGRAM +
                                " --settings " + settings_.string() + " " + arguments +
                                " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, ""};
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  static QJsonObject Json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
  }

  ScratchDir scratch_;
  std::filesystem::path settings_ = scratch_ / "kavel-setup.ini";
  sim::TesterSimulator tester_{"TVA-740", "2.01"};
};

}  // namespace

TEST_F(CliOnTester, IdentifyAndReadAsJson) {
  const QJsonObject identity = Json(Cli("identify --port COM3 --json").out);
  EXPECT_EQ(identity["status"].toInt(), 0);
  EXPECT_EQ(identity["version"].toString(), "TVA-740 v2.01");
  EXPECT_EQ(identity["model"].toString(), "TVA-740");
  EXPECT_EQ(identity["firmware"].toString(), "2.01");
  EXPECT_EQ(identity["code"].toInt(), 2);
  EXPECT_EQ(Json(Cli("voltage --port COM3 --json").out)["voltage"].toString(), "220");
  const QJsonObject automatic = Json(Cli("auto --port COM3 --json").out);
  EXPECT_EQ(automatic["auto"].toString(), "0x3C");
  EXPECT_EQ(automatic["measurements"].toArray().size(), 4);
  const QJsonObject port{{"name", "COM3"},
                         {"description", QString::fromStdString(tester_.DevicePath())}};
  EXPECT_TRUE(Json(Cli("ports --json").out)["ports"].toArray().contains(port));
  EXPECT_NE(Cli("ports").out.find("\n  COM3 " + tester_.DevicePath() + "\n"), std::string::npos);
}

TEST_F(CliOnTester, WithoutPortThePortTheProgramRemembers) {
  EXPECT_TRUE(Json(Cli("identify --json").out)["error"].toString().contains("\"Serial port\""));
  std::ofstream(settings_, std::ios::app) << "[Main Setings]\nSerial port=com3\n";
  const auto size = std::filesystem::file_size(settings_);
  const QJsonObject identity = Json(Cli("identify --json").out);
  EXPECT_EQ(identity["version"].toString(), "TVA-740 v2.01");
  EXPECT_EQ(identity["port"].toString(), "COM3");
  EXPECT_EQ(std::filesystem::file_size(settings_), size);  // read, never written
}

TEST_F(CliOnTester, VoltageSetSendsWhatTheDialogSends) {
  const std::string before = tester_.Eeprom();
  const CliRun run = Cli("voltage --port COM3 230 --yes --json");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(Json(run.out)["written"].toString(), "yes");
  // Identified, voltage read; identified anew, voltage and balance read anew,
  // both words written.
  EXPECT_EQ(tester_.Requests(),
            (std::vector<std::string>{AddCRC("V"), AddCRC(Bytes("6F 28 00")), AddCRC("V"),
                                      AddCRC(Bytes("6F 28 00")), AddCRC(Bytes("6F 7E 00")), AddCRC(Bytes("7A 28 00 66 87")),
                                      AddCRC(Bytes("7A 7E 00 3E 12"))}));
  std::string expected = before;
  expected.replace(40, 2, Bytes("66 87"));
  expected.replace(126, 2, Bytes("3E 12"));
  EXPECT_EQ(tester_.Eeprom(), expected);
}

TEST_F(CliOnTester, AutoBasicIsOneWriteOf0x44) {
  EXPECT_EQ(Cli("auto --port COM3 --basic --yes").status, 0);
  const auto requests = tester_.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back(), AddCRC(Bytes("7A 90 00 44 5A")));
  EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                          [](const std::string& r) { return r[0] == 'z'; }),
            1);
}

// Every exit status from a real cause; only a write that is done changes the
// tester.
struct StatusCase {
  const char* name;
  const char* arguments;
  const char* answer;
  void (*prepare)(sim::TesterSimulator&);
  int status;
  friend void PrintTo(const StatusCase& row, std::ostream* out) { *out << row.name; }
};

class CliStatus : public CliOnTester, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(CliStatus, NamesTheOutcome) {
  GetParam().prepare(tester_);
  const std::string before = tester_.Eeprom();
  const CliRun run = Cli(GetParam().arguments, GetParam().answer);
  EXPECT_EQ(run.status, GetParam().status) << run.out;
  EXPECT_EQ(tester_.Eeprom() != before, run.status == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CliStatus,
    ::testing::Values(
        StatusCase{"Usage", "voltage", "", [](sim::TesterSimulator&) {}, 1},
        StatusCase{"AbsentPort", "identify --port COM9", "", [](sim::TesterSimulator&) {}, 2},
        StatusCase{
            "SilentTester", "identify --port COM3", "",
            [](sim::TesterSimulator& tester) { tester.AddFault(Fault::NoAnswer, sim::kForever); },
            3},
        StatusCase{
            "CorruptReply", "identify --port COM3", "",
            [](sim::TesterSimulator& tester) { tester.AddFault(Fault::WrongCrc, sim::kForever); },
            4},
        StatusCase{
            "RefusedWrite", "voltage --port COM3 230 --yes", "",
            [](sim::TesterSimulator& tester) { tester.AddFault(Fault::Nak, sim::kForever, 'z'); },
            4},
        StatusCase{"ExpectedAnotherModel", "voltage --port COM3 220 --yes --expect TVA-740", "",
                   [](sim::TesterSimulator& tester) { tester.SetModel("DKL-310", "1.00"); }, 5},
        StatusCase{"AnsweredY", "voltage --port COM3 230", "y\n", [](sim::TesterSimulator&) {}, 0},
        StatusCase{"AnsweredYesInCapitals", "voltage --port COM3 230", "YES\n",
                   [](sim::TesterSimulator&) {}, 0},
        StatusCase{"AnsweredNo", "voltage --port COM3 230", "no\n", [](sim::TesterSimulator&) {},
                   6},
        StatusCase{"AnsweredEmptyLine", "voltage --port COM3 230", "\n",
                   [](sim::TesterSimulator&) {}, 6},
        StatusCase{"InputEnded", "voltage --port COM3 230", "", [](sim::TesterSimulator&) {}, 6},
        StatusCase{"NoTrippingOption", "auto --port COM3 --set 0x03 --yes", "",
                   [](sim::TesterSimulator&) {}, 6},
        // Refused before the question: a yes would not change it.
        StatusCase{
            "UnrecognisedVoltage", "voltage --port COM3 230", "y\n",
            [](sim::TesterSimulator& tester) { tester.SetEepromBytes(40, Bytes("5C 87 01 00")); },
            6},
        StatusCase{"SettingsBlockFailsItsCrc", "voltage --port COM3 220 --yes", "",
                   [](sim::TesterSimulator& tester) { tester.SetModel("DKL-310", "1.00"); }, 4}),
    RowName());

TEST_F(CliOnTester, TheTestersBytesReadAsLatin1WithoutControlBytes) {
  tester_.SetModel(std::string("T\x01V-7") + "\xB5" + "4", "2.01");
  const QJsonObject identity = Json(Cli("identify --port COM3 --json").out);
  EXPECT_EQ(identity["version"].toString(), QString::fromUtf8("T?V-7µ4 v2.01"));
}

TEST_F(CliOnTester, ALeadingZeroIsNoOctal) {
  EXPECT_EQ(Json(Cli("auto --port COM3 --set 044 --yes --json").out)["auto"].toString(), "0x2C");
  EXPECT_EQ(tester_.EepromBytes(144, 1), Bytes("2C"));
}

TEST_F(CliOnTester, APortTheProgramHoldsIsRefused) {
  SetPortBindings({{"COM3", tester_.DevicePath()}});
  TKavelPort program;
  ASSERT_TRUE(OpenPort(program, "COM3"));
  EXPECT_EQ(Cli("identify --port COM3").status, 2);
  EXPECT_TRUE(tester_.Requests().empty());
  SetPortBindings({});
}
