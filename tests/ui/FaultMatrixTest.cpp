#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLocale>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "Language.h"
#include "MainWindowFixture.h"
#include "PolishLocale.h"
#include "NamedRows.h"
#include "RecordedLines.h"
#include "ScratchDir.h"
#include "TesterOnLine.h"
#include "fmOption_.h"
#include "fmSetupAUTO_.h"

using sim::Fault;

namespace {

// Where the program talks to the tester, and the request a fault there hits.
enum class Place {
  Menu,                // MeterCorrect before a dialog opens
  VoltageOpening,      // the voltage read when the dialog opens
  VoltageSetIdentify,  // "Set": MeterCorrect
  VoltageSetRead,      // "Set": the balance word read
  VoltageSetFirst,     // "Set": the voltage word written
  VoltageSetSecond,    // "Set": the balance word written
  HalfChangeFinish,    // the half-change finished: the balance word written
  HalfChangeUndo,      // the half-change undone: the voltage word written
  HalfChangeLeft,      // the half-change left for now
  RepairedElsewhere,   // the tester holds neither old nor new
  OptionsTest,         // the transmission test
  OptionsOk,           // OK identifying the tester
  AutoOpening,         // the option byte read when the dialog opens
  AutoSetIdentify,     // "Set": MeterCorrect
  AutoSetRead,         // "Set": the byte read to keep its neighbour
  AutoSetWrite,        // "Set": the byte written
};

// Every fault the simulator injects, and another tester plugged in.
enum class LineFault {
  None, Silence, WrongCrc, ShortReply, Nak, Noise, HangUp, OtherModel,
  HalfChangedTester,  // one of the model left half-changed plugged in instead
};

enum class Image { Old, New, HalfChange, Elsewhere };

// The record of changes the program is given.
enum class Record {
  Fine,
  Unwritable,  // a file where its folder should be
  Unreadable,  // a folder where the file should be
};

struct Aim {
  char command;
  int address;
};

Aim AimOf(Place place) {
  switch (place) {
    case Place::VoltageOpening:
      return {'o', 40};
    case Place::VoltageSetRead:
      return {'o', 126};
    case Place::VoltageSetFirst:
      return {'z', 40};
    case Place::VoltageSetSecond:
    case Place::HalfChangeFinish:
      return {'z', 126};
    case Place::HalfChangeUndo:
      return {'z', 40};
    case Place::AutoOpening:
    case Place::AutoSetRead:
      return {'o', 144};
    case Place::AutoSetWrite:
      return {'z', 144};
    default:
      return {'V', sim::kAnyAddress};
  }
}

struct FaultCase {
  const char* name;
  Place place;
  LineFault fault;
  BoxKind kind;         // of the last box shown
  const char* message;  // its text
  bool dialogOpen;      // the place's dialog still open afterwards
  Image image;
  // The outcome of the record's last line; nullptr: as the place has it
  // (RecordedByPlace).
  const char* recorded = nullptr;
  Record record = Record::Fine;
  bool withoutTrace = false;  // the user has a change the record cannot take made all the same
  friend void PrintTo(const FaultCase& row, std::ostream* out) { *out << row.name; }
};

const char kNoDevice[] =
    " No device detected, check if:                            \r"
    " - the device is turned on in RS-232 communication mode?  \r"
    " - the port selected is not used by some other device?    \r"
    " - the connection between computer and device is correct? ";
const char kTransmission[] = " Error transmitting the device.";
const char kHungUp[] = "Błąd wykonania funkcji ReadFile (win error code: 5)";
const char kVersionCrc[] = " object TMeter.GetVersion: CRC ERROR ";
const char kReadSilent[] = " object TMeter.EERead: NO ANSWER ";
const char kReadCrc[] = " object TMeter.EERead: CRC ERROR ";
const char kWriteRefused[] = " object TMeter.EEWrite: WRITE ERROR ";
const char kVoltageChanged[] = " OK. Device's nominal voltage has been changed into 230 V";
const char kAutoChanged[] =
    " OK - done.                                     \r"
    " Setup change of device's AUTO mode successful.";
const char kFinished[] =
    "The change has been finished: the tester now holds the new setting throughout.";
const char kUndone[] =
    "The change has been undone: the tester holds its old setting throughout again.";
// %1: when the change began, as LocalBegun tells it.
const char kOffer[] =
    "The change of the TVA-740 on port COM3, begun %1, was cut short: nominal voltage 220 V "
    "\u2192 230 V.\rIn the tester now the voltage word already holds the 230 V value; the "
    "calibration word still holds the 220 V one. Until this is put right the tester is neither "
    "as it was nor as it was meant to be.\r\rFinish the change, undo it, or leave the tester as "
    "it is for now?";

// The recorded half-change's start in this computer's time and the user's format.
QString LocalBegun() {
  return QLocale().toString(QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC).toLocalTime(),
                            QLocale::ShortFormat);
}
const char kMismatch[] =
    "The device connected is not of TVA-740 type, \r It is now connected: DKL-310 v1.00";

