// The restless player over the real game window: fixed seeds on both painters must keep every invariant
// and reach the places a session goes (games, moves, menus, the quit window), and a seed must replay
// exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SceneMonkey.h"

namespace zelmar::scene::monkey {
namespace {

std::filesystem::path DataFolder() {
  if (const char* folder = std::getenv("ZELMAR_DATA_FOLDER"); folder && *folder) return folder;
  return ZELMAR_DATA_DIR;
}

TMonkeyOptions Options(std::uint64_t seed, std::int64_t ticks, bool recording) {
  TMonkeyOptions options;
  options.Seed = seed;
  options.Ticks = ticks;
  options.Depth = 2;
  options.RecordingPainter = recording;
  options.DataFolder = DataFolder();
  return options;
}

// The same seed gives the same run: every count, down to the worker calls let through.
TEST(SceneMonkeyTest, ASeedReplaysExactly) {
  const TMonkeyResult first = RunSceneMonkey(Options(11, 3000, true));
  const TMonkeyResult second = RunSceneMonkey(Options(11, 3000, true));
  ASSERT_TRUE(first.Passed) << first.Failure;
  ASSERT_TRUE(second.Passed) << second.Failure;
  const TMonkeyCounts& a = first.Counts;
  const TMonkeyCounts& b = second.Counts;
  EXPECT_EQ(a.Ticks, b.Ticks);
  EXPECT_EQ(a.Actions, b.Actions);
  EXPECT_EQ(a.Moves, b.Moves);
  EXPECT_EQ(a.LetThrough, b.LetThrough);
  EXPECT_EQ(a.GamesStarted, b.GamesStarted);
  EXPECT_EQ(a.TakeBacks, b.TakeBacks);
  EXPECT_EQ(a.Replays, b.Replays);
  EXPECT_EQ(a.MenuVisits, b.MenuVisits);
  EXPECT_EQ(a.Forms, b.Forms);
  EXPECT_EQ(a.StaleReplies, b.StaleReplies);
}

// A handful of seeds, alternately on the canvas and the recording painter: all invariants hold, and together
// they play games, take moves back, visit menus and open fresh windows after "Quit" or the close box.
TEST(SceneMonkeyTest, FixedSeedsKeepEveryInvariantOnBothPainters) {
  TMonkeyCounts total;
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    const bool recording = seed % 2 == 0;
    {
      SCOPED_TRACE(testing::Message() << "seed " << seed << (recording ? " recording" : " canvas"));
      const TMonkeyResult result = RunSceneMonkey(Options(seed, 3000, recording));
      ASSERT_TRUE(result.Passed) << result.Failure;
      total.GamesStarted += result.Counts.GamesStarted;
      total.Moves += result.Counts.Moves;
      total.TakeBacks += result.Counts.TakeBacks;
      total.MenuVisits += result.Counts.MenuVisits;
      total.Forms += result.Counts.Forms;
      total.LetThrough += result.Counts.LetThrough;
    }
  }
  EXPECT_GT(total.GamesStarted, 4);
  EXPECT_GT(total.Moves, 40);
  EXPECT_GT(total.TakeBacks, 0);
  EXPECT_GT(total.MenuVisits, 20);
  EXPECT_GT(total.Forms, 4);
  EXPECT_GT(total.LetThrough, 20);
}

}  // namespace
}  // namespace zelmar::scene::monkey
