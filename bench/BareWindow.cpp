// The yardstick for the program's start-up: a plain Qt main window of the
// main window's size with one line of text (any window with text loads the
// font database, which a window without any would skip). The bench starts it
// as it starts the program, with first-paint-exit preloaded.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setFixedSize(292, 180);
  window.statusBar()->showMessage(QStringLiteral("Port: COM1"));
  window.show();
  return QApplication::exec();
}
