// Preloaded (LD_PRELOAD) into a Qt program that the bench times: ends the
// program, the ordinary way, once its main window has first been painted.
// The programs themselves stay exactly as they are built and installed.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

class FirstPaintExit : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_ && qobject_cast<QMainWindow*>(watched)) {
      seen_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

// Runs as the program's QApplication is made.
void WatchForFirstPaint() { qApp->installEventFilter(new FirstPaintExit); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)
