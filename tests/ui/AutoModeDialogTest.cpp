#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "NamedRows.h"
#include "RcdTestLabel.h"
#include "TesterOnLine.h"
#include "fmSetupAUTO_.h"

using sim::Fault;

namespace {

constexpr std::uint16_t kAutoAddress = 144;

// The AUTO-mode dialog of a program that remembers the simulated TVA-740 of
// firmware 2.01, which holds 0x3C 0x5A at the AUTO-mode address.
class AutoModeDialog : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Remember("COM2", "TVA740v2_299Type");
    dialog_ = Start().fmSetupAUTO;
    eepromBefore_ = tester_.Eeprom();
  }

  // Opens the dialog as the menu does and runs action inside it; true when
  // the dialog was still open after the action.
  bool OpenAnd(const std::function<void(TfmSetupAUTO&)>& action) {
    return RunModalFrom(form_->mmSetupAuto(), [&](QWidget*) { action(*dialog_); }).leftOpen;
  }

  std::uint8_t Shown() const {
    std::uint8_t byte = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (dialog_->OptionBoxes()[bit]->isChecked())
        byte = static_cast<std::uint8_t>(byte | 1 << bit);
    }
    return byte;
  }

  void Check(std::uint8_t byte) {
    for (int bit = 0; bit < 8; ++bit) dialog_->OptionBoxes()[bit]->setChecked(byte >> bit & 1);
  }

  TfmSetupAUTO* dialog_ = nullptr;
  std::string eepromBefore_;
};

QImage Render(QWidget* widget, qreal ratio) {
  QImage image((widget->size() * ratio), QImage::Format_ARGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

}  // namespace

TEST_F(AutoModeDialog, LayoutAndFixedMeasurements) {
  EXPECT_EQ(dialog_->windowTitle(), "Setup of RCDs' measurement AUTO mode");
  EXPECT_EQ(dialog_->size(), QSize(451, 342));
  EXPECT_EQ(dialog_->minimumSize(), dialog_->maximumSize());
  for (QCheckBox* fixed : {dialog_->cbUb(), dialog_->cbRe()}) {
    EXPECT_TRUE(fixed->isChecked());
    EXPECT_FALSE(fixed->isEnabled());
  }
  EXPECT_EQ(dialog_->findChild<QLabel*>("stTime")->text(), "Time T<sub>A</sub>");
  EXPECT_EQ(dialog_->findChild<QLabel*>("stCurrent")->text(), "Current I<sub>A</sub>");
  EXPECT_EQ(dialog_->findChild<QLabel*>("stNote")->text(),
            "At least one of the options in blue\ncolour should be selected");
  EXPECT_EQ(dialog_->bbCheckAll()->text(), "Select all");
  EXPECT_EQ(dialog_->bbCheckBase()->text(), "Turn on basic options");
  EXPECT_EQ(dialog_->bbClearAll()->text(), "Turn off all");
  EXPECT_EQ(dialog_->bbOK()->text(), "Set");
  EXPECT_EQ(dialog_->bbCancel()->text(), "Cancel");
  for (QCheckBox* box : dialog_->OptionBoxes()) {
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_FALSE(box->isChecked());  // none checked before the first opening
  }
  QStringList order;
  QWidget* widget = dialog_->OptionBoxes()[0];
  do {
    if (widget->focusPolicy() & Qt::TabFocus && widget->isEnabled()) order << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != dialog_->OptionBoxes()[0]);
  EXPECT_EQ(order,
            (QStringList{"cb05Ip", "cb05In", "cb1Ip", "cb1In", "cb5Ip", "cb5In", "cbIAp", "cbIAn",
                         "bbCheckAll", "bbCheckBase", "bbClearAll", "bbOK", "bbCancel"}));
}

// The tripping options are labelled navy, the others black; the negative
// symbol group is the positive one mirrored; pictures are drawn, not scaled.
TEST_F(AutoModeDialog, LabelPictures) {
  const QColor navy(0, 0, 128);
  for (int picture = 1; picture <= 8; ++picture) {
    auto* label = dialog_->findChild<RcdTestLabel*>(QStringLiteral("im%1").arg(picture));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->size(), QSize(75, 15));
    EXPECT_EQ(label->Colour(), picture <= 2 ? QColor(Qt::black) : navy) << picture;
    const QImage image = Render(label, 2);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel.alpha() == 0) continue;
        ++inked;
        // Faint edge pixels carry little colour; the solid ones are the label's.
        const QColor colour = label->Colour();
        if (pixel.alpha() < 160) continue;
        EXPECT_TRUE(pixel.red() <= colour.red() + 8 && pixel.green() <= colour.green() + 8 &&
                    pixel.blue() <= colour.blue() + 8)
            << picture << " at " << x << "," << y;
      }
    }
    EXPECT_GT(inked, 100) << picture;
  }
  const QImage positive = Render(dialog_->findChild<RcdTestLabel*>("im7"), 2);
  const QImage negative = Render(dialog_->findChild<RcdTestLabel*>("im8"), 2);
  const QImage mirrored = positive.mirrored(false, true);
  int differing = 0;
  for (int y = 0; y < negative.height(); ++y) {
    for (int x = 0; x < negative.width(); ++x) {
      differing +=
          std::abs(mirrored.pixelColor(x, y).alpha() - negative.pixelColor(x, y).alpha()) > 64;
    }
  }
  EXPECT_LT(differing, negative.width() * negative.height() / 50);
}

