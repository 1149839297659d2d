#pragma once

#include <string>

// The system's own sentence for one of its error numbers (errno on Linux,
// GetLastError's on Windows, in the user's language there), in UTF-8 and
// without its line end or full stop: what the user reads behind a message's
// "Show Details...".
std::string SystemMessage(int error);
