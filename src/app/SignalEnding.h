#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Ends the program when the system asks it to (on Linux SIGTERM, SIGINT and
// SIGHUP: a logout, Ctrl-C in a terminal; on Windows a logoff or shutdown)
// the way its close box does, so the settings are saved and the port is
// released. The ending itself runs in the event loop; on Linux the signal
// handler only writes a byte to a pipe.
class SignalEnding : public QObject {
  Q_OBJECT

 public:
  explicit SignalEnding(std::function<void()> end);
  ~SignalEnding() override;

 private:
  std::function<void()> end_;
  QSocketNotifier* notifier_ = nullptr;
};
