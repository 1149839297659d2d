#include "TransferLimits.h"

namespace {

constexpr std::uint32_t kAllOnes = 0xFFFFFFFFu;

std::uint32_t AsUnsigned(int value) { return static_cast<std::uint32_t>(value); }

std::int64_t Total(int multiplier, int constant, int count) {
  std::uint64_t total =
      std::uint64_t{AsUnsigned(multiplier)} * AsUnsigned(count) + AsUnsigned(constant);
  return total == 0 ? TransferLimits::kNoLimit : static_cast<std::int64_t>(total);
}

}  // namespace

TransferLimits ReadLimits(const TimeoutSettings& t, int count) {
  TransferLimits limits;
  const bool intervalAllOnes = AsUnsigned(t.readInterval) == kAllOnes;
  if (intervalAllOnes && t.readTotalMultiplier == 0 && t.readTotalConstant == 0) {
    limits.returnAtOnce = true;
    return limits;
  }
  if (intervalAllOnes && AsUnsigned(t.readTotalMultiplier) == kAllOnes &&
      t.readTotalConstant != 0 && AsUnsigned(t.readTotalConstant) != kAllOnes) {
    limits.returnOnFirstByte = true;
    limits.totalMs = AsUnsigned(t.readTotalConstant);
    return limits;
  }
  limits.totalMs = Total(t.readTotalMultiplier, t.readTotalConstant, count);
  if (t.readInterval != 0) limits.intervalMs = AsUnsigned(t.readInterval);
  return limits;
}

TransferLimits WriteLimits(const TimeoutSettings& t, int count) {
  TransferLimits limits;
  limits.totalMs = Total(t.writeTotalMultiplier, t.writeTotalConstant, count);
  return limits;
}