const char kWithoutTrace[] =
    "The record of changes cannot take this change, so if the change is cut short between its "
    "writes, nothing will find it. Change the tester without a trace all the same?";
const char kUnreadable[] =
    "The record of changes cannot be read, so it is not known whether a change to this tester "
    "was cut short. Its settings are shown, but nothing will be written to it until the record "
    "can be read.";

constexpr BoxKind kInfo = BoxKind::Information;
constexpr BoxKind kConfirm = BoxKind::Confirmation;
constexpr BoxKind kReport = BoxKind::Failure;
constexpr BoxKind kChoice = BoxKind::Choice;

// A change that reached its writes is recorded, whatever came of it: not
// written when a read before them failed; half-changed when a write was not
// acknowledged, since either bytes may be in the tester.
const char* RecordedByPlace(Place place) {
  switch (place) {
    case Place::VoltageSetRead:
    case Place::AutoSetRead:
      return "not-written";
    case Place::VoltageSetFirst:
    case Place::VoltageSetSecond:
    case Place::AutoSetWrite:
      return "half-changed";
    default:
      return "";
  }
}

// At these places the record holds a switch to 230 V cut short after the
// voltage word; the menu item finds it, and the user finishes it, undoes it
// or leaves it.
bool HalfChangePlace(Place place) {
  return place >= Place::HalfChangeFinish && place <= Place::RepairedElsewhere;
}

