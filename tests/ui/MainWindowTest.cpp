#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <iostream>

#include "DKL310.h"
#include "HandlerGuard.h"
#include "MainWindowFixture.h"
#include "TVA740.h"
#include "TesterOnLine.h"

using sim::Fault;

namespace {

const QString kNotDefined = QStringLiteral(" Port it is not been defined;   ");
const QString kNoDevice = QStringLiteral(
    " No device detected, check if:                            \r"
    " - the device is turned on in RS-232 communication mode?  \r"
    " - the port selected is not used by some other device?    \r"
    " - the connection between computer and device is correct? ");

}  // namespace

using MainWindowStart = MainWindowFixture;
using MainWindowConfiguration = MainWindowFixture;

TEST_F(MainWindowStart, LayoutAndMenu) {
  TForm1& form = Start();
  EXPECT_EQ(form.windowTitle(), "Setup program of KAVEL S.A. devices (QSN-740 type) ");
  EXPECT_EQ(form.width(), 292);
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  QStringList captions;
  for (QAction* item : form.menuBar()->actions()) {
    captions << item->text();
    if (item->menu()) {
      for (QAction* sub : item->menu()->actions()) captions << "  " + sub->text();
    }
  }
  EXPECT_EQ(captions,
            (QStringList{"&File", "  &Changes to testers...", "  &Exit", "&Configuration", "  &RCDs  AUTO mode",
                         "  Nominal &voltage", "&Option", "&Help", "  Help", "  &About..."}));
}

TEST_F(MainWindowStart, NoSettingsFile) {
  TForm1& form = Start();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "Set-up the command program [Options] - port:  incorrect");
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Information);
  EXPECT_EQ(form.StatusLine(), kNotDefined);
  EXPECT_FALSE(form.mmChangeVoltage()->isEnabled());
  EXPECT_FALSE(form.mmSetupAuto()->isEnabled());
  ASSERT_TRUE(form.CurrentMeter);
  EXPECT_EQ(typeid(*form.CurrentMeter), typeid(TMeter));
  EXPECT_EQ(form.CurrentMeter->MeterType, 0);
  EXPECT_EQ(form.CurrentMeter->Port, nullptr);
  form.FormDestroy();
  EXPECT_EQ(ReadSettings(), "[Main Setings]\nMeter=NoType\n");
}

TEST_F(MainWindowStart, LowerCasePortOpensUnderUpperCaseName) {
  WriteSettings(PortsBinding("COM3") + "[Main Setings]\nSerial port=com3\n");
  TForm1& form = Start();
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(form.StatusLine(), "Port: COM3   ");
  EXPECT_EQ(form.SavedPortName, "COM3");
  EXPECT_TRUE(form.MeterPort->Connected());
  EXPECT_EQ(form.MeterPort->Port(), "COM3");
  EXPECT_FALSE(form.mmChangeVoltage()->isEnabled());
  EXPECT_EQ(form.CurrentMeter->Port, nullptr);  // no known type: a plain meter
}

TEST_F(MainWindowStart, AbsentPortIsWrittenBackForAKnownType) {
  WriteSettings("[Main Setings]\nSerial port=COM9\nMeter=DKL310Type\n");
  TForm1& form = Start();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "Set-up the command program [Options] - port: COM9 incorrect");
  EXPECT_EQ(form.StatusLine(), kNotDefined + " DKL310");
  EXPECT_TRUE(form.SavedPortName.empty());
  EXPECT_FALSE(form.mmChangeVoltage()->isEnabled());
  EXPECT_NE(dynamic_cast<TDKL310*>(form.CurrentMeter.get()), nullptr);
  form.FormDestroy();
  EXPECT_EQ(ReadSettings(), "[Main Setings]\nSerial port=COM9\nMeter=DKL310Type\n");
}

// A "Meter" value of the settings file and what start-up makes of it.
struct RememberedCase {
  const char* name;
  const char* meter;
  bool voltage;  // "Nominal &voltage" enabled when the port is open
  bool autoMode;
  const char* suffix;
  std::uint8_t code;
  const std::type_info& meterClass;
  friend void PrintTo(const RememberedCase& row, std::ostream* out) { *out << row.name; }
};

class MainWindowRemembered
    : public MainWindowFixture,
      public ::testing::WithParamInterface<std::tuple<RememberedCase, bool>> {};

