#pragma once

#include <istream>
#include <string>

// An end of kavel-cli asked for from outside while it runs: Ctrl+C, Ctrl+\,
// a closed terminal, kill, a reader of its output gone (SIGINT, SIGQUIT,
// SIGHUP, SIGTERM, SIGPIPE); on Windows Ctrl+C, Ctrl+Break, the console's
// close box, a log-off or a shut-down. The handler only notes it; kavel-cli
// looks at the note where stopping leaves the tester whole (an answer
// awaited, a change done, never between the writes of one change), then
// ends the ordinary way, so that the port gets back its line settings and
// the console its code page, and at last ends as the signal would have
// ended it (EndAfterCleanUp). A signal ignored when kavel-cli started
// (nohup, a script's background job) stays ignored.
class CliInterruption {
 public:
  // Installs the handler for as long as the object lives.
  CliInterruption();
  ~CliInterruption();
  CliInterruption(const CliInterruption&) = delete;
  CliInterruption& operator=(const CliInterruption&) = delete;
};

// 0 while no end was asked for; else the status kavel-cli ends with, as
// shells count it: 128 + the signal's number (130 for Ctrl+C).
int InterruptionStatus();

// One line of the user's answer from in, the standard input. False when the
// input ended, or when an end was asked for before or while waiting: never a
// yes.
bool ReadAnswer(std::istream& in, std::string& answer);

// Once the port and the console are given back (the CliInterruption gone):
// kavel-cli ended from outside dies by that signal, with its default action
// and no core dump, so that a shell stops the script it runs; on Windows it
// ends with InterruptionStatus(). Otherwise answers status.
int EndAfterCleanUp(int status);

// Said once, on the standard error, to a user who asks again while a change
// is being finished. The longest wait: a change of two locations whose
// second write fails, then both put back, three writes of five attempts of
// 260 ms each (the request, the 205 ms read time-out, the pause after it).
constexpr char kStillFinishingText[] =
    "kavel-cli: ending once the exchange with the tester is over; a change under way is "
    "finished and recorded first, never cut between its writes (at most 5 seconds)\n";
