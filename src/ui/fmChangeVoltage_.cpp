#include "fmChangeVoltage_.h"

#include <QEvent>

#include "HandlerGuard.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "TesterExchange.h"
#include "TesterWrite.h"
#include "ui_fmChangeVoltage_.h"

TfmChangeVoltage::TfmChangeVoltage(MeterHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      ui_(std::make_unique<Ui::TfmChangeVoltage>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  DescribePanel();
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmChangeVoltage::bbOKClick);
  ConnectCommand(ui_->bbCancel, &QPushButton::clicked, this, &TfmChangeVoltage::bbCancelClick);
}

TfmChangeVoltage::~TfmChangeVoltage() = default;

void TfmChangeVoltage::DescribePanel() {
  // The panel shows the bare voltage; a screen reader says what it is.
  ui_->plVoltage->setAccessibleDescription(ui_->stCurrent->text().simplified());
}

void TfmChangeVoltage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    if (voltageShown_) ui_->plVoltage->setText(VoltagePanelText(*voltageShown_));
    DescribePanel();
  }
  QDialog::changeEvent(event);
}

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
  TMeter& meter = host_.Meter();
  const std::uint16_t voltage = WithTester([&] { return meter.ReadNominalVoltage(); });
  voltageShown_ = voltage;
  ui_->plVoltage->setText(VoltagePanelText(voltage));
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
  if (voltage == host_.Meter().NominalVoltage || !Boxes().Confirm(kChangeVoltageQuestion, false)) {
    reject();
    return;
  }
  try {
    TMeter& meter = host_.Meter();
    const WriteOutcome outcome = WriteToTester(host_, VoltageChange(meter.NominalVoltage, voltage),
                                               [&] { return meter.WriteNominalVoltage(voltage); });
    // Another tester answers now: the dialog stays open, nothing written.
    if (outcome == WriteOutcome::OtherTester) return;
    if (outcome == WriteOutcome::Written) Boxes().Information(VoltageChangedMessage(voltage));
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  }
  reject();
}

void TfmChangeVoltage::bbCancelClick() { reject(); }
