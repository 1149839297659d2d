#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "DKL310.h"
#include "MainWindowFixture.h"
#include "NamedRows.h"
#include "TVA740.h"
#include "fmOption_.h"

using sim::Fault;

namespace {

const QString kIdentifying = QStringLiteral(" It is now connected: ???");

// The Options dialog of the program, on a machine whose only serial ports
// are those the settings file binds.
class OptionDialog : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    std::filesystem::create_directories(dir_ / "sys" / "class" / "tty");
    SetDeviceRoots((dir_ / "sys").string(), "/dev");
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    SetDeviceRoots("/sys", "/dev");
  }

  // The tester on COM2, the port open, no device type remembered.
  TfmOption& StartOnCom2() {
    WriteSettings(PortsBinding("COM2") + "[Main Setings]\nSerial port=COM2\n");
    return *Start().fmOption;
  }

  // Opens the dialog as the menu does and runs action inside it; the dialog
  // is closed afterwards if the action left it open. True when it was open.
  bool OpenAnd(const std::function<void(TfmOption&)>& action) {
    TfmOption& dialog = *form_->fmOption;
    return RunModalFrom(form_->mmOption(), [&](QWidget*) { action(dialog); }).modal == &dialog;
  }

  // Types into the port box key by key, as a user does.
  void Type(TfmOption& dialog, const QString& text) {
    QTest::keyClicks(dialog.cbCOM()->lineEdit(), text);
  }

  std::string Version() const { return tester_.VersionText(); }
};

}  // namespace

TEST_F(OptionDialog, LayoutAsTheTechnicianSeesIt) {
  TfmOption& dialog = StartOnCom2();
  EXPECT_EQ(dialog.windowTitle(), "Option");
  EXPECT_EQ(dialog.size(), QSize(362, 212));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  const auto label = [&](const char* name) { return dialog.findChild<QLabel*>(name)->text(); };
  EXPECT_EQ(label("stLanguage"), "Language:");
  EXPECT_EQ(label("stCOM"), "Port:");
  EXPECT_EQ(label("stMeterType"), "Device:");
  EXPECT_EQ(dialog.cbLanguage()->currentText(), "english");
  EXPECT_EQ(dialog.cbLanguage()->width(), 115);
  EXPECT_EQ(dialog.cbCOM()->width(), 77);
  EXPECT_EQ(dialog.cbMeterType()->width(), 115);
  EXPECT_EQ(dialog.cbMeterType()->currentText(), "");
  EXPECT_EQ(dialog.cbMeterType()->count(), 2);
  EXPECT_EQ(dialog.cbMeterType()->itemText(0), "TVA-740");
  EXPECT_EQ(dialog.cbMeterType()->itemText(1), "DKL-310");
  EXPECT_EQ(dialog.bbTransmitionTest()->text(), "transsmition test");
  EXPECT_EQ(dialog.bbOK()->text(), "OK");
  EXPECT_EQ(dialog.bbCancel()->text(), "Cancel");
  for (QPushButton* button : {dialog.bbOK(), dialog.bbCancel(), dialog.bbTransmitionTest()}) {
    EXPECT_EQ(button->size(), QSize(100, 25));
  }
  // The port is open, but a meter of no remembered type has none of its own.
  EXPECT_EQ(dialog.cbCOM()->currentText(), "");

  QStringList order;
  QWidget* widget = dialog.bbOK();
  do {
    if (widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy())
      order << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != dialog.bbOK());
  EXPECT_EQ(dialog.focusWidget(), dialog.bbOK());
  EXPECT_EQ(order, (QStringList{"bbOK", "bbCancel", "cbLanguage", "cbCOM", "cbMeterType",
                                "bbTransmitionTest"}));
}

TEST_F(OptionDialog, EnterAndEscapeDoNothing) {
  StartOnCom2();
  bool stillOpen = false;
  EXPECT_TRUE(OpenAnd([&](TfmOption& dialog) {
    dialog.cbCOM()->setEditText("");  // OK or the test would say "Select a port"
    for (QWidget* target : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(dialog.bbOK()),
                            static_cast<QWidget*>(dialog.cbMeterType())}) {
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(target, key);
      }
    }
    stillOpen = dialog.isVisible();
  }));
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(tester_.Requests().empty());
}

