// kavel-setup: configures the maker's electrical-installation testers.
#include <QApplication>
#include <iostream>

#include "CommandLine.h"
#include "HandlerGuard.h"
#include "Messages.h"
#include "ProgramFile.h"
#include "ProgramWindows.h"
#include "QtMessagePump.h"
#include "SettingsLocation.h"
#include "SignalEnding.h"

int main(int argc, char** argv) {  // arguments other than these and Qt's own are ignored
  const std::string settingsPath = SettingsFilePath(RunningProgram()).string();
  if (const auto status =
          AnswerCommandLine(argc, argv, GetFileVersionText(), settingsPath, std::cout))
    return *status;

  QApplication application(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);
  // Before the port opens: a signal then ends the program as the close box
  // does, once the message loop runs.
  const SignalEnding ending([] { QCoreApplication::quit(); });
  QtMessagePump pump;
  InstallMessagePump(&pump);

  const auto form1 = CreateWindows(settingsPath);
  form1->show();
  const int result = QApplication::exec();

  Guarded([&] { form1->FormDestroy(); });
  InstallMessagePump(nullptr);
  return result;
}