struct ByteCase {
  const char* name;
  std::uint8_t byte;
  friend void PrintTo(const ByteCase& row, std::ostream* out) { *out << row.name; }
};

class AutoModeOpening : public AutoModeDialog, public ::testing::WithParamInterface<ByteCase> {};

TEST_P(AutoModeOpening, ShowsTheByteBitForBit) {
  tester_.SetEepromBytes(kAutoAddress, std::string(1, static_cast<char>(GetParam().byte)));
  std::uint8_t shown = 0;
  OpenAnd([&](TfmSetupAUTO&) { shown = Shown(); });
  EXPECT_EQ(shown, GetParam().byte);
  // The identification, then one read at 144.
  const auto requests = tester_.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], Bytes("56 33 3A"));
  EXPECT_EQ(requests[1].substr(0, 3), Bytes("6F 90 00"));
  EXPECT_TRUE(boxes_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Bytes, AutoModeOpening,
                         ::testing::Values(ByteCase{"Simulator", 0x3C}, ByteCase{"All", 0xFF},
                                           ByteCase{"None", 0x00}, ByteCase{"Basic", 0x44},
                                           ByteCase{"OddPattern", 0xA5}),
                         RowName());

struct PresetCase {
  const char* name;
  QPushButton* (TfmSetupAUTO::*button)() const;
  std::uint8_t byte;
  friend void PrintTo(const PresetCase& row, std::ostream* out) { *out << row.name; }
};

class AutoModePreset : public AutoModeDialog, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(AutoModePreset, SetYesWritesTheByteAfterAFreshIdentification) {
  boxes_.answers = {true};
  size_t sent = 0;
  std::uint8_t shown = 0;
  const bool open = OpenAnd([&](TfmSetupAUTO& dialog) {
    sent = tester_.Requests().size();
    (dialog.*GetParam().button)()->click();
    shown = Shown();
    dialog.bbOK()->click();
  });
  EXPECT_EQ(shown, GetParam().byte);
  EXPECT_FALSE(open);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(boxes_.shown[0].text, " To change setup of device's AUTO mode ?");
  EXPECT_TRUE(boxes_.shown[0].yesIsDefault);
  EXPECT_EQ(boxes_.shown[1].text,
            " OK - done.                                     \r"
            " Setup change of device's AUTO mode successful.");
  // Identified anew, the byte after it read, one write of the byte beside it.
  const auto requests = tester_.Requests();
  ASSERT_EQ(requests.size(), sent + 3);
  EXPECT_EQ(requests[sent], Bytes("56 33 3A"));
  EXPECT_EQ(requests[sent + 1].substr(0, 3), Bytes("6F 90 00"));
  const std::string written = {static_cast<char>(GetParam().byte), '\x5A'};
  EXPECT_EQ(requests[sent + 2].substr(0, 5), Bytes("7A 90 00") + written);
  std::string expected = eepromBefore_;
  expected[kAutoAddress] = static_cast<char>(GetParam().byte);
  EXPECT_EQ(tester_.Eeprom(), expected);
}

