// Windows has no ending signals. Task Manager's "End task" sends the main
// window a close message, which the close box's own path handles; a logoff or
// shutdown asks through the session manager, which Qt passes on as
// commitDataRequest: the program then ends as its close box ends it.
#include <QGuiApplication>
#include <QSessionManager>

#include "SignalEnding.h"

SignalEnding::SignalEnding(std::function<void()> end) : end_(std::move(end)) {
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { end_(); });
}

SignalEnding::~SignalEnding() = default;
