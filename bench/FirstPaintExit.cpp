// A Qt generic plugin that the bench loads into the Qt programs it times
// (QT_QPA_GENERIC_PLUGINS=firstpaintexit): it ends the program, the ordinary
// way, once its main window has first been painted. The programs themselves
// stay exactly as they are built and installed, on Linux and on Windows.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
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

}  // namespace

// Made as the program's QGuiApplication starts, before any window exists.
class FirstPaintExitPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "FirstPaintExit.json")

 public:
  QObject* create(const QString&, const QString&) override {
    auto* watcher = new FirstPaintExit;
    qApp->installEventFilter(watcher);
    return watcher;
  }
};

#include "FirstPaintExit.moc"
