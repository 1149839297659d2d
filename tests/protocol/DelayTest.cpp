#include <gtest/gtest.h>
#include <time.h>

#include <thread>

#include "MessagePump.h"
#include "Stopwatch.h"
#include "useful.h"

namespace {

// A pump that counts how it was asked to wait, standing in for the windows.
class CountingPump : public MessagePump {
 public:
  void ProcessMessages() override { ++processed; }
  void WaitForMessages(std::uint32_t ms) override {
    ++waits;
    longestWait = std::max(longestWait, ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::uint32_t>(ms, 7)));
  }
  int processed = 0;
  int waits = 0;
  std::uint32_t longestWait = 0;
};

double ProcessorMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

class DelayWithPump : public ::testing::Test {
 protected:
  void SetUp() override { InstallMessagePump(&pump_); }
  void TearDown() override { InstallMessagePump(nullptr); }
  CountingPump pump_;
};

}  // namespace

TEST_F(DelayWithPump, LastsAtLeastTheTimeAndLetsWindowsWork) {
  Stopwatch watch;
  Delay(100);
  EXPECT_GE(watch.ElapsedMs(), 100);
  EXPECT_LT(watch.ElapsedMs(), 400);
  EXPECT_GT(pump_.waits, 1);  // the pump returns early; the wait goes on
  EXPECT_LE(pump_.longestWait, 101u);
}

TEST_F(DelayWithPump, ZeroReturnsAtOnceWithoutMessages) {
  Stopwatch watch;
  Delay(0);
  EXPECT_LT(watch.ElapsedMs(), 20);
  EXPECT_EQ(pump_.waits + pump_.processed, 0);
}

TEST_F(DelayWithPump, SurvivesTheWrapOfTheTickCounter) {
  // A counter 30 ms before it wraps to 0.
  const std::uint32_t offset = 0xFFFFFFFFu - 30 - GetTickCount();
  Stopwatch watch;
  DelayOn(100, [offset] { return GetTickCount() + offset; });
  EXPECT_GE(watch.ElapsedMs(), 100);
  EXPECT_LT(watch.ElapsedMs(), 400);
}

TEST(Delay, DoesNotKeepAProcessorBusy) {
  const double processorBefore = ProcessorMs();
  Stopwatch watch;
  Delay(200);
  const double wall = watch.ElapsedMs();
  EXPECT_GE(wall, 200);
  EXPECT_LT(ProcessorMs() - processorBefore, wall * 0.25);
}

TEST_F(DelayWithPump, TheLongestWaitEndsWhenTheCounterHasRunItsRange) {
  // A counter that jumps a quarter of its range at each look.
  std::uint32_t now = 0;
  int looks = 0;
  DelayOn(0xFFFFFFFFu, [&] {
    ++looks;
    return now += 0x40000000u - 1;
  });
  EXPECT_LE(looks, 8);
}
