#include "fmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <iostream>

#include "HandlerGuard.h"
#include "IniFile.h"
#include "Language.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterModels.h"
#include "PortNames.h"
#include "PortOpening.h"
#include "PortTrouble.h"
#include "ProgramFile.h"
#include "SettingsKeys.h"
#include "TesterExchange.h"
#include "TesterWrite.h"
#include "UserWords.h"
#include "fmChangeVoltage_.h"
#include "fmChanges_.h"
#include "fmHelp_.h"
#include "fmInfo_.h"
#include "fmOption_.h"
#include "fmSetupAUTO_.h"
#include "ui_fmMain.h"
#include "useful.h"

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 158;

// Shows a window beside the main window, or brings it to the front when it
// is open already.
void ShowModeless(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

TForm1::TForm1(SettingsFileLocation settingsFile, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TForm1>()),
      settingsFile_(std::move(settingsFile)),
      recorder_("kavel-setup", GetFileVersionText()) {
  ui_->setupUi(this);
  // The status bar shows one text; a permanent label keeps it from being
  // replaced by the menu items' tips.
  statusText_ = new QLabel(ui_->sbMain);
  ui_->sbMain->addWidget(statusText_, 1);
  // The client area (tool strip, free space, status bar) keeps its size; the
  // menu bar comes on top of it.
  setFixedSize(kClientWidth, kClientHeight + ui_->MainMenu->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  ConnectCommand(ui_->mmExit, &QAction::triggered, this, &TForm1::mmExitClick);
  ConnectCommand(ui_->mmChanges, &QAction::triggered, this, &TForm1::mmChangesClick);
  ConnectCommand(ui_->mmSetupAuto, &QAction::triggered, this, &TForm1::mmSetupAutoClick);
  ConnectCommand(ui_->mmChangeVoltage, &QAction::triggered, this, &TForm1::mmChangeVoltageClick);
  ConnectCommand(ui_->mmOption, &QAction::triggered, this, &TForm1::mmOptionClick);
  ConnectCommand(ui_->mmHelpMe, &QAction::triggered, this, &TForm1::mmHelpMeClick);
  ConnectCommand(ui_->mmInfo, &QAction::triggered, this, &TForm1::mmInfoClick);

  Guarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

QAction* TForm1::mmExit() const { return ui_->mmExit; }
QAction* TForm1::mmChanges() const { return ui_->mmChanges; }
QAction* TForm1::mmSetupAuto() const { return ui_->mmSetupAuto; }
QAction* TForm1::mmChangeVoltage() const { return ui_->mmChangeVoltage; }
QAction* TForm1::mmOption() const { return ui_->mmOption; }
QAction* TForm1::mmHelpMe() const { return ui_->mmHelpMe; }
QAction* TForm1::mmInfo() const { return ui_->mmInfo; }

QString TForm1::StatusLine() const { return statusText_->text(); }

void TForm1::SetStatusLine(std::function<QString()> text) {
  statusLine_ = std::move(text);
  statusText_->setText(statusLine_());
}

void TForm1::KeepLanguage(UiLanguage language) {
  languageKept_ = true;
  // The one setting written when it is made: the user has just seen the
  // windows in it and said so, and a crash must not take it back.
  IniFile settings(settingsFile_);
  settings.WriteString(kMainSection, kLanguageKey, LanguageName(language).toStdString());
  settings.UpdateFile();
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    if (statusLine_) statusText_->setText(statusLine_());
  }
  QMainWindow::changeEvent(event);
}

void TForm1::FormCreate() {
  const IniFile settings(settingsFile_);
  languageKept_ = !settings.ReadString(kMainSection, kLanguageKey, "").empty();
  SetPortBindings(settings.ReadSection(kPortsSection));
  MeterPort = std::make_unique<TKavelPort>();

  const std::string name = UpperCasePortName(settings.ReadString(kMainSection, kPortKey, ""));
  PortAtStart port = PortAtStart::Opened;
  if (!OpenPortTellingWhy(*MeterPort, name, std::cerr)) {
    port = name.empty() ? PortAtStart::NoneSaved : PortAtStart::NotOpened;
    // The reason waits behind the message's details: a windowed program's
    // standard error reaches no user.
    const auto cause = PortTroubleCauseOf(*MeterPort);
    Boxes().Information(BadPortMessage(port, name), cause ? PortAdviceText(*cause) : QString());
  } else if (BeginsWithCOM(name) && IsDigitText(name.size() > 3 ? name.substr(3, 2) : "")) {
    // Only a name like COM12 is offered again in the Options dialog.
    SavedPortName = name;
  }

  const MeterModel* model =
      MeterModelRemembered(settings.ReadString(kMainSection, kMeterKey, "NoType"));
  SetStatusLine([port, name, model] { return StartStatusLine(port, name, model); });
  if (!model) {
    CurrentMeter = MakeMeter(kMeterNone);
    return;
  }
  BindMeter(model->code);
  if (MeterPort->Connected()) EnableConfigurationItems(*model);
}

void TForm1::FormDestroy() {
  {
    IniFile settings(settingsFile_);
    if (CurrentMeter && CurrentMeter->Port) {
      settings.WriteString(kMainSection, kPortKey, CurrentMeter->Port->Port());
    }
    settings.WriteString(kMainSection, kMeterKey,
                         SettingsNameOf(CurrentMeter ? CurrentMeter->MeterType : kMeterNone));
    if (languageKept_)
      settings.WriteString(kMainSection, kLanguageKey, LanguageName(LanguageInUse()).toStdString());
    settings.UpdateFile();
  }
  MeterPort.reset();
  CurrentMeter.reset();
}

bool TForm1::MeterCorrect(std::uint8_t expectedType) {
  TMeter& meter = *CurrentMeter;
  if (WithTester([&] { return IdentifiesAs(meter, expectedType); })) return true;
  std::string versionText;
  meter.GetVersion(versionText);  // the text just read: no exchange
  Boxes().Information(MismatchMessage(expectedType, versionText));
  return false;
}

void TForm1::AcceptMeter(std::uint8_t code) {
  BindMeter(code);
  if (const MeterModel* model = MeterModelOf(code)) EnableConfigurationItems(*model);
}

void TForm1::BindMeter(std::uint8_t code) {
  CurrentMeter = MakeMeter(code);
  CurrentMeter->MeterType = code;
  CurrentMeter->Port = MeterPort.get();
}

void TForm1::EnableConfigurationItems(const MeterModel& model) {
  ui_->mmChangeVoltage->setEnabled(model.makeMeter != nullptr);
  ui_->mmSetupAuto->setEnabled(model.autoSetup);
}

void TForm1::OpenConfigurationDialog(const std::function<void()>& showDialog) {
  OnConnectedTester([&] {
    // A change cut short on this tester is put right, or left for now,
    // before anything else is changed on it.
    if (MeterCorrect(CurrentMeter->MeterType) && HalfChangeSettled(*this)) showDialog();
  });
}

void TForm1::OnConnectedTester(const std::function<void()>& exchange) {
  const TKavelPort* port = CurrentMeter->Port;
  if (!port || !port->Connected()) {
    Boxes().Information(kNotSelectedMessage);
    return;
  }
  try {
    exchange();
  } catch (const ENoConnection&) {
    Boxes().Information(kNoDeviceMessage);
  } catch (const ECRCError&) {
    Boxes().Information(kTransmissionErrorMessage);
  }
}

void TForm1::mmChangeVoltageClick() {
  OpenConfigurationDialog([this] { fmChangeVoltage->ShowModal(); });
}

void TForm1::mmOptionClick() {
  if (fmOption->PortText().isEmpty() && !SavedPortName.empty())
    fmOption->SetPortText(QString::fromStdString(SavedPortName));
  fmOption->ShowModal();
}

void TForm1::mmSetupAutoClick() {
  OpenConfigurationDialog([this] { fmSetupAUTO->ShowModal(); });
}

void TForm1::mmInfoClick() { ShowModeless(fmInfo); }

void TForm1::mmHelpMeClick() { ShowModeless(fmHelp); }

void TForm1::mmExitClick() { close(); }

void TForm1::mmChangesClick() {
  if (!fmChanges) {
    fmChanges = new TfmChanges(
        *this, [this](const std::function<void()>& exchange) { OnConnectedTester(exchange); }, this);
    fmChanges->move(frameGeometry().center() - fmChanges->rect().center());
  }
  ShowModeless(fmChanges);
}

void TForm1::closeEvent(QCloseEvent* event) {
  event->accept();
  // Closing the main window ends the program, whatever else is open.
  QCoreApplication::quit();
}