TEST_F(OptionDialog, FreshStartPickTestAndAccept) {
  // Nothing but the user's own binding of COM1 to the tester.
  WriteSettings(PortsBinding("COM1"));
  TForm1& form = Start();
  ASSERT_EQ(boxes_.shown.size(), 1u);  // the bad-port message of the start
  boxes_.shown.clear();
  QString listed;
  QString tip;
  QString tested;
  EXPECT_TRUE(OpenAnd([&](TfmOption& dialog) {
    dialog.cbCOM()->setFocus();
    listed = dialog.cbCOM()->itemText(0);
    tip = dialog.cbCOM()->itemData(0, Qt::ToolTipRole).toString();
    QTest::keyClick(dialog.cbCOM(), Qt::Key_Down);  // picks COM1 from the list
    dialog.bbTransmitionTest()->click();
    tested = dialog.cbMeterType()->currentText();
    dialog.bbOK()->click();
  }));
  EXPECT_EQ(listed, "COM1");
  EXPECT_EQ(tip, QString::fromStdString(tester_.DevicePath()));
  EXPECT_EQ(tested, "TVA-740");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "  It is now connected:  [TVA-740 v2.01]\r");
  EXPECT_FALSE(form.fmOption->isVisible());
  EXPECT_EQ(form.StatusLine(), " It is now connected: TVA-740 v2.01");
  EXPECT_TRUE(form.mmChangeVoltage()->isEnabled());
  EXPECT_TRUE(form.mmSetupAuto()->isEnabled());
  EXPECT_EQ(typeid(*form.CurrentMeter), typeid(TTVA740));
  EXPECT_EQ(form.CurrentMeter->MeterType, kMeterTVA740v2);
  EXPECT_EQ(form.CurrentMeter->Port, form.MeterPort.get());
  // OK used the version text of the test: one identification in all.
  EXPECT_EQ(tester_.Requests().size(), 1u);
  form.FormDestroy();
  const std::string saved = ReadSettings();
  EXPECT_NE(saved.find("Serial port=COM1\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Meter=TVA740v2_299Type\n"), std::string::npos) << saved;
}

// The device type chosen against the tester connected.
struct AcceptCase {
  const char* name;
  const char* chosen;
  const char* model;
  const char* firmware;
  std::uint8_t accepted;  // the code of the new meter, or 0
  const char* refusedAs;  // the device the mismatch message names; "" for not supported
  friend void PrintTo(const AcceptCase& row, std::ostream* out) { *out << row.name; }
};

