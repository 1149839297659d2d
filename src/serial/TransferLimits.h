#pragma once

#include <cstdint>

#include "ComTypes.h"

// When a read or write of a given length ends, derived from the port's time-outs
// with the meaning that Windows gives them, so that settings made for the
// tester behave here as they did there.
struct TransferLimits {
  static constexpr std::int64_t kNoLimit = -1;
  // From the start of the transfer; kNoLimit waits until the count is reached.
  std::int64_t totalMs = kNoLimit;
  // Longest gap between two received bytes, counted from the first byte.
  std::int64_t intervalMs = kNoLimit;
  // Return at once with what is queued, whatever arrived or not.
  bool returnAtOnce = false;
  // Return as soon as at least one byte is there.
  bool returnOnFirstByte = false;
};

TransferLimits ReadLimits(const TimeoutSettings& timeouts, int count);
TransferLimits WriteLimits(const TimeoutSettings& timeouts, int count);
