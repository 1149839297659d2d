// A monotonic clock cut to 32 bits stands in for Windows' tick counter; the
// cut keeps the wrap-around that callers already handle.
#include <chrono>

#include "SystemTicks.h"

std::uint32_t SystemTickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
