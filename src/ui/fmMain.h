#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ChangeRecorder.h"
#include "KavelMeter.h"
#include "MeterHost.h"
#include "SettingsLocation.h"

namespace Ui {
class TForm1;
}
class QAction;
class QLabel;
class TfmChangeVoltage;
class TfmChanges;
class TfmHelp;
class TfmInfo;
class TfmOption;
class TfmSetupAUTO;
struct MeterModel;

// The main window: restores the port and the device type at start-up, shows
// the connection in the status line, leads to the dialogs, and saves both
// settings at shutdown. It owns the program's port and meter object.
class TForm1 : public QMainWindow, public OptionHost {
  Q_OBJECT

 public:
  // settingsFile: the settings file, read here once.
  explicit TForm1(SettingsFileLocation settingsFile, QWidget* parent = nullptr);
  ~TForm1() override;

  // Writes the settings file and releases the port and the meter object; the
  // program calls it once when its message loop has ended.
  void FormDestroy();

  TMeter& Meter() override { return *CurrentMeter; }
  bool MeterCorrect(std::uint8_t expectedType) override;
  ChangeRecorder& Recorder() override { return recorder_; }
  TKavelPort& Port() override { return *MeterPort; }
  void AcceptMeter(std::uint8_t code) override;

  QString StatusLine() const;
  void SetStatusLine(std::function<QString()> text) override;
  void KeepLanguage(UiLanguage language) override;

  // The program-wide objects; every window reads them afresh at each use.
  std::unique_ptr<TKavelPort> MeterPort;
  std::unique_ptr<TMeter> CurrentMeter;
  std::string SavedPortName;

  // The dialogs, created after the main window by CreateWindows and owned by
  // it as their parent.
  TfmOption* fmOption = nullptr;
  TfmSetupAUTO* fmSetupAUTO = nullptr;
  TfmChangeVoltage* fmChangeVoltage = nullptr;
  TfmInfo* fmInfo = nullptr;
  TfmHelp* fmHelp = nullptr;
  // The window of changes, made when first shown.
  TfmChanges* fmChanges = nullptr;

  QAction* mmExit() const;
  QAction* mmChanges() const;
  QAction* mmSetupAuto() const;
  QAction* mmChangeVoltage() const;
  QAction* mmOption() const;
  QAction* mmHelpMe() const;
  QAction* mmInfo() const;

  void mmSetupAutoClick();
  void mmOptionClick();
  void mmChangeVoltageClick();
  void mmExitClick();
  void mmChangesClick();
  void mmInfoClick();
  void mmHelpMeClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Retranslates the window, its status line included, on LanguageChange.
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  void OpenConfigurationDialog(const std::function<void()>& showDialog);
  // Runs an exchange with the tester on the program's port, when there is
  // one, telling the user of a tester that does not answer.
  void OnConnectedTester(const std::function<void()>& exchange);
  // Makes a meter object of the class that serves the code, with that code,
  // on the program's port, the current one.
  void BindMeter(std::uint8_t code);
  // The two configuration items as a meter of this model allows them.
  void EnableConfigurationItems(const MeterModel& model);

  std::unique_ptr<Ui::TForm1> ui_;
  QLabel* statusText_;
  std::function<QString()> statusLine_;
  // The settings file held a language, or the user has kept one: it is
  // written back at shutdown. Otherwise the user's desktop goes on deciding.
  bool languageKept_ = false;
  SettingsFileLocation settingsFile_;
  ChangeRecorder recorder_;
};
