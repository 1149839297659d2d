// kavel-setup: configures the maker's electrical-installation testers.
#include <QApplication>
#include <filesystem>

#include "HandlerGuard.h"
#include "Messages.h"
#include "ProgramWindows.h"
#include "QtMessagePump.h"

namespace {

// The settings file lives beside the executable, under its name with ".ini".
std::string SettingsFilePath() {
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe");
  return path.replace_extension(".ini").string();
}

}  // namespace

int main(int argc, char** argv) {  // arguments other than Qt's own are ignored
  QApplication application(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);
  QtMessagePump pump;
  InstallMessagePump(&pump);

  const auto form1 = CreateWindows(SettingsFilePath());
  form1->show();
  const int result = QApplication::exec();

  Guarded([&] { form1->FormDestroy(); });
  InstallMessagePump(nullptr);
  return result;
}