// The program remembering the simulated TVA-740 (firmware 2.01) on COM3.
class FaultMatrix : public MainWindowFixture, public ::testing::WithParamInterface<FaultCase> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Remember("COM3", "TVA740v2_299Type");
    Start();
    old_ = tester_.Eeprom();
    if (GetParam().record == Record::Unwritable) {
      std::ofstream(dir_ / "state") << "";
      qputenv(kRecordVariable, QByteArray::fromStdString((dir_ / "state" / "changes.jsonl").string()));
    }
    if (GetParam().record == Record::Unreadable) {
      std::filesystem::create_directories(dir_ / "unreadable" / "changes.jsonl");
      qputenv(kRecordVariable,
              QByteArray::fromStdString((dir_ / "unreadable" / "changes.jsonl").string()));
    }
    if (HalfChangePlace(GetParam().place)) {
      std::ofstream(record_.File()) << TvaHalfChangedLine();
      tester_.SetEepromBytes(40, Bytes("66 87"));
      if (GetParam().place == Place::RepairedElsewhere) tester_.SetEepromBytes(126, Bytes("3E 13"));
    }
  }

  void Inject() {
    const Aim aim = AimOf(GetParam().place);
    switch (GetParam().fault) {
      case LineFault::None:
        return;
      case LineFault::OtherModel:
        return tester_.SetModel("DKL-310", "1.00");
      case LineFault::HalfChangedTester:
        std::ofstream(record_.File()) << TvaHalfChangedLine();
        return tester_.SetEepromBytes(40, Bytes("66 87"));
      case LineFault::HangUp:  // once is for good
        return tester_.AddFault(Fault::HangUp, 1, aim.command, aim.address);
      default:
        return tester_.AddFault(SimulatorFault(GetParam().fault), sim::kForever, aim.command,
                                aim.address);
    }
  }

  static Fault SimulatorFault(LineFault fault) {
    switch (fault) {
      case LineFault::Silence:
        return Fault::NoAnswer;
      case LineFault::WrongCrc:
        return Fault::WrongCrc;
      case LineFault::ShortReply:
        return Fault::ShortReply;
      case LineFault::Nak:
        return Fault::Nak;
      default:
        return Fault::Noise;
    }
  }

  // Drives the place; answers whether its dialog was still open afterwards.
  bool Run() {
    TForm1& form = *form_;
    boxes_.answers = {true, GetParam().withoutTrace};
    switch (GetParam().place) {
      case Place::Menu:
        Inject();
        return RunModalFrom(form.mmChangeVoltage()).leftOpen;
      case Place::HalfChangeFinish:
      case Place::HalfChangeUndo:
      case Place::HalfChangeLeft:
      case Place::RepairedElsewhere:
        boxes_.choices = {static_cast<int>(GetParam().place) -
                          static_cast<int>(Place::HalfChangeFinish)};
        Inject();
        return RunModalFrom(form.mmChangeVoltage()).leftOpen;
      case Place::VoltageOpening:
      case Place::AutoOpening:
        Inject();
        return RunModalFrom(GetParam().place == Place::AutoOpening ? form.mmSetupAuto()
                                                                   : form.mmChangeVoltage())
            .leftOpen;
      case Place::VoltageSetIdentify:
      case Place::VoltageSetRead:
      case Place::VoltageSetFirst:
      case Place::VoltageSetSecond:
        return RunModalFrom(form.mmChangeVoltage(),
                            [&](QWidget*) {
                              Inject();
                              form.fmChangeVoltage->rb230()->setChecked(true);
                              form.fmChangeVoltage->bbOK()->click();
                            })
            .leftOpen;
      case Place::AutoSetIdentify:
      case Place::AutoSetRead:
      case Place::AutoSetWrite:
        return RunModalFrom(form.mmSetupAuto(),
                            [&](QWidget*) {
                              Inject();
                              form.fmSetupAUTO->bbCheckBase()->click();
                              form.fmSetupAUTO->bbOK()->click();
                            })
            .leftOpen;
      case Place::OptionsTest:
        return RunModalFrom(form.mmOption(),
                            [&](QWidget*) {
                              Inject();
                              form.fmOption->bbTransmitionTest()->click();
                            })
            .leftOpen;
      case Place::OptionsOk:
        return RunModalFrom(form.mmOption(),
                            [&](QWidget*) {
                              form.fmOption->cbMeterType()->setEditText("TVA-740");
                              Inject();
                              form.fmOption->bbOK()->click();
                            })
            .leftOpen;
    }
    return false;
  }

  std::string Expected(Image image) const {
    std::string expected = old_;
    const bool autoMode = GetParam().place >= Place::AutoOpening;
    if (image == Image::New && autoMode) expected[144] = '\x44';
    if (image != Image::Old && !autoMode) expected.replace(40, 2, Bytes("66 87"));
    if (image == Image::New && !autoMode) expected.replace(126, 2, Bytes("3E 12"));
    if (image == Image::Elsewhere) expected.replace(126, 2, Bytes("3E 13"));
    return expected;
  }

  std::string old_;
};

}  // namespace

