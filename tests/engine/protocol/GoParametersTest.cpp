// The UCI go command's words read on their own: clocks, limits, and what is left out with a note.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/protocol/GoParameters.h"
#include "engine/protocol/SearchSupervisor.h"

namespace zelmar {

namespace {

TEST(ParseGo, ReadsClocksAndLimits) {
  const TGoParameters clock = ParseGo(" wtime 300000 btime -50 winc 2000 binc 0 movestogo 40 ponder ");
  EXPECT_TRUE(clock.HaveClock);
  EXPECT_TRUE(clock.Ponder);
  EXPECT_FALSE(clock.Infinite);
  EXPECT_EQ(clock.Clocks[0].Remaining, TMillis{300000});
  EXPECT_EQ(clock.Clocks[1].Remaining, TMillis{0});  // a flag already fallen
  EXPECT_EQ(clock.Clocks[0].Increment, TMillis{2000});
  EXPECT_EQ(clock.Clocks[1].Increment, TMillis{0});
  EXPECT_EQ(clock.Clocks[0].MovesToGo, 40);
  EXPECT_EQ(clock.Clocks[1].MovesToGo, 40);
  EXPECT_FALSE(clock.Depth);
  EXPECT_TRUE(clock.Notes.empty());

  const TGoParameters fixed = ParseGo("depth 7 movetime 1500 infinite");
  EXPECT_EQ(fixed.Depth, 7);
  EXPECT_EQ(fixed.MoveTime, 1500);
  EXPECT_TRUE(fixed.Infinite);
  EXPECT_FALSE(fixed.HaveClock);
  EXPECT_TRUE(ParseGo("").Notes.empty());
}

// Each word left out is noted, takes its own value with it, and the words after it still count.
TEST(ParseGo, LeavesOutWhatItCannotUseAndReadsOn) {
  const TGoParameters go =
      ParseGo("depth 0 nodes 5000 searchmoves e2e4 e7e8q wibble mate 3 winc x depth 49 movetime 100 btime");
  const std::vector<std::string> notes = {
      "go: bad value for depth: 0",
      "go: nodes is not supported and was left out",
      "go: searchmoves is not supported and was left out",
      "go: unknown parameter left out: wibble",
      "go: mate is not supported and was left out",
      "go: bad value for winc: x",
      "go: bad value for depth: 49",
      "go: bad value for btime: ",
  };
  EXPECT_EQ(go.Notes, notes);
  EXPECT_FALSE(go.Depth);
  EXPECT_EQ(go.MoveTime, 100);
  EXPECT_FALSE(go.HaveClock);
  EXPECT_EQ(go.Clocks[0].Increment, TMillis{0});
}

// Any soup of the known words, numbers and junk reads without harm into values within their ranges.
TEST(ParseGo, RandomWordsStayWithinRange) {
  const std::vector<std::string> words = {
      "wtime",    "btime", "winc", "binc",        "movestogo", "depth",
      "movetime", "nodes", "mate", "searchmoves", "infinite",  "ponder",
      "e2e4",     "-7",    "0",    "1",           "48",        "99999999999999999999",
      "3.5",      "x",     "\t"};
  std::mt19937 rng(20261210);
  for (int run = 0; run < 2000; ++run) {
    std::string line;
    const int count = static_cast<int>(rng() % 12);
    for (int i = 0; i < count; ++i) line += words[rng() % words.size()] + " ";
    const TGoParameters go = ParseGo(line);
    if (go.Depth) {
      EXPECT_GE(*go.Depth, 1) << line;
      EXPECT_LE(*go.Depth, MaxSearchDepth) << line;
    }
    if (go.MoveTime) {
      EXPECT_GE(*go.MoveTime, 1) << line;
    }
    for (const TClock& c : go.Clocks) {
      EXPECT_GE(c.Remaining.count(), 0) << line;
      EXPECT_GE(c.Increment.count(), 0) << line;
      EXPECT_GE(c.MovesToGo, 0) << line;
    }
    for (const std::string& note : go.Notes) EXPECT_TRUE(note.starts_with("go: ")) << line;
  }
}

}  // namespace

}  // namespace zelmar
