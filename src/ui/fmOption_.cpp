#include "fmOption_.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <iostream>

#include "HandlerGuard.h"
#include "KavelMeter.h"
#include "Language.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "MeterModels.h"
#include "PortNames.h"
#include "PortOpening.h"
#include "PortTrouble.h"
#include "TesterExchange.h"
#include "UserWords.h"
#include "ui_fmOption_.h"

TfmOption::TfmOption(OptionHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      ui_(std::make_unique<Ui::TfmOption>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  // The dialog opens with the focus on the first control of its tab order.
  ui_->bbOK->setFocus();

  // Only the user's own changes open a port: each keystroke and each pick from
  // the list. Texts the program puts into the box emit neither signal.
  ConnectCommand(ui_->cbCOM, &QComboBox::textActivated, this, &TfmOption::cbCOMChange);
  ui_->cbCOM->installEventFilter(this);
  ui_->cbLanguage->installEventFilter(this);
  // The language changes as the user picks it or has typed its name, the
  // windows with it (typing once the box is editable).
  ConnectCommand(ui_->cbLanguage, &QComboBox::textActivated, this, &TfmOption::cbLanguageChange);
  ConnectCommand(ui_->bbTransmitionTest, &QPushButton::clicked, this,
                 &TfmOption::bbTransmitionTestClick);
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmOption::bbOKClick);
  ConnectCommand(ui_->bbCancel, &QPushButton::clicked, this, &TfmOption::bbCancelClick);

  Guarded([this] { FormCreate(); });
}

TfmOption::~TfmOption() = default;

QComboBox* TfmOption::cbLanguage() {
  MakeBoxesEditable();
  return ui_->cbLanguage;
}
QComboBox* TfmOption::cbCOM() {
  MakeBoxesEditable();
  return ui_->cbCOM;
}
QComboBox* TfmOption::cbMeterType() {
  MakeBoxesEditable();
  return ui_->cbMeterType;
}
QPushButton* TfmOption::bbTransmitionTest() const { return ui_->bbTransmitionTest; }
QPushButton* TfmOption::bbOK() const { return ui_->bbOK; }
QPushButton* TfmOption::bbCancel() const { return ui_->bbCancel; }

QString TfmOption::PortText() const {
  return boxesEditable_ ? ui_->cbCOM->currentText() : portText_;
}

void TfmOption::SetPortText(const QString& text) {
  if (boxesEditable_) {
    ui_->cbCOM->setEditText(text);
  } else {
    portText_ = text;
  }
}

void TfmOption::MakeBoxesEditable() {
  if (boxesEditable_) return;
  boxesEditable_ = true;
  for (QComboBox* box : {ui_->cbLanguage, ui_->cbCOM, ui_->cbMeterType}) {
    box->setEditable(true);
    // Inline completion would put a name into the box that the user did not
    // type, and open it.
    box->setCompleter(nullptr);
    // The box's line is made after the form set its tab order, at the end of
    // the focus chain, where Shift+Tab would find it; it goes right after its
    // box, where it was when the form made the box editable, Tab and
    // Shift+Tab then going where they always went. Qt moves a line that
    // leads its focus to the box together with the box, so the lead waits.
    QLineEdit* line = box->lineEdit();
    line->setFocusProxy(nullptr);
    QWidget::setTabOrder(box, line);
    line->setFocusProxy(box);
  }
  ConnectCommand(ui_->cbCOM->lineEdit(), &QLineEdit::textEdited, this, &TfmOption::cbCOMChange);
  ConnectCommand(ui_->cbLanguage->lineEdit(), &QLineEdit::textEdited, this,
                 &TfmOption::cbLanguageChange);
  // Enter in the box adds no half-typed name to its list.
  ui_->cbLanguage->setInsertPolicy(QComboBox::NoInsert);
  SetPortText(portText_);
}

int TfmOption::ShowModal() {
  Guarded([this] { FormShow(); });
  return exec();
}

void TfmOption::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool TfmOption::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->cbCOM && event->type() == QEvent::FocusIn) Guarded([this] { cbCOMEnter(); });
  if (watched == ui_->cbLanguage && event->type() == QEvent::FocusOut)
    Guarded([this] { cbLanguageExit(); });
  return QDialog::eventFilter(watched, event);
}

void TfmOption::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}

void TfmOption::FormCreate() { ShowOpenPort(); }

void TfmOption::FormShow() {
  MakeBoxesEditable();
  languageAtOpen_ = LanguageInUse();
  languagePicked_ = false;
  ui_->cbLanguage->setEditText(LanguageName(languageAtOpen_));
  ShowDeviceOf(host_.Meter().MeterType);
  ShowOpenPort();
}