TEST_P(FaultMatrix, MessageWindowEepromAndRecord) {
  const FaultCase& c = GetParam();
  const bool open = Run();
  if (*c.message) {
    ASSERT_FALSE(boxes_.shown.empty());
    EXPECT_EQ(boxes_.shown.back().kind, c.kind);
    const QString message = QString::fromUtf8(c.message);
    EXPECT_EQ(boxes_.shown.back().text, c.kind == kChoice ? message.arg(LocalBegun()) : message);
    // Told once, with the outcome of the change.
    EXPECT_EQ(boxes_.shown.back().details.contains("could not be added to the record of changes"),
              c.record == Record::Unwritable && c.kind != BoxKind::Confirmation);
  } else {
    EXPECT_TRUE(boxes_.shown.empty());
  }
  EXPECT_EQ(open, c.dialogOpen);
  EXPECT_EQ(tester_.Eeprom(), Expected(c.image));
  const std::vector<ChangeLine> lines = record_.Lines();
  const std::string recorded = c.recorded ? c.recorded : RecordedByPlace(c.place);
  EXPECT_EQ(lines.empty() ? "" : lines.back().outcome, recorded);
  // A voltage switch that may have been cut short between its two words
  // stays pending, and the user is told so with the outcome; the AUTO-mode
  // byte is one location, never a mix.
  const bool halfChanged = recorded == kOutcomeHalfChanged && c.place < Place::OptionsTest;
  const bool recordFine = c.record == Record::Fine;
  EXPECT_EQ(record_.Pending().size(), halfChanged && recordFine ? 1u : 0u);
  if (!boxes_.shown.empty() && !HalfChangePlace(c.place) &&
      boxes_.shown.back().kind != BoxKind::Choice) {
    EXPECT_EQ(boxes_.shown.back().details.contains("the tester may now hold a mix"),
              halfChanged || (!recordFine && c.image == Image::HalfChange));
  }
}

