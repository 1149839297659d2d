// Starts as kavel-setup starts, on the settings file given, and exits once the
// main window has been painted; with --bare, a plain Qt window of the same
// size with one line of text instead (any window with text loads the font
// database, which a window without any would skip). The bench times it from
// outside.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <memory>

#include "Messages.h"
#include "ProgramWindows.h"
#include "QtMessagePump.h"

namespace {

// Quits the application after the window's first paint has been handled.
class FirstPaint : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string argument = argv[1];
  QApplication application(argc, argv);
  FirstPaint painted;
  if (argument == "--bare") {
    QMainWindow window;
    window.setFixedSize(292, 180);
    window.statusBar()->showMessage(QStringLiteral("Port: COM1"));
    window.installEventFilter(&painted);
    window.show();
    return QApplication::exec();
  }
  QApplication::setApplicationName(kApplicationTitle);
  QtMessagePump pump;
  InstallMessagePump(&pump);
  const auto form1 = CreateWindows(argument);
  form1->installEventFilter(&painted);
  form1->show();
  const int result = QApplication::exec();
  InstallMessagePump(nullptr);
  return result;
}
