#include "fmSetupAUTO_.h"

#include "HandlerGuard.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "TVA740.h"
#include "TesterExchange.h"
#include "ui_fmSetupAUTO_.h"
#include "useful.h"

namespace {

constexpr std::uint8_t kNoOptions = 0x00;

// The 0,5 × IΔn tests must not trip the RCD: black; the tripping ones navy,
// the colour the window's note calls blue.
const QColor kNavy(0, 0, 128);

}  // namespace

TfmSetupAUTO::TfmSetupAUTO(MeterHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      ui_(std::make_unique<Ui::TfmSetupAUTO>()) {
  ui_->setupUi(this);
  setFixedSize(size());

  optionBoxes_[tva740::kTripTime05Positive] = ui_->cb05Ip;
  optionBoxes_[tva740::kTripTime05Negative] = ui_->cb05In;
  optionBoxes_[tva740::kTripTime1Positive] = ui_->cb1Ip;
  optionBoxes_[tva740::kTripTime1Negative] = ui_->cb1In;
  optionBoxes_[tva740::kTripTime5Positive] = ui_->cb5Ip;
  optionBoxes_[tva740::kTripTime5Negative] = ui_->cb5In;
  optionBoxes_[tva740::kTripCurrentPositive] = ui_->cbIAp;
  optionBoxes_[tva740::kTripCurrentNegative] = ui_->cbIAn;

  using Polarity = RcdTestLabel::Polarity;
  ui_->im1->Configure(QStringLiteral("0,5"), Polarity::Positive, Qt::black);
  ui_->im2->Configure(QStringLiteral("0,5"), Polarity::Negative, Qt::black);
  ui_->im3->Configure(QStringLiteral("1"), Polarity::Positive, kNavy);
  ui_->im4->Configure(QStringLiteral("1"), Polarity::Negative, kNavy);
  ui_->im5->Configure(QStringLiteral("5"), Polarity::Positive, kNavy);
  ui_->im6->Configure(QStringLiteral("5"), Polarity::Negative, kNavy);
  ui_->im7->Configure(QString(), Polarity::Positive, kNavy);
  ui_->im8->Configure(QString(), Polarity::Negative, kNavy);

  ConnectCommand(ui_->bbCheckAll, &QPushButton::clicked, this, &TfmSetupAUTO::bbCheckAllClick);
  ConnectCommand(ui_->bbCheckBase, &QPushButton::clicked, this, &TfmSetupAUTO::bbCheckBaseClick);
  ConnectCommand(ui_->bbClearAll, &QPushButton::clicked, this, &TfmSetupAUTO::bbClearAllClick);
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmSetupAUTO::bbOKClick);
  ConnectCommand(ui_->bbCancel, &QPushButton::clicked, this, &TfmSetupAUTO::bbCancelClick);
}

TfmSetupAUTO::~TfmSetupAUTO() = default;

QCheckBox* TfmSetupAUTO::cbUb() const { return ui_->cbUb; }
QCheckBox* TfmSetupAUTO::cbRe() const { return ui_->cbRe; }
QPushButton* TfmSetupAUTO::bbCheckAll() const { return ui_->bbCheckAll; }
QPushButton* TfmSetupAUTO::bbCheckBase() const { return ui_->bbCheckBase; }
QPushButton* TfmSetupAUTO::bbClearAll() const { return ui_->bbClearAll; }
QPushButton* TfmSetupAUTO::bbOK() const { return ui_->bbOK; }
QPushButton* TfmSetupAUTO::bbCancel() const { return ui_->bbCancel; }

int TfmSetupAUTO::ShowModal() {
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
    // Another tester plugged in meanwhile: MeterCorrect has said so, and the
    // dialog stays open with nothing written.
    if (!host_.MeterCorrect(host_.Meter().MeterType)) return;
    TMeter& meter = host_.Meter();
    WithTester([&] { meter.WriteAutoSetup(byte); });
    Boxes().Information(kAutoSetupDoneMessage);
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  }
  reject();
}

void TfmSetupAUTO::bbCancelClick() { reject(); }
