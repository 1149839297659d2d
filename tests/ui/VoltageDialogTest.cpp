#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "TesterOnLine.h"
#include "useful.h"

using sim::Fault;

namespace {

// The voltage dialog of a program that remembers the simulated TVA-740.
class VoltageDialog : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Remember("COM2", "TVA740v2_299Type");
    dialog_ = Start().fmChangeVoltage;
    eepromBefore_ = tester_.Eeprom();
  }

  // Opens the dialog as the menu does and runs action inside it.
  void OpenAnd(const std::function<void(TfmChangeVoltage&)>& action) {
    RunModalFrom(form_->mmChangeVoltage(), [&](QWidget*) { action(*dialog_); });
  }

  void Choose(QRadioButton* button) { button->setChecked(true); }

  TfmChangeVoltage* dialog_ = nullptr;
  std::string eepromBefore_;
};

}  // namespace

TEST_F(VoltageDialog, Layout) {
  EXPECT_EQ(dialog_->windowTitle(), "Nominal voltage");
  EXPECT_EQ(dialog_->size(), QSize(391, 173));
  EXPECT_EQ(dialog_->minimumSize(), dialog_->maximumSize());
  EXPECT_EQ(dialog_->plVoltage()->text(), "read");
  EXPECT_EQ(dialog_->rb220()->text(), "220 V");
  EXPECT_EQ(dialog_->rb230()->text(), "230 V");
  EXPECT_EQ(dialog_->bbOK()->text(), "Set");
  EXPECT_EQ(dialog_->bbCancel()->text(), "Cancel");
  EXPECT_FALSE(dialog_->rb220()->isChecked() || dialog_->rb230()->isChecked());
}

TEST_F(VoltageDialog, EachOpeningClearsTheChoiceAndReadsTheVoltage) {
  bool cleared = false;
  QString shown;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    shown = dialog.plVoltage()->text();
    Choose(dialog.rb230());
  });
  EXPECT_EQ(shown, "220V");
  tester_.SetEepromBytes(40, Bytes("66 87 00 00"));
  OpenAnd([&](TfmChangeVoltage& dialog) {
    cleared = !dialog.rb220()->isChecked() && !dialog.rb230()->isChecked();
    shown = dialog.plVoltage()->text();
  });
  EXPECT_TRUE(cleared);
  EXPECT_EQ(shown, "230V");
  tester_.SetEepromBytes(40, Bytes("00 00 00 00"));
  OpenAnd([&](TfmChangeVoltage& dialog) { shown = dialog.plVoltage()->text(); });
  EXPECT_EQ(shown, "0V");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(VoltageDialog, NothingChosenOrTheSameValueClosesQuietly) {
  size_t sent = 0;
  bool closed = false;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    sent = tester_.Requests().size();
    dialog.bbOK()->click();
    closed = !dialog.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(tester_.Requests().size(), sent);

  OpenAnd([&](TfmChangeVoltage& dialog) {
    sent = tester_.Requests().size();
    Choose(dialog.rb220());  // what the panel shows
    dialog.bbOK()->click();
    closed = !dialog.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(tester_.Requests().size(), sent);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(VoltageDialog, AnsweringNoWritesNothing) {
  bool closed = false;
  size_t sent = 0;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    sent = tester_.Requests().size();
    Choose(dialog.rb230());
    dialog.bbOK()->click();
    closed = !dialog.isVisible();
  });
  EXPECT_TRUE(closed);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(boxes_.shown[0].text, " Change device's nominal voltage ?");
  EXPECT_FALSE(boxes_.shown[0].yesIsDefault);
  EXPECT_EQ(tester_.Requests().size(), sent);
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
}

TEST_F(VoltageDialog, YesIdentifiesWritesAndReports) {
  boxes_.answers = {true};
  size_t sent = 0;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    sent = tester_.Requests().size();
    Choose(dialog.rb230());
    dialog.bbOK()->click();
  });
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, " OK. Device's nominal voltage has been changed into 230 V");
  const auto requests = tester_.Requests();
  ASSERT_EQ(requests.size(), sent + 5);
  EXPECT_EQ(requests[sent], Bytes("56 33 3A"));  // identified anew before writing
  EXPECT_EQ(requests[sent + 1], AddCRC(Bytes("6F 28 00")));  // and the voltage word read anew
  std::string expected = eepromBefore_;
  expected.replace(40, 2, Bytes("66 87"));
  expected.replace(126, 2, Bytes("3E 12"));
  EXPECT_EQ(tester_.Eeprom(), expected);

  boxes_.answers = {true};
  OpenAnd([&](TfmChangeVoltage& dialog) {
    Choose(dialog.rb220());
    dialog.bbOK()->click();
  });
  EXPECT_EQ(boxes_.shown.back().text, " OK. Device's nominal voltage has been changed into 220 V");
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
}

TEST_F(VoltageDialog, SilentAtOpeningReachesTheFailureReportAndKeepsThePanel) {
  OpenAnd([](TfmChangeVoltage&) {});
  ASSERT_EQ(dialog_->plVoltage()->text(), "220V");
  tester_.AddFault(Fault::NoAnswer, sim::kForever, 'o');
  bool cleared = false;
  QString panel;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    cleared = !dialog.rb220()->isChecked() && !dialog.rb230()->isChecked();
    panel = dialog.plVoltage()->text();
  });
  EXPECT_TRUE(cleared);
  EXPECT_EQ(panel, "220V");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Failure);
  EXPECT_EQ(boxes_.shown[0].text, " object TMeter.EERead: NO ANSWER ");
}

TEST_F(VoltageDialog, AnotherTesterAfterOpeningKeepsTheDialogOpen) {
  boxes_.answers = {true};
  bool open = false;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    tester_.SetModel("DKL-310", "1.00");
    Choose(dialog.rb230());
    dialog.bbOK()->click();
    open = dialog.isVisible();
  });
  EXPECT_TRUE(open);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text,
            "The device connected is not of TVA-740 type, \r It is now connected: DKL-310 v1.00");
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
  EXPECT_EQ(form_->CurrentMeter->MeterType, 2);
}

TEST_F(VoltageDialog, SilenceWhileWritingShowsTheNoDeviceMessage) {
  boxes_.answers = {true, true};
  tester_.AddFault(Fault::NoAnswer, sim::kForever, 'z');
  bool closed = false;
  OpenAnd([&](TfmChangeVoltage& dialog) {
    Choose(dialog.rb230());
    dialog.bbOK()->click();
    closed = !dialog.isVisible();
  });
  EXPECT_TRUE(closed);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(boxes_.shown[1].text.startsWith(" No device detected, check if:"));
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);

  // A refused write is another failure: the general report, the dialog open.
  tester_.ClearFaults();
  tester_.AddFault(Fault::Nak, sim::kForever, 'z');
  OpenAnd([&](TfmChangeVoltage& dialog) {
    Choose(dialog.rb230());
    dialog.bbOK()->click();
    closed = !dialog.isVisible();
  });
  EXPECT_FALSE(closed);
  EXPECT_EQ(boxes_.shown.back().kind, BoxKind::Failure);
  EXPECT_EQ(boxes_.shown.back().text, " object TMeter.EEWrite: WRITE ERROR ");
}
