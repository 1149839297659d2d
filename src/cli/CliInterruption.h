#pragma once

#include <istream>
#include <string>

// An end of kavel-cli asked for from outside while it runs: Ctrl+C, a closed
// terminal, kill (SIGINT, SIGHUP, SIGTERM); on Windows Ctrl+C, Ctrl+Break,
// the console's close box, a log-off or a shut-down. The handler only notes
// it; kavel-cli looks at the note where stopping leaves the tester whole (an
// answer awaited, a change done, never between the writes of one change),
// then ends the ordinary way, so that the port gets back its line settings
// and the console its code page.
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
