#include <iostream>

#include "CommandLineOutput.h"

// A program on Linux always has a standard output; started from a desktop
// launcher it goes to the session's log, as for any other program.
bool WriteCommandLineAnswer(const std::string& text) {
  std::cout << text << std::flush;
  return true;
}
