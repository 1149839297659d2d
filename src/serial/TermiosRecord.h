#pragma once

#include <termios.h>

#include <optional>

#include "ComTypes.h"

// The termios record for a set of line settings, or nothing when the line
// rate has no termios speed (14400, 56000, 128000, 256000 and most custom
// rates). Pure: nothing reaches a device here.
std::optional<termios> BuildTermios(const LineSettings& settings);
