// The console's control events noted in a flag and an event. The handler runs
// on a thread of its own. The user's answer is read on a thread of its own
// too, straight from the input's handle: a read that waits cannot be
// cancelled everywhere (Wine does not), so the main thread waits for the
// answer or the event, whichever comes first, and the reader is left behind
// when kavel-cli ends. A close, log-off or shut-down ends the process as soon
// as the handler returns, so for those it never returns: kavel-cli ends
// itself once the port and the console are given back (the system allows it
// 5 seconds, a change takes one).
#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "CliInterruption.h"

namespace {

std::atomic<int> caught{0};    // the status to end with
HANDLE interrupted = nullptr;  // set with caught

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

std::atomic<bool> told{false};  // the user asked again and was told

BOOL WINAPI OnConsoleEvent(DWORD event) {
  int none = 0;
  if (!caught.compare_exchange_strong(none, StatusOf(event)) && !told.exchange(true)) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), kStillFinishingText, sizeof kStillFinishingText - 1,
              &written, nullptr);
  }
  SetEvent(interrupted);
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  Sleep(INFINITE);
  return TRUE;
}

// One line of the standard input, its line end dropped; false when it ended
// first.
struct LineReading {
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::string line;
  bool read = false;
  ~LineReading() { CloseHandle(done); }

  void Run(HANDLE input) {
    char c;
    DWORD n = 0;
    while (ReadFile(input, &c, 1, &n, nullptr) && n == 1) {
      read = true;
      if (c == '\n') break;
      if (c != '\r') line += c;
    }
    SetEvent(done);
  }
};

}  // namespace

CliInterruption::CliInterruption() {
  interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

CliInterruption::~CliInterruption() { SetConsoleCtrlHandler(OnConsoleEvent, FALSE); }

int InterruptionStatus() { return caught; }

// The standard input is read here alone (in is std::cin, never read before).
bool ReadAnswer(std::istream&, std::string& answer) {
  if (caught != 0) return false;
  auto reading = std::make_shared<LineReading>();
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::thread([reading, input] { reading->Run(input); }).detach();
  const HANDLE ends[] = {reading->done, interrupted};
  WaitForMultipleObjects(2, ends, FALSE, INFINITE);
  if (caught != 0 || WaitForSingleObject(reading->done, 0) != WAIT_OBJECT_0) return false;
  answer = reading->line;
  return reading->read;
}

// A console program has no signal to die by: the status says it.
int EndAfterCleanUp(int status) { return caught != 0 && status == 0 ? caught.load() : status; }
