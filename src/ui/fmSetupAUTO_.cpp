#include "fmSetupAUTO_.h"

#include <QEvent>

#include "HandlerGuard.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "TVA740.h"
#include "TesterExchange.h"
#include "TesterWrite.h"
#include "ui_fmSetupAUTO_.h"
#include "useful.h"

namespace {

constexpr std::uint8_t kNoOptions = 0x00;

// The 0,5 × IΔn tests must not trip the RCD: black; the tripping ones navy,
// the colour the window's note calls blue.
const QColor kNavy(0, 0, 128);
const char* const kTrippingDescription =
    QT_TRANSLATE_NOOP("TfmSetupAUTO", "Blue: a test that trips the RCD");
const char* const kNonTrippingDescription =
    QT_TRANSLATE_NOOP("TfmSetupAUTO", "A test that must not trip the RCD");

}  // namespace

TfmSetupAUTO::TfmSetupAUTO(MeterHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      ui_(std::make_unique<Ui::TfmSetupAUTO>()) {
  ui_->setupUi(this);
  setFixedSize(size());

  using Polarity = RcdTestLabel::Polarity;
  struct Option {
    int bit;
    QCheckBox* box;
    RcdTestLabel* picture;
    const char* multiple;  // empty for the trip-current tests
    Polarity polarity;
  };
  const Option options[] = {
      {tva740::kTripTime05Positive, ui_->cb05Ip, ui_->im1, "0,5", Polarity::Positive},
      {tva740::kTripTime05Negative, ui_->cb05In, ui_->im2, "0,5", Polarity::Negative},
      {tva740::kTripTime1Positive, ui_->cb1Ip, ui_->im3, "1", Polarity::Positive},
      {tva740::kTripTime1Negative, ui_->cb1In, ui_->im4, "1", Polarity::Negative},
      {tva740::kTripTime5Positive, ui_->cb5Ip, ui_->im5, "5", Polarity::Positive},
      {tva740::kTripTime5Negative, ui_->cb5In, ui_->im6, "5", Polarity::Negative},
      {tva740::kTripCurrentPositive, ui_->cbIAp, ui_->im7, "", Polarity::Positive},
      {tva740::kTripCurrentNegative, ui_->cbIAn, ui_->im8, "", Polarity::Negative},
  };
  for (const Option& option : options) {
    const bool tripping = TestBit(tva740::kTrippingOptions, option.bit);
    option.picture->Configure(QString::fromLatin1(option.multiple), option.polarity,
                              tripping ? kNavy : Qt::black);
    optionBoxes_[option.bit] = option.box;
    optionPictures_[option.bit] = option.picture;
  }
  NameOptionBoxes();

  ConnectCommand(ui_->bbCheckAll, &QPushButton::clicked, this, &TfmSetupAUTO::bbCheckAllClick);
  ConnectCommand(ui_->bbCheckBase, &QPushButton::clicked, this, &TfmSetupAUTO::bbCheckBaseClick);
  ConnectCommand(ui_->bbClearAll, &QPushButton::clicked, this, &TfmSetupAUTO::bbClearAllClick);
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmSetupAUTO::bbOKClick);
  ConnectCommand(ui_->bbCancel, &QPushButton::clicked, this, &TfmSetupAUTO::bbCancelClick);
}

TfmSetupAUTO::~TfmSetupAUTO() = default;

void TfmSetupAUTO::NameOptionBoxes() {
  for (int bit = 0; bit < 8; ++bit) {
    // The box has no text of its own: a screen reader says what its picture
    // shows, and in words what its colour shows.
    const bool tripping = TestBit(tva740::kTrippingOptions, bit);
    optionBoxes_[bit]->setAccessibleName(optionPictures_[bit]->SpokenName());
    optionBoxes_[bit]->setAccessibleDescription(
        tr(tripping ? kTrippingDescription : kNonTrippingDescription));
  }
}

void TfmSetupAUTO::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    NameOptionBoxes();
  }
  QDialog::changeEvent(event);
}

QCheckBox* TfmSetupAUTO::cbUb() const { return ui_->cbUb; }
QCheckBox* TfmSetupAUTO::cbRe() const { return ui_->cbRe; }
QPushButton* TfmSetupAUTO::bbCheckAll() const { return ui_->bbCheckAll; }
QPushButton* TfmSetupAUTO::bbCheckBase() const { return ui_->bbCheckBase; }
QPushButton* TfmSetupAUTO::bbClearAll() const { return ui_->bbClearAll; }
QPushButton* TfmSetupAUTO::bbOK() const { return ui_->bbOK; }
QPushButton* TfmSetupAUTO::bbCancel() const { return ui_->bbCancel; }

int TfmSetupAUTO::ShowModal() {
  // The two headings' subscripts are rich text, made when the dialog first
  // shows: a rich label lays out a document as it is made, the first of which
  // would cost the program's start more than the rest of the dialog.
  for (QLabel* heading : {ui_->stTime, ui_->stCurrent}) heading->setTextFormat(Qt::RichText);
  Guarded([this] { FormShow(); });
  return exec();
}

void TfmSetupAUTO::FormShow() {
  std::uint8_t byte = 0;
  try {
    TMeter& meter = host_.Meter();
    byte = WithTester([&] { return meter.ReadAutoSetup(); });
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  }
  // Any other failure has left before this: the boxes stay as they were.
  ShowByte(byte);
}

void TfmSetupAUTO::ShowByte(std::uint8_t byte) {
  for (int bit = 7; bit >= 0; --bit) optionBoxes_[bit]->setChecked(TestBit(byte, bit));
}

std::uint8_t TfmSetupAUTO::ByteShown() const {
  std::uint8_t byte = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (optionBoxes_[bit]->isChecked()) SetBit(byte, bit);
  }
  return byte;
}

void TfmSetupAUTO::bbCheckAllClick() { ShowByte(tva740::kAllOptions); }

void TfmSetupAUTO::bbCheckBaseClick() { ShowByte(tva740::kBasicOptions); }

void TfmSetupAUTO::bbClearAllClick() { ShowByte(kNoOptions); }

void TfmSetupAUTO::bbOKClick() {
  const std::uint8_t byte = ByteShown();
  if ((byte & tva740::kTrippingOptions) == 0) {
    Boxes().Information(kSelectTrippingMessage);
    return;
  }
  if (!Boxes().Confirm(kAutoSetupQuestion, true)) {
    reject();
    return;
  }
  try {
    TMeter& meter = host_.Meter();
    const WriteOutcome outcome = WriteToTester(host_, AutoSetupChange(byte), [&] {
      meter.WriteAutoSetup(byte);
      return true;
    });
    // Another tester answers now: the dialog stays open, nothing written.
    if (outcome == WriteOutcome::OtherTester) return;
    if (outcome == WriteOutcome::Written) Boxes().Information(kAutoSetupDoneMessage);
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  }
  reject();
}

void TfmSetupAUTO::bbCancelClick() { reject(); }
