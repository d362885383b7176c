// The one-second game clock on a stepped platform clock: it counts real time, also across a stalled loop.
#include <gtest/gtest.h>

#include "framework/platform/TestPlatform.h"
#include "scene/IntervalTimer.h"

namespace zelmar::scene {
namespace {

TEST(IntervalTimerTest, CatchesUpAfterAStalledLoopAndKeepsItsRhythm) {
  platform::TestClock time;
  TIntervalTimer clock(time, 1000);
  int fired = 0;
  clock.OnTimer = [&] { ++fired; };
  clock.Poll();
  time.Advance(5000);
  clock.Poll();
  EXPECT_EQ(fired, 0);  // disabled: no time is counted
  clock.SetEnabled(true);
  time.Advance(999.5);
  clock.Poll();
  EXPECT_EQ(fired, 0);
  time.Advance(0.5);
  clock.Poll();
  EXPECT_EQ(fired, 1);
  time.Advance(6400);  // the loop stalled (a window dragged): every second is counted on the next poll
  clock.Poll();
  EXPECT_EQ(fired, 7);
  time.Advance(600);  // the rhythm is kept: 7.4 s + 0.6 s is the eighth second
  clock.Poll();
  EXPECT_EQ(fired, 8);
  clock.SetEnabled(true);  // enabling again keeps the rhythm
  time.Advance(1000);
  clock.Poll();
  EXPECT_EQ(fired, 9);
}

TEST(IntervalTimerTest, DisablingInsideTheHandlerEndsTheCatchingUpAndRestartsTheInterval) {
  platform::TestClock time;
  time.Frequency = 0;  // the millisecond path
  TIntervalTimer clock(time, 1000);
  int fired = 0;
  clock.OnTimer = [&] {
    if (++fired == 2) clock.SetEnabled(false);  // the game ended on this second
  };
  clock.SetEnabled(true);
  time.Advance(4500);
  clock.Poll();
  EXPECT_EQ(fired, 2);
  EXPECT_FALSE(clock.Enabled());
  clock.SetEnabled(true);  // a new game counts from now
  time.Advance(999);
  clock.Poll();
  EXPECT_EQ(fired, 2);
  time.Advance(1);
  clock.Poll();
  EXPECT_EQ(fired, 3);
}

}  // namespace
}  // namespace zelmar::scene
