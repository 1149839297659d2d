#include "QtMessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

void QtMessagePump::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtMessagePump::WaitForMessages(std::uint32_t ms) {
  // Sleeps in the event loop until the timer, dispatching what comes meanwhile.
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(static_cast<int>(ms));
  loop.exec();
}
