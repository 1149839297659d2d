// The ending signals noted in a flag. Without SA_RESTART, so that a wait for
// the user's answer ends when one comes; the port's own reads and writes go
// on through EINTR. SIGPIPE is one of them: a reader gone away must not kill
// kavel-cli with the port's line settings still changed.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <iterator>

#include "CliInterruption.h"

namespace {

volatile std::sig_atomic_t caught = 0;  // the first signal's number
volatile std::sig_atomic_t told = 0;    // the user asked again and was told
constexpr int kEndingSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE};
struct sigaction previous[std::size(kEndingSignals)];
bool handled[std::size(kEndingSignals)];

extern "C" void OnEndingSignal(int number) {
  if (caught == 0) {
    caught = number;
  } else if (number != SIGPIPE && told == 0) {
    told = 1;
    const ssize_t written = write(STDERR_FILENO, kStillFinishingText, sizeof kStillFinishingText - 1);
    static_cast<void>(written);
  }
}

// The signals kavel-cli handles: those not ignored when it started.
sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (size_t i = 0; i < std::size(kEndingSignals); ++i)
    if (handled[i]) sigaddset(&set, kEndingSignals[i]);
  return set;
}

}  // namespace

CliInterruption::CliInterruption() {
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], nullptr, &previous[i]);
    handled[i] = previous[i].sa_handler != SIG_IGN;
    if (handled[i]) sigaction(kEndingSignals[i], &action, nullptr);
  }
}

CliInterruption::~CliInterruption() {
  for (size_t i = 0; i < std::size(kEndingSignals); ++i)
    if (handled[i]) sigaction(kEndingSignals[i], &previous[i], nullptr);
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

int EndAfterCleanUp(int status) {
  const int number = caught;
  if (number == 0) return status;
  std::cout.flush();
  std::cerr.flush();
  // A core dump of a program that did as it was asked is of no use to anyone.
  if (number == SIGQUIT) {
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
  }
  signal(number, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(number);
  return status;  // not reached: the default action of every ending signal ends the process
}
