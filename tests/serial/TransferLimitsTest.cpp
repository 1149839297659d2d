#include <gtest/gtest.h>

#include "TransferLimits.h"

TEST(TransferLimits, TesterPresetEndsReadsAt200Plus5PerByte) {
  const TimeoutSettings preset{0, 5, 200, 5, 1000};
  for (auto [count, total] : {std::pair{1, 205}, {6, 230}, {18, 290}}) {
    const auto limits = ReadLimits(preset, count);
    EXPECT_EQ(limits.totalMs, total);
    EXPECT_EQ(limits.intervalMs, TransferLimits::kNoLimit);
    EXPECT_FALSE(limits.returnAtOnce || limits.returnOnFirstByte);
  }
  EXPECT_EQ(WriteLimits(preset, 7).totalMs, 1035);
}

TEST(TransferLimits, AllOnesValuesKeepTheirSpecialMeanings) {
  // The port's initial time-outs: return at once with what is queued.
  EXPECT_TRUE(ReadLimits(TimeoutSettings{}, 6).returnAtOnce);

  const auto firstByte = ReadLimits(TimeoutSettings{-1, -1, 300, 0, 0}, 6);
  EXPECT_TRUE(firstByte.returnOnFirstByte);
  EXPECT_EQ(firstByte.totalMs, 300);

  const auto noTimeouts = ReadLimits(TimeoutSettings{0, 0, 0, 0, 0}, 6);
  EXPECT_EQ(noTimeouts.totalMs, TransferLimits::kNoLimit);
  EXPECT_FALSE(noTimeouts.returnAtOnce);
  EXPECT_EQ(WriteLimits(TimeoutSettings{0, 0, 0, 0, 0}, 6).totalMs, TransferLimits::kNoLimit);

  const auto gap = ReadLimits(TimeoutSettings{20, 0, 0, 0, 0}, 6);
  EXPECT_EQ(gap.intervalMs, 20);
  EXPECT_EQ(gap.totalMs, TransferLimits::kNoLimit);
}