#define ROW(place, fault, kind, message, open, image) \
  FaultCase { #place "_" #fault, Place::place, LineFault::fault, kind, message, open, Image::image }
// A row whose record differs from its place's rule.
#define ROW_RECORDED(place, fault, kind, message, open, image, recorded)                          \
  FaultCase {                                                                                     \
    #place "_" #fault, Place::place, LineFault::fault, kind, message, open, Image::image, recorded \
  }

// A write whose acknowledge is damaged (wrong CRC, noise, cut short) has
// landed all the same; a refused or lost one has not.
INSTANTIATE_TEST_SUITE_P(
    EveryFaultEveryPlace, FaultMatrix,
    ::testing::Values(ROW(Menu, Silence, kInfo, kNoDevice, false, Old),
                      ROW(Menu, WrongCrc, kInfo, kTransmission, false, Old),
                      ROW(Menu, ShortReply, kInfo, kTransmission, false, Old),
                      ROW(Menu, Nak, kInfo, kTransmission, false, Old),
                      ROW(Menu, Noise, kInfo, kTransmission, false, Old),
                      ROW(Menu, HangUp, kReport, kHungUp, false, Old),
                      ROW(Menu, OtherModel, kInfo, kMismatch, false, Old),
                      ROW(VoltageOpening, Silence, kReport, kReadSilent, true, Old),
                      ROW(VoltageOpening, WrongCrc, kReport, kReadCrc, true, Old),
                      ROW(VoltageOpening, ShortReply, kReport, kReadCrc, true, Old),
                      ROW(VoltageOpening, Nak, kReport, kReadCrc, true, Old),
                      ROW(VoltageOpening, Noise, kReport, kReadCrc, true, Old),
                      ROW(VoltageOpening, HangUp, kReport, kHungUp, true, Old),
                      ROW(VoltageSetIdentify, Silence, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetIdentify, WrongCrc, kReport, kVersionCrc, true, Old),
                      ROW(VoltageSetIdentify, ShortReply, kReport, kVersionCrc, true, Old),
                      ROW(VoltageSetIdentify, Nak, kReport, kVersionCrc, true, Old),
                      ROW(VoltageSetIdentify, Noise, kReport, kVersionCrc, true, Old),
                      ROW(VoltageSetIdentify, HangUp, kReport, kHungUp, true, Old),
                      ROW(VoltageSetIdentify, OtherModel, kInfo, kMismatch, true, Old),
                      ROW(VoltageSetRead, Silence, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetRead, WrongCrc, kReport, kReadCrc, true, Old),
                      ROW(VoltageSetRead, ShortReply, kReport, kReadCrc, true, Old),
                      ROW(VoltageSetRead, Nak, kReport, kReadCrc, true, Old),
                      ROW(VoltageSetRead, Noise, kReport, kReadCrc, true, Old),
                      ROW(VoltageSetRead, HangUp, kReport, kHungUp, true, Old),
                      ROW(VoltageSetFirst, Silence, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetFirst, WrongCrc, kReport, kWriteRefused, true, Old),
                      ROW(VoltageSetFirst, ShortReply, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetFirst, Nak, kReport, kWriteRefused, true, Old),
                      ROW(VoltageSetFirst, Noise, kReport, kWriteRefused, true, Old),
                      ROW(VoltageSetFirst, HangUp, kReport, kHungUp, true, Old),
                      ROW(VoltageSetSecond, Silence, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetSecond, WrongCrc, kReport, kWriteRefused, true, Old),
                      ROW(VoltageSetSecond, ShortReply, kInfo, kNoDevice, false, Old),
                      ROW(VoltageSetSecond, Nak, kReport, kWriteRefused, true, Old),
                      ROW(VoltageSetSecond, Noise, kReport, kWriteRefused, true, Old),
                      // Gone after the voltage word landed: nothing can put it back.
                      ROW(VoltageSetSecond, HangUp, kReport, kHungUp, true, HalfChange),
                      ROW(OptionsTest, Silence, kInfo, kNoDevice, true, Old),
                      ROW(OptionsTest, WrongCrc, kInfo, kTransmission, true, Old),
                      ROW(OptionsTest, ShortReply, kInfo, kTransmission, true, Old),
                      ROW(OptionsTest, Nak, kInfo, kTransmission, true, Old),
                      ROW(OptionsTest, Noise, kInfo, kTransmission, true, Old),
                      ROW(OptionsTest, HangUp, kReport, kHungUp, true, Old),
                      ROW(OptionsTest, OtherModel, kInfo,
                          "  It is now connected:  [DKL-310 v1.00]\r", true, Old),
                      ROW(OptionsOk, Silence, kInfo, kNoDevice, false, Old),
                      ROW(OptionsOk, WrongCrc, kInfo, kTransmission, false, Old),
                      ROW(OptionsOk, ShortReply, kInfo, kTransmission, false, Old),
                      ROW(OptionsOk, Nak, kInfo, kTransmission, false, Old),
                      ROW(OptionsOk, Noise, kInfo, kTransmission, false, Old),
                      ROW(OptionsOk, HangUp, kReport, kHungUp, true, Old),
                      ROW(OptionsOk, OtherModel, kInfo, kMismatch, true, Old),
                      ROW(AutoOpening, Silence, kInfo, kNoDevice, true, Old),
                      ROW(AutoOpening, WrongCrc, kReport, kReadCrc, true, Old),
                      ROW(AutoOpening, ShortReply, kReport, kReadCrc, true, Old),
                      ROW(AutoOpening, Nak, kReport, kReadCrc, true, Old),
                      ROW(AutoOpening, Noise, kReport, kReadCrc, true, Old),
                      ROW(AutoOpening, HangUp, kReport, kHungUp, true, Old),
                      ROW(AutoSetIdentify, Silence, kInfo, kNoDevice, false, Old),
                      ROW(AutoSetIdentify, WrongCrc, kReport, kVersionCrc, true, Old),
                      ROW(AutoSetIdentify, ShortReply, kReport, kVersionCrc, true, Old),
                      ROW(AutoSetIdentify, Nak, kReport, kVersionCrc, true, Old),
                      ROW(AutoSetIdentify, Noise, kReport, kVersionCrc, true, Old),
                      ROW(AutoSetIdentify, HangUp, kReport, kHungUp, true, Old),
                      ROW(AutoSetIdentify, OtherModel, kInfo, kMismatch, true, Old),
                      ROW(AutoSetRead, Silence, kInfo, kNoDevice, false, Old),
                      ROW(AutoSetRead, WrongCrc, kReport, kReadCrc, true, Old),
                      ROW(AutoSetRead, ShortReply, kReport, kReadCrc, true, Old),
                      ROW(AutoSetRead, Nak, kReport, kReadCrc, true, Old),
                      ROW(AutoSetRead, Noise, kReport, kReadCrc, true, Old),
                      ROW(AutoSetRead, HangUp, kReport, kHungUp, true, Old),
                      ROW(AutoSetWrite, Silence, kInfo, kNoDevice, false, Old),
                      ROW(AutoSetWrite, WrongCrc, kReport, kWriteRefused, true, New),
                      ROW(AutoSetWrite, ShortReply, kInfo, kNoDevice, false, New),
                      ROW(AutoSetWrite, Nak, kReport, kWriteRefused, true, Old),
                      ROW(AutoSetWrite, Noise, kReport, kWriteRefused, true, New),
                      ROW(AutoSetWrite, HangUp, kReport, kHungUp, true, Old),
                      ROW_RECORDED(VoltageSetSecond, None, kInfo, kVoltageChanged, false, New,
                                   "done"),
                      ROW_RECORDED(AutoSetWrite, None, kInfo, kAutoChanged, false, New, "done"),
                      // A record that cannot take the voltage switch's first line: asked,
                      // default No, nothing written; or made all the same, and the user told.
                      FaultCase{"VoltageSetSecond_None_RecordUnwritable", Place::VoltageSetSecond,
                                LineFault::None, kConfirm, kWithoutTrace, false, Image::Old, "",
                                Record::Unwritable},
                      FaultCase{"VoltageSetSecond_None_RecordUnwritableYes",
                                Place::VoltageSetSecond, LineFault::None, kInfo, kVoltageChanged,
                                false, Image::New, "", Record::Unwritable, true},
                      FaultCase{"VoltageSetSecond_HangUp_RecordUnwritableYes",
                                Place::VoltageSetSecond, LineFault::HangUp, kReport, kHungUp, true,
                                Image::HalfChange, "", Record::Unwritable, true},
                      // The AUTO-mode byte, one location, is written and the user told.
                      FaultCase{"AutoSetWrite_None_RecordUnwritable", Place::AutoSetWrite,
                                LineFault::None, kInfo, kAutoChanged, false, Image::New, "",
                                Record::Unwritable},
                      // A record that cannot be read: the dialog shows the tester, its
                      // write is refused with nothing sent.
                      FaultCase{"VoltageSetSecond_None_RecordUnreadable", Place::VoltageSetSecond,
                                LineFault::None, kInfo, kUnreadable, false, Image::Old, "",
                                Record::Unreadable},
                      // Put right, recorded, and the dialog opens on the tester as it is now.
                      ROW_RECORDED(HalfChangeFinish, None, kInfo, kFinished, true, New, "done"),
                      ROW_RECORDED(HalfChangeUndo, None, kInfo, kUndone, true, Old, "done"),
                      // Gone again in the middle of the repair: still half-changed.
                      ROW_RECORDED(HalfChangeFinish, HangUp, kReport, kHungUp, false, HalfChange,
                                   "half-changed"),
                      ROW_RECORDED(HalfChangeUndo, Silence, kInfo, kNoDevice, false, HalfChange,
                                   "half-changed"),
                      // Left for now: nothing written, nothing recorded, no dialog.
                      ROW_RECORDED(HalfChangeLeft, None, kChoice, kOffer, false, HalfChange,
                                   "half-changed"),
                      // Swapped in while the dialog was open: offered, and nothing
                      // built on it.
                      ROW_RECORDED(VoltageSetIdentify, HalfChangedTester, kChoice, kOffer, false,
                                   HalfChange, "half-changed"),
                      // A repair refused: the half-change still waits.
                      ROW_RECORDED(HalfChangeFinish, Nak, kReport, kWriteRefused, false,
                                   HalfChange, "half-changed"),
                      // Neither as before nor as written: another tester, left alone
                      // with nothing recorded; the half-change waits for its own.
                      ROW_RECORDED(RepairedElsewhere, None, kInfo, "", true, Elsewhere,
                                   "half-changed")),
    RowName());

#undef ROW

// The cable pulled during an exchange and plugged back: the port closes, the
// user picks it again in Options, and the program works on without a restart.
using LineRecovery = MainWindowFixture;

TEST_F(LineRecovery, PulledCableIsRecoveredByPickingThePortAgain) {
  const ScratchDir scratch;
  const auto link = scratch / "tester";
  std::filesystem::create_symlink(tester_.DevicePath(), link);
  WriteSettings("[Ports]\nCOM2=" + link.string() +
                "\n[Main Setings]\nSerial port=COM2\nMeter=TVA740v2_299Type\n");
  TForm1& form = Start();
  tester_.AddFault(Fault::HangUp, 1, 'V');
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "Błąd wykonania funkcji ReadFile (win error code: 5)");
  EXPECT_FALSE(form.MeterPort->Connected());
  form.mmChangeVoltage()->trigger();
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, " Device and/or communication port has not been selected ");

  sim::TesterSimulator back;
  std::filesystem::remove(link);
  std::filesystem::create_symlink(back.DevicePath(), link);
  RunModalFrom(form.mmOption(), [&](QWidget*) {
    form.fmOption->SetPortText("");
    QTest::keyClicks(form.fmOption->cbCOM()->lineEdit(), "COM2");  // chosen again
    form.fmOption->bbCancel()->click();
  });
  EXPECT_TRUE(form.MeterPort->Connected());

  EXPECT_EQ(RunModalFrom(form.mmChangeVoltage()).modal,
            static_cast<QWidget*>(form.fmChangeVoltage));
  EXPECT_EQ(back.Requests().size(), 2u);  // identified, then the voltage read
}

