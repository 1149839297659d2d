#include "fmChangeVoltage_.h"

#include "HandlerGuard.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "TesterExchange.h"
#include "fmMain.h"
#include "ui_fmChangeVoltage_.h"

TfmChangeVoltage::TfmChangeVoltage(TForm1& main)
    : QDialog(&main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      main_(main),
      ui_(std::make_unique<Ui::TfmChangeVoltage>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmChangeVoltage::bbOKClick);
  ConnectCommand(ui_->bbCancel, &QPushButton::clicked, this, &TfmChangeVoltage::bbCancelClick);
}

TfmChangeVoltage::~TfmChangeVoltage() = default;

QRadioButton* TfmChangeVoltage::rb220() const { return ui_->rb220; }
QRadioButton* TfmChangeVoltage::rb230() const { return ui_->rb230; }
QLabel* TfmChangeVoltage::plVoltage() const { return ui_->plVoltage; }
QPushButton* TfmChangeVoltage::bbOK() const { return ui_->bbOK; }
QPushButton* TfmChangeVoltage::bbCancel() const { return ui_->bbCancel; }

int TfmChangeVoltage::ShowModal() {
  Guarded([this] { FormShow(); });
  return exec();
}

void TfmChangeVoltage::FormShow() {
  // Two radio buttons of one group: both can be cleared only while the group
  // lets none be checked.
  for (QRadioButton* button : {ui_->rb220, ui_->rb230}) {
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
  }
  TMeter& meter = *main_.CurrentMeter;
  const std::uint16_t voltage = WithTester([&] { return meter.ReadNominalVoltage(); });
  ui_->plVoltage->setText(QString::number(voltage) + QStringLiteral("V"));
}

void TfmChangeVoltage::bbOKClick() {
  std::uint16_t voltage;
  if (ui_->rb220->isChecked()) {
    voltage = 220;
  } else if (ui_->rb230->isChecked()) {
    voltage = 230;
  } else {
    reject();
    return;
  }
  if (voltage == main_.CurrentMeter->NominalVoltage ||
      !Boxes().Confirm(QStringLiteral(" Change device's nominal voltage ?"), false)) {
    reject();
    return;
  }
  try {
    // Another tester plugged in meanwhile: MeterCorrect has said so, and the
    // dialog stays open with nothing written.
    if (!main_.MeterCorrect(main_.CurrentMeter->MeterType)) return;
    TMeter& meter = *main_.CurrentMeter;
    if (WithTester([&] { return meter.WriteNominalVoltage(voltage); })) {
      Boxes().Information(
          QStringLiteral(" OK. Device's nominal voltage has been changed into %1 V").arg(voltage));
    }
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  }
  reject();
}

void TfmChangeVoltage::bbCancelClick() { reject(); }