TEST_P(MainWindowRemembered, StartsWithItsTypeAndItems) {
  const auto& [c, open] = GetParam();
  WriteSettings(PortsBinding("COM2") + "[Main Setings]\nSerial port=" + (open ? "COM2" : "COM8") +
                "\nMeter=" + c.meter + "\n");
  TForm1& form = Start();
  const QString line = open ? QStringLiteral("Port: COM2   ") : kNotDefined;
  EXPECT_EQ(form.StatusLine(), line + c.suffix);
  EXPECT_EQ(form.mmChangeVoltage()->isEnabled(), open && c.voltage);
  EXPECT_EQ(form.mmSetupAuto()->isEnabled(), open && c.autoMode);
  EXPECT_EQ(form.CurrentMeter->MeterType, c.code);
  EXPECT_EQ(typeid(*form.CurrentMeter), c.meterClass);
  EXPECT_EQ(form.CurrentMeter->Port != nullptr, c.code != 0);
  EXPECT_EQ(boxes_.shown.size(), open ? 0u : 1u);
  form.FormDestroy();
  const std::string stored = c.code != 0 ? c.meter : "NoType";
  EXPECT_NE(ReadSettings().find("Meter=" + stored + "\n"), std::string::npos) << ReadSettings();
}

INSTANTIATE_TEST_SUITE_P(
    Types, MainWindowRemembered,
    ::testing::Combine(
        ::testing::Values(
            RememberedCase{"Tva740v1", "TVA740v0_199Type", true, false, " TVA740 v1", 1,
                           typeid(TTVA740)},
            RememberedCase{"Tva740v2", "TVA740v2_299Type", true, true, " TVA740 v2", 2,
                           typeid(TTVA740)},
            RememberedCase{"Dkl310", "DKL310Type", true, false, " DKL310", 3, typeid(TDKL310)},
            RememberedCase{"NoType", "NoType", false, false, "", 0, typeid(TMeter)},
            // Names compare exactly.
            RememberedCase{"OtherCase", "tva740v2_299type", false, false, "", 0, typeid(TMeter)},
            RememberedCase{"Rubbish", "Rubbish", false, false, "", 0, typeid(TMeter)}),
        ::testing::Bool()),
    [](const auto& row) {
      return std::string(std::get<0>(row.param).name) +
             (std::get<1>(row.param) ? "PortOpen" : "PortClosed");
    });

TEST_F(MainWindowStart, ShutdownKeepsEveryOtherSettingOfTheFile) {
  WriteSettings("; set up by the workshop\n" + PortsBinding("COM2") +
                "\n[main setings]\nLanguage=english\nMETER=NoType\nserial PORT=com2\n\n"
                "[Other]\nKey=Value\n");
  {
    TForm1& form = Start();
    // As the Options dialog would leave it: a DKL-310 accepted on COM2.
    form.CurrentMeter = std::make_unique<TDKL310>();
    form.CurrentMeter->Port = form.MeterPort.get();
    form.CurrentMeter->MeterType = 3;
    form.FormDestroy();
  }
  // Every byte stays but the values of the two keys, in place.
  const std::string expected = "; set up by the workshop\n" + PortsBinding("COM2") +
                               "\n[main setings]\nLanguage=english\nMETER=DKL310Type\n"
                               "serial PORT=COM2\n\n[Other]\nKey=Value\n";
  EXPECT_EQ(ReadSettings(), expected);
  Start().FormDestroy();
  EXPECT_EQ(ReadSettings(), expected);
}

TEST_F(MainWindowStart, HostileFileIsKeptButForTheTwoKeys) {
  using namespace std::string_literals;
  const std::string head = "\xEF\xBB\xBF; notes\r\n"s + "[Ports]\r\nCOM2=" + tester_.DevicePath() +
                           "\r\nno equals sign here\r\n[Other\r\n";
  WriteSettings(head +
                "[Main Setings]\r\nSerial port=COM2\r\nSerial port=COM7\r\n"
                "Meter=Rub\0bish\r\n; the end"s);
  TForm1& form = Start();
  EXPECT_EQ(form.StatusLine(), "Port: COM2   ");  // the first of two keys
  form.FormDestroy();
  EXPECT_EQ(ReadSettings(), head +
                                "[Main Setings]\r\nSerial port=COM2\r\nSerial port=COM7\r\n"
                                "Meter=NoType\r\n; the end");
}

TEST_F(MainWindowStart, LongPortNameIsQuotedShort) {
  WriteSettings("[Main Setings]\nSerial port=" + std::string(900000, 'x') + "\n");
  Start();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith("Set-up the command program [Options] - port: XXX"));
  EXPECT_LT(boxes_.shown[0].text.size(), 300);
}

#ifndef _WIN32  // a named pipe in the file system is Linux's own
TEST_F(MainWindowStart, FifoAsSettingsFileNeitherHangsNorIsReplaced) {
  ASSERT_EQ(::mkfifo(settingsPath_.c_str(), 0600), 0);
  TForm1& form = Start();
  EXPECT_EQ(form.StatusLine(), kNotDefined);
  Guarded([&] { form.FormDestroy(); });
  EXPECT_EQ(boxes_.shown.back().text,
            QString::fromStdString("Unable to write to " + settingsPath_ + "."));
  EXPECT_TRUE(std::filesystem::is_fifo(settingsPath_));
}
#endif

