#pragma once

#include <windows.h>

#include "ComTypes.h"

// The driver's line-settings record for a set of line settings. The XON and
// XOFF limits come from the receive queue size, which the line settings do
// not carry. Pure: nothing reaches a device here.
DCB BuildDcb(const LineSettings& line, int inputQueueSize);

// The driver's time-out record; -1 becomes the all-ones value.
COMMTIMEOUTS BuildCommTimeouts(const TimeoutSettings& timeouts);
