// The yardstick for the program's start-up: a plain Qt main window of the
// main window's size with a menu bar, a tool strip and a line of status text
// (any window with text loads the font database, which a window without any
// would skip). The bench starts it as it starts the program, with
// first-paint-exit preloaded. With --polish it loads Qt's own Polish from
// where the program loads it, the yardstick of the program in Polish.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>

#include "QtTranslationsFolder.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QTranslator qtOwn;
  if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--polish") &&
      qtOwn.load(QStringLiteral("qtbase_pl"), QtTranslationsFolder()))
    QApplication::installTranslator(&qtOwn);
  QMainWindow window;
  window.setFixedSize(292, 180);
  window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
  window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
  window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Option"));
  window.statusBar()->showMessage(QStringLiteral("Port: COM1"));
  window.show();
  return QApplication::exec();
}
