// kavel-setup: configures the maker's electrical-installation testers.
#include <QApplication>
#include <sstream>

#include "ChangeRecord.h"
#include "CommandLine.h"
#include "CommandLineOutput.h"
#include "HandlerGuard.h"
#include "Language.h"
#include "MessageBoxes.h"
#include "PathText.h"
#include "Messages.h"
#include "ProgramFile.h"
#include "ProgramWindows.h"
#include "QtTranslationsFolder.h"
#include "QtMessagePump.h"
#include "SettingsLocation.h"
#include "SignalEnding.h"

int main(int argc, char** argv) {  // arguments other than these and Qt's own are ignored
  const SettingsFileLocation settingsFile = SettingsFilePath(RunningProgram());
  std::ostringstream answer;
  if (const auto status =
          AnswerCommandLine(argc, argv, GetFileVersionText(), SettingsFileForUser(settingsFile),
                            Utf8Of(ChangeRecordPath()), answer)) {
    if (!WriteCommandLineAnswer(answer.str())) {
      // Started from a shortcut with --help: nowhere to write, so it is shown.
      QApplication application(argc, argv);
      QApplication::setApplicationName(kApplicationTitle);
      Boxes().Information(QString::fromStdString(answer.str()));
    }
    return *status;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);
  // Once, before any window exists: the settings file's language, or the
  // user's own.
  UseQtTranslationsFrom(QtTranslationsFolder());
  UseLanguage(ChosenLanguage(settingsFile));
  // Before the port opens: a signal then ends the program as the close box
  // does, once the message loop runs.
  const SignalEnding ending([] { QCoreApplication::quit(); });
  QtMessagePump pump;
  InstallMessagePump(&pump);

  const auto form1 = CreateWindows(settingsFile);
  form1->show();
  const int result = QApplication::exec();

  Guarded([&] { form1->FormDestroy(); });
  InstallMessagePump(nullptr);
  return result;
}