void TfmOption::ShowOpenPort() {
  const TKavelPort* port = host_.Meter().Port;
  if (port && port->Connected()) SetPortText(QString::fromStdString(port->Port()));
}

void TfmOption::ShowDeviceOf(std::uint8_t code) {
  const MeterModel* model = MeterModelOf(code);
  if (model && model->makeMeter)
    ui_->cbMeterType->setEditText(QString::fromLatin1(model->deviceName));
}

void TfmOption::cbCOMEnter() {
  std::vector<std::string> names;
  EnumPorts(host_.Port(), names);
  // Replacing the list would change the text of an editable box, and make
  // its first name the current one; the text stays as it was, whatever the
  // list holds.
  const QString text = ui_->cbCOM->currentText();
  ui_->cbCOM->clear();
  for (const std::string& name : names) {
    ui_->cbCOM->addItem(QString::fromStdString(name));
    ui_->cbCOM->setItemData(ui_->cbCOM->count() - 1, QString::fromStdString(PortDescription(name)),
                            Qt::ToolTipRole);
  }
  ui_->cbCOM->setCurrentIndex(-1);
  SetPortText(text);
}

void TfmOption::cbCOMChange() {
  try {
    // The dialog's own messages show a port that did not open later, when
    // the test or OK talks to it; the reason goes to standard error now.
    OpenPortTellingWhy(host_.Port(), ui_->cbCOM->currentText().toStdString(), std::cerr);
  } catch (...) {
    Boxes().Information(kPortUnavailableMessage);
  }
}

void TfmOption::cbLanguageChange() {
  languagePicked_ = true;
  // A name half typed changes nothing yet.
  if (NamesALanguage(ui_->cbLanguage->currentText())) cbLanguageExit();
}

void TfmOption::cbLanguageExit() {
  // Only what the user typed or picked; leaving the box as the dialog
  // closes decides nothing.
  if (!languagePicked_ || !isVisible()) return;
  UseLanguage(LanguageNamed(ui_->cbLanguage->currentText()));
}

void TfmOption::reject() {
  UseLanguage(languageAtOpen_);
  QDialog::reject();
}

void TfmOption::bbTransmitionTestClick() {
  if (PortText().isEmpty()) {
    Boxes().Information(kSelectPortMessage);
    return;
  }
  TMeter& meter = host_.Meter();
  meter.ClearVersion();
  meter.Port = &host_.Port();
  try {
    std::string versionText;
    WithTester([&] { meter.GetVersion(versionText); });
    Boxes().Information(TestResultMessage(versionText));
    // The test shows what is connected; the remembered type stays.
    const std::uint8_t remembered = meter.MeterType;
    ShowDeviceOf(meter.GetMeterType());
    meter.MeterType = remembered;
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  } catch (const ECRCError&) {
    Boxes().Information(kTransmissionErrorMessage);
  } catch (Exception& failure) {
    // A port that did not open fails the test: the failure report carries
    // the reason the port gave when the box's text tried to open it.
    const auto cause = PortTroubleCauseOf(host_.Port());
    if (!host_.Port().Connected() && failure.Details.empty() && cause)
      failure.Details = PortAdviceText(*cause).toStdString();
    throw;
  }
}

void TfmOption::bbOKClick() {
  if (PortText().isEmpty()) {
    Boxes().Information(kSelectPortMessage);
    return;
  }
  const MeterModel* chosen = MeterModelChosen(ui_->cbMeterType->currentText().toStdString());
  if (!chosen) {
    Boxes().Information(kSelectDeviceMessage);
    return;
  }
  host_.SetStatusLine([] { return kIdentifyingStatus.Text(); });
  TMeter& meter = host_.Meter();
  meter.Port = &host_.Port();
  const std::uint8_t remembered = meter.MeterType;
  try {
    // A version text held from a test just run is used as it is.
    std::string versionText;
    WithTester([&] { meter.GetVersion(versionText); });
    host_.SetStatusLine([versionText] { return ConnectedStatus(versionText); });
    const std::uint8_t detected = meter.GetMeterType();
    if (!MeterModelOf(detected)) {
      Boxes().Information(NotSupportedMessage(versionText));
      meter.MeterType = remembered;
      return;
    }
    if (!DeviceAccepts(*chosen, detected)) {
      Boxes().Information(MismatchMessage(chosen->code, versionText));
      meter.MeterType = remembered;
      return;
    }
    host_.AcceptMeter(detected);
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  } catch (const ECRCError&) {
    Boxes().Information(kTransmissionErrorMessage);
  }
  accept();
  if (languagePicked_) host_.KeepLanguage(LanguageInUse());
}

void TfmOption::bbCancelClick() { reject(); }
