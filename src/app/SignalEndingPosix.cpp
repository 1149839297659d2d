#include "SignalEnding.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnEndingSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Async-signal-safe; a full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = saved;
}

}  // namespace

SignalEnding::SignalEnding(std::function<void()> end) : end_(std::move(end)) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    end_();
  });
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kEndingSignals) sigaction(signal, &action, nullptr);
}

SignalEnding::~SignalEnding() {
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  for (int signal : kEndingSignals) sigaction(signal, &standard, nullptr);
  delete notifier_;
  notifier_ = nullptr;
  for (int& end : pipeEnds) {
    if (end >= 0) close(end);
    end = -1;
  }
}