// On a Polish desktop, whose locale Qt applies to the whole program, the
// record is read as anywhere else and the half-change offered; in the
// windows' Polish in plain words, the bytes and UTC behind the details.
using PolishDesktop = MainWindowFixture;

TEST_F(PolishDesktop, HalfChangeIsOffered) {
  Remember("COM3", "TVA740v2_299Type");
  TForm1& form = Start();
  std::ofstream(record_.File()) << TvaHalfChangedLine();
  tester_.SetEepromBytes(40, Bytes("66 87"));
  const PolishLocale polish;
  boxes_.choices = {2, 2};  // left for now, twice
  RunModalFrom(form.mmChangeVoltage());
  ASSERT_FALSE(boxes_.shown.empty());
  EXPECT_EQ(boxes_.shown.back().text, QString::fromUtf8(kOffer).arg(LocalBegun()));
  UseLanguage(UiLanguage::Polish);
  RunModalFrom(form.mmChangeVoltage());
  UseLanguage(UiLanguage::English);
  const RecordingBoxes::Box& offer = boxes_.shown.back();
  EXPECT_NE(offer.text, boxes_.shown.front().text);
  for (const QString& told : {LocalBegun(), QString("COM3"), QString("230 V")})
    EXPECT_TRUE(offer.text.contains(told)) << told.toStdString();
  for (const char* behind : {"UTC", "66 87", "7d0c0a1e"}) {
    EXPECT_FALSE(offer.text.contains(behind)) << behind;
    EXPECT_TRUE(offer.details.contains(behind)) << behind;
  }
}

// The voltage dialog's read at its opening goes to the general failure
// report; in Polish its text is Polish, the link's own text in the details.
TEST_F(PolishDesktop, FailureReportInTheWindowsLanguage) {
  Remember("COM3", "TVA740v2_299Type");
  TForm1& form = Start();
  tester_.AddFault(Fault::NoAnswer, sim::kForever, 'o', 40);
  UseLanguage(UiLanguage::Polish);
  RunModalFrom(form.mmChangeVoltage());
  UseLanguage(UiLanguage::English);
  ASSERT_FALSE(boxes_.shown.empty());
  EXPECT_EQ(boxes_.shown.back().kind, BoxKind::Failure);
  EXPECT_NE(boxes_.shown.back().text, kReadSilent);
  EXPECT_EQ(boxes_.shown.back().details, QString(kReadSilent).trimmed());
}
