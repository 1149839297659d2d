#pragma once

#include <string>

// Writes the answer to --version or --help (UTF-8) where the user who asked
// can read it: the standard output the program was given (a terminal, a pipe,
// a file), else on Windows the console it was started from, which a windowed
// program does not get by itself. False when there is neither: the program
// was started from a shortcut or a file manager.
bool WriteCommandLineAnswer(const std::string& text);
