// The console's control events noted in a flag. The handler runs on a thread
// of its own: a wait for the user's answer on the main thread is cancelled
// from there. A close, log-off or shut-down ends the process as soon as the
// handler returns, so for those it never returns: kavel-cli ends itself
// once the port and the console are given back (the system allows it 5
// seconds, a change takes one).
#include <windows.h>

#include <atomic>

#include "CliInterruption.h"

namespace {

std::atomic<int> caught{0};  // the status to end with
std::atomic<bool> awaitingAnswer{false};
HANDLE mainThread = nullptr;

// As the signals a terminal sends on Linux: an interrupt, a hang-up, an end.
int StatusOf(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      return 128 + 2;
    case CTRL_CLOSE_EVENT:
      return 128 + 1;
    default:
      return 128 + 15;
  }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  int none = 0;
  caught.compare_exchange_strong(none, StatusOf(event));
  // The main thread may be about to start its read: cancelled until it has
  // seen the flag, for at most two seconds.
  for (int tries = 0; tries < 100 && awaitingAnswer; ++tries) {
    if (mainThread) CancelSynchronousIo(mainThread);
    Sleep(20);
  }
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  Sleep(INFINITE);
  return TRUE;
}

}  // namespace

CliInterruption::CliInterruption() {
  mainThread = OpenThread(THREAD_TERMINATE, FALSE, GetCurrentThreadId());
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

CliInterruption::~CliInterruption() {
  SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  if (mainThread) CloseHandle(mainThread);
  mainThread = nullptr;
}

int InterruptionStatus() { return caught; }

bool ReadAnswer(std::istream& in, std::string& answer) {
  awaitingAnswer = true;
  const bool read = caught == 0 && std::getline(in, answer);
  awaitingAnswer = false;
  return read && caught == 0;
}
