// SIGINT, SIGTERM and SIGHUP noted in a flag. Without SA_RESTART, so that a
// wait for the user's answer ends when one comes; the port's own reads and
// writes go on through EINTR.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

#include "CliInterruption.h"

namespace {

volatile std::sig_atomic_t caught = 0;  // the first signal's number
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[std::size(kEndingSignals)];

extern "C" void OnEndingSignal(int number) {
  if (caught == 0) caught = number;
}

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kEndingSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

CliInterruption::CliInterruption() {
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  for (size_t i = 0; i < std::size(kEndingSignals); ++i)
    sigaction(kEndingSignals[i], &action, &previous[i]);
}

CliInterruption::~CliInterruption() {
  for (size_t i = 0; i < std::size(kEndingSignals); ++i)
    sigaction(kEndingSignals[i], &previous[i], nullptr);
}

int InterruptionStatus() { return caught == 0 ? 0 : 128 + caught; }

bool ReadAnswer(std::istream& in, std::string& answer) {
  // The signals are held back from the look at the flag until the wait has
  // begun, and let in by ppoll itself: one that comes just before the wait
  // still ends it.
  const sigset_t ending = EndingSignals();
  sigset_t before;
  sigprocmask(SIG_BLOCK, &ending, &before);
  if (caught == 0 && in.rdbuf()->in_avail() <= 0) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    while (ppoll(&input, 1, nullptr, &before) < 0 && errno == EINTR && caught == 0) {
    }
  }
  sigprocmask(SIG_SETMASK, &before, nullptr);
  if (caught != 0) return false;
  // A signal while the rest of a line is awaited fails the read itself.
  const bool read = static_cast<bool>(std::getline(in, answer));
  return read && caught == 0;
}
