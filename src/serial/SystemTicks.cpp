// A monotonic clock cut to 32 bits, on both systems. Windows' own tick counter
// moves in steps of 10-16 ms, so a wait counted on it could end a step before
// its time; the monotonic clock (the performance counter there) moves every
// millisecond. The cut keeps the wrap-around that callers already handle.
#include <chrono>

#include "SystemTicks.h"

std::uint32_t SystemTickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