INSTANTIATE_TEST_SUITE_P(Presets, AutoModePreset,
                         ::testing::Values(PresetCase{"SelectAll", &TfmSetupAUTO::bbCheckAll, 0xFF},
                                           PresetCase{"BasicOptions", &TfmSetupAUTO::bbCheckBase,
                                                      0x44}),
                         RowName());

TEST_F(AutoModeDialog, WithoutATrippingOptionNothingIsAsked) {
  for (std::uint8_t byte : {0x03, 0x00}) {
    boxes_.shown.clear();
    const size_t before = tester_.Requests().size();
    const bool open = OpenAnd([&](TfmSetupAUTO& dialog) {
      byte ? Check(byte) : dialog.bbClearAll()->click();
      dialog.bbOK()->click();
    });
    EXPECT_TRUE(open);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text,
              "You have to select at least one of the parameters \rintended for tripping RCD on.");
    EXPECT_EQ(tester_.Requests().size(), before + 2);  // the opening's identification and read
  }
}

TEST_F(AutoModeDialog, NoToTheConfirmationClosesWithNothingSent) {
  size_t sent = 0;
  const bool open = OpenAnd([&](TfmSetupAUTO& dialog) {
    sent = tester_.Requests().size();
    Check(0x04);  // one tripping option is enough to be asked
    dialog.bbOK()->click();
  });
  EXPECT_FALSE(open);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(tester_.Requests().size(), sent);
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
}

TEST_F(AutoModeDialog, SilentOpeningClearsTheBoxesCorruptOpeningKeepsThem) {
  OpenAnd([](TfmSetupAUTO&) {});
  ASSERT_EQ(Shown(), 0x3C);
  tester_.AddFault(Fault::WrongCrc, sim::kForever, 'o');
  std::uint8_t shown = 0;
  OpenAnd([&](TfmSetupAUTO&) { shown = Shown(); });
  EXPECT_EQ(shown, 0x3C);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Failure);
  EXPECT_EQ(boxes_.shown[0].text, " object TMeter.EERead: CRC ERROR ");

  tester_.ClearFaults();
  tester_.AddFault(Fault::NoAnswer, sim::kForever, 'o');
  OpenAnd([&](TfmSetupAUTO&) { shown = Shown(); });
  EXPECT_EQ(shown, 0x00);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(boxes_.shown[1].text.startsWith(" No device detected, check if:"));
}

TEST_F(AutoModeDialog, AnotherTesterAfterOpeningWritesNothing) {
  boxes_.answers = {true};
  const bool open = OpenAnd([&](TfmSetupAUTO& dialog) {
    tester_.SetModel("DKL-310", "1.00");
    dialog.bbCheckBase()->click();
    dialog.bbOK()->click();
  });
  EXPECT_TRUE(open);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text,
            "The device connected is not of TVA-740 type, \r It is now connected: DKL-310 v1.00");
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
  EXPECT_EQ(form_->CurrentMeter->MeterType, kMeterTVA740v2);
}

TEST_F(AutoModeDialog, SilenceWhileWritingClosesAndLeavesTheByte) {
  boxes_.answers = {true};
  tester_.AddFault(Fault::NoAnswer, sim::kForever, 'z');
  const bool open = OpenAnd([&](TfmSetupAUTO& dialog) {
    dialog.bbCheckAll()->click();
    dialog.bbOK()->click();
  });
  EXPECT_FALSE(open);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(boxes_.shown[1].text.startsWith(" No device detected, check if:"));
  EXPECT_EQ(tester_.Eeprom(), eepromBefore_);
}

TEST_F(AutoModeDialog, MenuOpensNothingForAnotherTester) {
  tester_.SetModel("TVA-740", "1.50");
  EXPECT_EQ(RunModalFrom(form_->mmSetupAuto()).modal, nullptr);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text,
            "The device connected is not of TVA-740 type, \r It is now connected: TVA-740 v1.50");
  EXPECT_EQ(tester_.Requests().size(), 1u);
}
