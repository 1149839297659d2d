#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Ends the program on SIGTERM, SIGINT and SIGHUP (a logout, Ctrl-C in a
// terminal) the way its close box does, so the settings are saved and the
// port is released. The signal handler only writes a byte to a pipe; the
// ending itself runs in the event loop.
class SignalEnding : public QObject {
  Q_OBJECT

 public:
  explicit SignalEnding(std::function<void()> end);
  ~SignalEnding() override;

 private:
  std::function<void()> end_;
  QSocketNotifier* notifier_ = nullptr;
};