TEST_F(MainWindowStart, APortHeldElsewhereIsExplainedOnStandardError) {
  SetPortBindings({{"COM2", tester_.DevicePath()}});
  TKavelPort other;  // another program has the tester's port
  ASSERT_TRUE(OpenPort(other, "COM2"));
  WriteSettings(PortsBinding("COM2") + "[Main Setings]\nSerial port=COM2\n");
  std::stringstream stderrText;
  std::streambuf* const standardError = std::cerr.rdbuf(stderrText.rdbuf());
  Start();
  std::cerr.rdbuf(standardError);
  ASSERT_EQ(boxes_.shown.size(), 1u);  // the program's own message, as before
  EXPECT_EQ(boxes_.shown[0].text, "Set-up the command program [Options] - port: COM2 incorrect");
  EXPECT_EQ(stderrText.str(), "kavel-setup: port COM2 (" + tester_.DevicePath() +
                                  "): held by another program; close the other program that "
                                  "uses it\n");
}

TEST_F(MainWindowStart, UnwritableSettingsFileReachesTheFailureReport) {
  // A folder cannot be made where a file stands.
  std::ofstream(dir_ / "a-file") << "";
  settingsPath_ = (dir_ / "a-file" / "kavel-setup.ini").string();
  TForm1& form = Start();
  Guarded([&] { form.FormDestroy(); });
  ASSERT_FALSE(boxes_.shown.empty());
  EXPECT_EQ(boxes_.shown.back().kind, BoxKind::Failure);
  EXPECT_EQ(boxes_.shown.back().text,
            QString::fromStdString("Unable to write to " + settingsPath_ + "."));
}

TEST_F(MainWindowConfiguration, RememberedTesterOpensTheDialogAfterOneIdentification) {
  Remember("COM2", "TVA740v2_299Type");
  TForm1& form = Start();
  EXPECT_EQ(RunModalFrom(form.mmChangeVoltage()).modal,
            static_cast<QWidget*>(form.fmChangeVoltage));
  EXPECT_TRUE(boxes_.shown.empty());
  // The identification, then the dialog's reading of the voltage.
  EXPECT_EQ(tester_.Requests(),
            (std::vector<std::string>{Bytes("56 33 3A"), Bytes("6F 28 00 15 38")}));
}

TEST_F(MainWindowConfiguration, AnotherModelGivesTheMismatchMessage) {
  Remember("COM2", "TVA740v2_299Type");
  tester_.SetModel("DKL-310", "1.00");
  TForm1& form = Start();
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text,
            "The device connected is not of TVA-740 type, \r It is now connected: DKL-310 v1.00");
  EXPECT_EQ(form.CurrentMeter->MeterType, 2);
  EXPECT_EQ(tester_.Requests().size(), 1u);
  form.FormDestroy();
  EXPECT_NE(ReadSettings().find("Meter=TVA740v2_299Type"), std::string::npos);
}

TEST_F(MainWindowConfiguration, MismatchNamesTheExpectedType) {
  Remember("COM2", "DKL310Type");
  TForm1& form = Start();
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text,
            "The device connected is not of DKL-310 type, \r It is now connected: TVA-740 v2.01");
  EXPECT_EQ(form.CurrentMeter->MeterType, 3);
}

TEST_F(MainWindowConfiguration, SilentCorruptOrClosed) {
  Remember("COM2", "TVA740v0_199Type");
  tester_.SetModel("TVA-740", "1.50");
  TForm1& form = Start();

  tester_.AddFault(Fault::NoAnswer, 1);
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, kNoDevice);

  tester_.AddFault(Fault::WrongCrc, 1);
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, " Error transmitting the device.");
  EXPECT_EQ(form.CurrentMeter->MeterType, 1);

  form.MeterPort->Close();
  const size_t sent = tester_.Requests().size();
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 3u);
  EXPECT_EQ(boxes_.shown[2].text, " Device and/or communication port has not been selected ");
  EXPECT_EQ(tester_.Requests().size(), sent);
}

TEST_F(MainWindowConfiguration, NoSecondExchangeWhileOneRuns) {
  Remember("COM2", "TVA740v2_299Type");
  tester_.SetPaced(true);
  tester_.AddFault(Fault::NoAnswer, 1);  // the identification waits its full time
  TForm1& form = Start();
  bool busyCursor = false;
  QTimer::singleShot(30, [&] {
    busyCursor =
        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
    form.mmChangeVoltage()->trigger();
    form.mmExit()->trigger();
  });
  form.mmChangeVoltage()->trigger();
  EXPECT_TRUE(busyCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(tester_.Requests().size(), 1u);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, kNoDevice);
}