class OptionAccept : public OptionDialog, public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(OptionAccept, FollowsTheAcceptRule) {
  const AcceptCase& c = GetParam();
  tester_.SetModel(c.model, c.firmware);
  StartOnCom2();
  bool stayedOpen = false;
  OpenAnd([&](TfmOption& shown) {
    shown.cbMeterType()->setEditText(c.chosen);
    shown.bbOK()->click();
    stayedOpen = shown.isVisible();
  });
  const QString version = QString::fromStdString(Version());
  EXPECT_EQ(form_->StatusLine(), " It is now connected: " + version);
  if (c.accepted) {
    EXPECT_FALSE(stayedOpen);
    EXPECT_TRUE(boxes_.shown.empty());
    EXPECT_EQ(form_->CurrentMeter->MeterType, c.accepted);
    EXPECT_EQ(typeid(*form_->CurrentMeter),
              c.accepted == kMeterDKL310 ? typeid(TDKL310) : typeid(TTVA740));
    EXPECT_TRUE(form_->mmChangeVoltage()->isEnabled());
    EXPECT_EQ(form_->mmSetupAuto()->isEnabled(), c.accepted == kMeterTVA740v2);
    return;
  }
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  const QString expected =
      *c.refusedAs ? "The device connected is not of " + QString(c.refusedAs) +
                         " type, \r It is now connected: " + version
                   : "The device connected to the computer is not supported by this "
                     "application.\r Devices supported by the program: TVA-740, DKL-310.    "
                     "                  \r It is now connected: " +
                         version;
  EXPECT_EQ(boxes_.shown[0].text, expected);
  EXPECT_EQ(typeid(*form_->CurrentMeter), typeid(TMeter));
  EXPECT_EQ(form_->CurrentMeter->MeterType, kMeterNone);
  EXPECT_FALSE(form_->mmChangeVoltage()->isEnabled());
  EXPECT_FALSE(form_->mmSetupAuto()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, OptionAccept,
    ::testing::Values(AcceptCase{"Tva740OnV1", "TVA-740", "TVA-740", "1.50", 1, ""},
                      AcceptCase{"Tva740OnV2", "TVA-740", "TVA-740", "2.01", 2, ""},
                      AcceptCase{"Tva740OnDkl310", "TVA-740", "DKL-310", "1.00", 0, "TVA-740"},
                      AcceptCase{"Tva740OnDkl330", "TVA-740", "DKL-330", "1.00", 0, "TVA-740"},
                      AcceptCase{"Tva740OnUnknown", "TVA-740", "QSN-740", "2.01", 0, ""},
                      AcceptCase{"Tva740OnUnreadableFirmware", "TVA-740", "TVA-740", "x.yz", 0, ""},
                      AcceptCase{"Dkl310OnTvaV1", "DKL-310", "TVA-740", "1.50", 0, "DKL-310"},
                      AcceptCase{"Dkl310OnTvaV2", "DKL-310", "TVA-740", "2.01", 0, "DKL-310"},
                      AcceptCase{"Dkl310OnDkl310", "DKL-310", "DKL-310", "1.00", 3, ""},
                      AcceptCase{"Dkl310OnDkl330", "DKL-310", "DKL-330", "1.00", 0, "DKL-310"},
                      AcceptCase{"Dkl310OnUnknown", "DKL-310", "QSN-740", "2.01", 0, ""},
                      AcceptCase{"Dkl330OnTvaV2", "DKL-330", "TVA-740", "2.01", 0, "DKL-330"},
                      AcceptCase{"Dkl330OnDkl310", "DKL-330", "DKL-310", "1.00", 0, "DKL-330"},
                      AcceptCase{"Dkl330OnDkl330", "DKL-330", "DKL-330", "1.00", 0, "DKL-330"},
                      AcceptCase{"Dkl330OnUnknown", "DKL-330", "QSN-740", "2.01", 0, ""}),
    RowName());

TEST_F(OptionDialog, NoPortOrNoDeviceNameStopsBeforeAnyExchange) {
  StartOnCom2();
  OpenAnd([&](TfmOption& shown) {
    shown.SetPortText("");
    shown.bbTransmitionTest()->click();
    shown.bbOK()->click();
    shown.SetPortText("COM2");
    shown.cbMeterType()->setEditText("tva-740");
    shown.bbOK()->click();
  });
  ASSERT_EQ(boxes_.shown.size(), 3u);
  EXPECT_EQ(boxes_.shown[0].text, "      Select a communication port.     ");
  EXPECT_EQ(boxes_.shown[1].text, "      Select a communication port.     ");
  EXPECT_EQ(boxes_.shown[2].text, "          Select the device.           ");
  EXPECT_EQ(form_->StatusLine(), "Port: COM2   ");
  EXPECT_TRUE(tester_.Requests().empty());
}

TEST_F(OptionDialog, TypingComTwelveOpensAsEachKeystrokeSays) {
  sim::TesterSimulator second{"DKL-310", "1.00"};
  WriteSettings("[Ports]\nCOM1=" + tester_.DevicePath() + "\nCOM12=" + second.DevicePath() +
                "\n[Main Setings]\nSerial port=COM1\n");
  Start();
  std::vector<std::pair<std::string, bool>> states;
  OpenAnd([&](TfmOption& dialog) {
    dialog.SetPortText("");
    for (QChar key : QStringLiteral("COM12")) {
      Type(dialog, key);
      states.emplace_back(form_->MeterPort->Port(), form_->MeterPort->Connected());
    }
  });
  EXPECT_EQ(states,
            (std::vector<std::pair<std::string, bool>>{
                {"COM1", true}, {"COM1", true}, {"COM", false}, {"COM1", true}, {"COM12", true}}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(OptionDialog, SavedPortPrefillsTheEmptyBoxAndOpensNothing) {
  StartOnCom2();
  form_->fmOption->SetPortText("");
  form_->MeterPort->Close();
  QString prefilled;
  OpenAnd([&](TfmOption& dialog) { prefilled = dialog.cbCOM()->currentText(); });
  EXPECT_EQ(prefilled, "COM2");
  EXPECT_FALSE(form_->MeterPort->Connected());
}

struct LineFaultCase {
  const char* name;
  Fault fault;
  const char* message;
  friend void PrintTo(const LineFaultCase& row, std::ostream* out) { *out << row.name; }
};

class OptionLineFault : public OptionDialog, public ::testing::WithParamInterface<LineFaultCase> {};

TEST_P(OptionLineFault, OnOkClosesWithTheStatusLeftAsking) {
  StartOnCom2();
  tester_.AddFault(GetParam().fault, 1);
  bool stayedOpen = true;
  OpenAnd([&](TfmOption& dialog) {
    dialog.cbMeterType()->setEditText("TVA-740");
    dialog.bbOK()->click();
    stayedOpen = dialog.isVisible();
  });
  EXPECT_FALSE(stayedOpen);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, QString::fromUtf8(GetParam().message));
  EXPECT_EQ(form_->StatusLine(), kIdentifying);
  EXPECT_EQ(typeid(*form_->CurrentMeter), typeid(TMeter));
  EXPECT_FALSE(form_->mmChangeVoltage()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OptionLineFault,
    ::testing::Values(LineFaultCase{"Silent", Fault::NoAnswer,
                                    " No device detected, check if:                            \r"
                                    " - the device is turned on in RS-232 communication mode?  \r"
                                    " - the port selected is not used by some other device?    \r"
                                    " - the connection between computer and device is correct? "},
                      LineFaultCase{"Corrupt", Fault::WrongCrc, " Error transmitting the device."}),
    RowName());

TEST_F(OptionDialog, PortNotOpenReachesTheFailureReportAndTheDialogStays) {
  Start();  // no settings: the port never opened
  boxes_.shown.clear();
  bool stayedOpen = false;
  OpenAnd([&](TfmOption& dialog) {
    dialog.SetPortText("COM7");
    dialog.cbMeterType()->setEditText("TVA-740");
    dialog.bbOK()->click();
    stayedOpen = dialog.isVisible();
  });
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Failure);
  EXPECT_EQ(boxes_.shown[0].text, "Błąd wykonania funkcji PurgeComm (win error code: 9)");
  EXPECT_EQ(form_->StatusLine(), kIdentifying);
}

TEST_F(OptionDialog, TestThenCancelKeepsTheRememberedType) {
  Remember("COM2", "TVA740v2_299Type");
  tester_.SetModel("DKL-310", "1.00");
  Start();
  // The remembered meter has the open port: the box shows it from the start.
  EXPECT_EQ(form_->fmOption->cbCOM()->currentText(), "COM2");
  QString afterTest;
  OpenAnd([&](TfmOption& dialog) {
    dialog.bbTransmitionTest()->click();
    afterTest = dialog.cbMeterType()->currentText();
    dialog.bbCancel()->click();
  });
  EXPECT_EQ(afterTest, "DKL-310");
  EXPECT_EQ(form_->fmOption->cbMeterType()->currentText(), "DKL-310");
  EXPECT_EQ(typeid(*form_->CurrentMeter), typeid(TTVA740));
  EXPECT_EQ(form_->CurrentMeter->MeterType, kMeterTVA740v2);
  EXPECT_EQ(form_->StatusLine(), "Port: COM2    TVA740 v2");
  QString reshown;
  OpenAnd([&](TfmOption& dialog) { reshown = dialog.cbMeterType()->currentText(); });
  EXPECT_EQ(reshown, "TVA-740");
}

TEST_F(OptionDialog, AnyTypedOrPastedTextOpensNothingButAPortName) {
  StartOnCom2();
  bool stayedOpen = false;
  OpenAnd([&](TfmOption& dialog) {
    dialog.SetPortText("");
    Type(dialog, "COM2/../../etc/passwd");
    EXPECT_FALSE(form_->MeterPort->Connected());
    QApplication::clipboard()->setText("COM" + QString(100000, QChar(0x0142)) + "\n\t\\");
    QTest::keyClick(dialog.cbCOM()->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    stayedOpen = dialog.isVisible();
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(form_->MeterPort->Connected());
  EXPECT_EQ(form_->MeterPort->Port().substr(0, 3), "COM");
  EXPECT_GT(form_->MeterPort->Port().size(), 30000u);  // as much of the paste as the box holds
  EXPECT_TRUE(boxes_.shown.empty());
}

// A windowed program's standard error reaches no user: the reason a port did
// not open waits behind the message's "Show Details...", at start-up and in
// the transmission test alike.
TEST_F(OptionDialog, APortThatDidNotOpenSaysWhyInTheMessagesDetails) {
  WriteSettings("[Main Setings]\nSerial port=COM9\n");
  Start();
  // What follows is each system's own advice.
  const QString why = "port COM9: no such serial port on this computer; ";
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "Set-up the command program [Options] - port: COM9 incorrect");
  EXPECT_TRUE(boxes_.shown[0].details.startsWith(why)) << boxes_.shown[0].details.toStdString();
  const QString atStart = boxes_.shown[0].details;
  boxes_.shown.clear();
  OpenAnd([&](TfmOption& dialog) {
    Type(dialog, "COM9");
    dialog.bbTransmitionTest()->click();
  });
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Failure);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith("Błąd wykonania funkcji PurgeComm (win error code: "));
  EXPECT_EQ(boxes_.shown[0].details, atStart);
  const auto shown = BuildMessageBox(BoxKind::Failure, boxes_.shown[0].text, false, nullptr, atStart);
  EXPECT_EQ(shown->detailedText(), atStart);
  EXPECT_EQ(shown->standardButtons(), QMessageBox::Ok);
}
