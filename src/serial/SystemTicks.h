#pragma once

#include <cstdint>

// The system's millisecond tick counter: 32 bits, wrapping about every 49.7
// days, so only differences between two readings mean anything.
std::uint32_t SystemTickCount();
