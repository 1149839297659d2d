// kavel-setup: configures the maker's electrical-installation testers.
#include <QApplication>
#include <filesystem>

#include "HandlerGuard.h"
#include "MessageBoxes.h"
#include "QtMessagePump.h"
#include "fmChangeVoltage_.h"
#include "fmMain.h"

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

  TForm1 form1(SettingsFilePath());
  form1.fmChangeVoltage = new TfmChangeVoltage(form1);
  form1.show();
  const int result = QApplication::exec();

  Guarded([&] { form1.FormDestroy(); });
  InstallMessagePump(nullptr);
  return result;
}
