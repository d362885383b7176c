#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "GfxTestSupport.h"
#include "framework/GfxTimer.h"

namespace zelmar {

namespace {

constexpr std::int32_t kOne = 1 << 20;

// A timer on a fake clock whose OnTimer calls Process (as the game does) and counts the ticks.
struct TimerTest : ::testing::Test {
  TestStage Stage;
  TGfxTimer Timer{&Stage.Form, Stage.Application};
  int Ticks = 0;
  int Frames = 0;
  bool CallProcess = true;
  double WorkMs = 0;  // time each frame's work takes on the fake clock

  TimerTest() {
    Timer.OnTimer = [this](TGfxTimer* t) {
      ++Frames;
      Stage.Platform.Time.Advance(WorkMs);
      if (CallProcess) t->Process();
    };
    Timer.OnProcess = [this](TGfxTimer*) { ++Ticks; };
    Timer.SetEnabled(true);
  }
  // One idle call after `ms` milliseconds.
  void Frame(double ms) {
    Stage.Platform.Time.Advance(ms);
    Timer.Idle();
  }
};

TEST_F(TimerTest, PropertiesAreHeldInRange) {
  EXPECT_EQ(Timer.TickLength(), 17476267);
  EXPECT_EQ(Timer.MinFrameTime(), 10485760);
  EXPECT_EQ(Timer.Precision(), ppHigh);
  Timer.SetSpeed(0.5);
  EXPECT_EQ(Timer.Speed(), 1.0);
  EXPECT_EQ(Timer.TickLength(), 1048576000);
  Timer.SetSpeed(std::nan(""));
  EXPECT_EQ(Timer.Speed(), 1.0);
  Timer.SetMaxFPS(0);
  EXPECT_EQ(Timer.MaxFPS(), 1);
  Timer.SetMaxFPS(-5);
  EXPECT_EQ(Timer.MaxFPS(), 1);
  EXPECT_EQ(Timer.MinFrameTime(), 1048576000);
  Timer.SetSpeed(3.0);  // 349525333.33 rounds down
  EXPECT_EQ(Timer.TickLength(), 349525333);
}

TEST_F(TimerTest, FramesBecomeTicksAndKeepTheirFraction) {
  Frame(10);  // Process has not run yet: nothing accumulates
  EXPECT_EQ(Timer.Lag(), 0);
  EXPECT_EQ(Ticks, 0);
  Frame(50.01);  // three ticks of 16.667 ms and a little
  EXPECT_EQ(Ticks, 3);
  const std::int32_t fraction = Timer.Lag();
  EXPECT_GT(fraction, 0);
  EXPECT_LT(fraction, kOne / 1000);
  Frame(50);  // exactly 50 ms is a hair under three ticks; the kept fraction makes up for it
  EXPECT_EQ(Timer.Delta(), 3145727);
  EXPECT_EQ(Ticks, 6);
  EXPECT_EQ(Timer.Lag(), fraction + 3145727 - 3 * kOne);
}

TEST_F(TimerTest, LongFramesAddAtMost32Ticks) {
  Frame(10);
  Frame(1000);
  EXPECT_EQ(Timer.Delta(), 1 << 25);
  EXPECT_EQ(Ticks, 32);
}

TEST_F(TimerTest, PausesOf2048msOrMoreAreClamped) {
  Frame(10);
  Frame(5000);  // would wrap to a negative elapsed time
  EXPECT_EQ(Timer.Delta(), 1 << 25);
  EXPECT_EQ(Ticks, 32);
  EXPECT_TRUE(Stage.Platform.Time.Sleeps.empty());
  Frame(3'600'000.0);  // an hour asleep
  EXPECT_EQ(Timer.Delta(), 1 << 25);
}

TEST(TimerClockTest, MillisecondClockAlsoClampsLongPauses) {
  TestStage stage;
  stage.Platform.Time.Frequency = 0;
  TGfxTimer timer(&stage.Form, stage.Application);
  EXPECT_EQ(timer.Precision(), ppLow);
  int ticks = 0;
  timer.OnTimer = [](TGfxTimer* t) { t->Process(); };
  timer.OnProcess = [&](TGfxTimer*) { ++ticks; };
  timer.SetEnabled(true);
  timer.Idle();
  stage.Platform.Time.Advance(50);
  timer.Idle();
  EXPECT_EQ(timer.Delta(), 3774873);  // 60 ms: the first frame's 10 ms sleep and 50 ms
  stage.Platform.Time.Advance(4096);  // 4096 × 2^20 wraps to 0 in 32 bits
  timer.Idle();
  EXPECT_EQ(timer.Delta(), 1 << 25);
}

TEST_F(TimerTest, FramesAfterASkippedProcessAddNothing) {
  Frame(10);
  CallProcess = false;
  Frame(110);  // Process ran before this frame: its 6.6 ticks count
  Frame(110);  // no Process before this one: not counted
  EXPECT_EQ(Ticks, 0);
  CallProcess = true;
  Frame(10);  // not counted either; Process now runs the 6 whole ticks
  EXPECT_EQ(Ticks, 6);
  EXPECT_LT(Timer.Lag(), kOne);
}

TEST_F(TimerTest, ProcessBelowOneTickRaisesNothing) {
  Frame(10);
  Frame(16.6);  // just under one tick
  EXPECT_EQ(Ticks, 0);
  const std::int32_t lag = Timer.Lag();
  EXPECT_GT(lag, kOne - kOne / 100);
  EXPECT_LT(lag, kOne);
  Timer.Process();
  EXPECT_EQ(Timer.Lag(), lag);
}

TEST_F(TimerTest, ProcessWithoutHandlerStillConsumesTheTicks) {
  Timer.OnProcess = nullptr;
  Frame(10);
  Frame(40);
  EXPECT_LT(Timer.Lag(), kOne);
}

TEST_F(TimerTest, LimiterSleepsPartOfTheRemainingFrame) {
  Frame(3);
  ASSERT_EQ(Stage.Platform.Time.Sleeps.size(), 1u);
  EXPECT_EQ(Stage.Platform.Time.Sleeps[0], 7u);
  Frame(12);
  EXPECT_EQ(Stage.Platform.Time.Sleeps.size(), 1u);
  Frame(9.5);  // 0.5 ms short of the frame: truncated to no sleep at all
  ASSERT_EQ(Stage.Platform.Time.Sleeps.size(), 2u);
  EXPECT_EQ(Stage.Platform.Time.Sleeps[1], 0u);
}

TEST_F(TimerTest, DisabledTimerOnlySleeps) {
  Timer.SetEnabled(false);
  Frame(10);
  EXPECT_EQ(Frames, 0);
  EXPECT_EQ(Stage.Platform.Time.Sleeps, (std::vector<std::uint32_t>{5}));
}

TEST_F(TimerTest, FrameRateIsMeasuredAboutOncePerSecond) {
  for (int i = 0; i < 99; ++i) Frame(10);
  EXPECT_EQ(Timer.FrameRate(), 0);
  Frame(10);
  EXPECT_EQ(Timer.FrameRate(), 100);
  for (int i = 0; i < 50; ++i) Frame(20);
  EXPECT_EQ(Timer.FrameRate(), 50);
}

TEST_F(TimerTest, FrameRateCountsEachSleepTwice) {
  // Work of 4 ms per frame: every other idle call sleeps 6 ms, so two frames take 14 ms (about 143 per
  // second), but each sleep is counted in two frames and the measured rate stays just under the limit.
  WorkMs = 4;
  for (int i = 0; i < 200 && Timer.FrameRate() == 0; ++i) Frame(0);
  EXPECT_GT(Timer.FrameRate(), 0);
  EXPECT_LT(Timer.FrameRate(), 100);
}

TEST_F(TimerTest, FramesWithoutMeasurableTimeDoNotDivideByZero) {
  Timer.SetMaxFPS(5000);  // shorter than a millisecond: the limiter never sleeps
  for (int i = 0; i < 20; ++i) Frame(0);
  EXPECT_EQ(Timer.FrameRate(), 0);
  Timer.SetSpeed(1e12);  // a tick shorter than the fixed point's unit
  Frame(1);
  EXPECT_EQ(Timer.Delta(), 1 << 25);
}

TEST_F(TimerTest, TimerDrivesTheApplicationsIdleProcessing) {
  Stage.Application.ProcessOnce();
  EXPECT_EQ(Frames, 1);
  {
    TGfxTimer second(&Stage.Form, Stage.Application);  // replaces the first as idle handler
    int secondFrames = 0;
    second.OnTimer = [&](TGfxTimer*) { ++secondFrames; };
    second.SetEnabled(true);
    Stage.Application.ProcessOnce();
    EXPECT_EQ(Frames, 1);
    EXPECT_EQ(secondFrames, 1);
  }
  Stage.Application.ProcessOnce();  // no handler left: the loop waits
  EXPECT_EQ(Frames, 1);
}

}  // namespace

}  // namespace zelmar
