// A search started ahead of time against the same search run in place: along random games in both
// modes, a search taken over from another thread and object gives the same move, score and node count,
// and leaves the same state behind for every later search; stopped or discarded searches never land.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "engine/search/ChessSearch.h"
#include "engine/search/PonderSearch.h"
#include "tests/engine/search/SearchTestUtil.h"

namespace zelmar {
namespace {

struct TAnswer {
  TSearchMove Move;
  int Score;
  std::uint64_t Nodes;
  friend bool operator==(const TAnswer&, const TAnswer&) = default;
};

TAnswer AnswerOf(const TChessSearch& s) {
  return {s.BestMove(), s.LastScore(), s.Nodes()};
}

// A random legal move of the root, by the search's own generator; false when there is none.
bool RandomSuccessor(TChessSearch& scratch, const TSearchRoot& root, std::mt19937& rng, TSearchRoot& after) {
  scratch.LoadRoot(root);
  scratch.GenerateMoves();
  std::vector<TSearchMove> moves;
  for (int i = scratch.ListBegin(); i < scratch.ListFinish(); ++i) moves.push_back(scratch.ListEntry(i).Move);
  std::shuffle(moves.begin(), moves.end(), rng);
  for (const TSearchMove m : moves)
    if (scratch.RootAfter(root, m.From, m.To, m.Promotion, after)) return true;
  return false;
}

// Two players walk the same random game: `plain` searches every position in place; the other searches
// each position ahead of time on the ponder thread (alternately from a finished and a running search)
// and takes it over. Every answer agrees, so the carried state agrees too.
class PonderSearchGames : public ::testing::TestWithParam<int> {};

TEST_P(PonderSearchGames, TakenOverSearchesAnswerAsPlainOnes) {
  const int seed = GetParam();
  const bool zelmar = seed % 2 == 1;
  std::mt19937 rng(static_cast<unsigned>(seed));
  auto plain = std::make_unique<TChessSearch>();
  auto real = std::make_unique<TChessSearch>();
  auto scratch = std::make_unique<TChessSearch>();
  TPonderSearch ponder;
  const std::atomic<bool> never{false};
  TSearchRoot root = testing::Root("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 4, zelmar);
  for (int ply = 0; ply < 24; ++ply) {
    // 1. A stale search of another position first, which must never be taken over.
    TSearchRoot decoy;
    if (!RandomSuccessor(*scratch, root, rng, decoy)) break;
    ponder.Start(*real, decoy, ply);
    EXPECT_FALSE(ponder.Adopt(root, ply, *real, never));
    // 2. The search of this position, ahead of time, then taken over.
    ponder.Start(*real, root, ply + 1);
    EXPECT_FALSE(ponder.Covers(root, ply));  // another carried state
    if (ply % 2 == 0) {
      while (ponder.Searching()) std::this_thread::yield();
    }
    ASSERT_TRUE(ponder.Adopt(root, ply + 1, *real, never));
    EXPECT_FALSE(ponder.Covers(root, ply + 1));  // gone once taken over
    plain->SetZelmarMode(zelmar);
    plain->RunSearch(root);
    ASSERT_EQ(AnswerOf(*plain), AnswerOf(*real)) << "ply " << ply << " seed " << seed;
    // 3. The game goes on with the move found, or a random one now and then.
    TSearchRoot next;
    const TSearchMove m = plain->BestMove();
    const bool played = rng() % 4 == 0 ? RandomSuccessor(*scratch, root, rng, next)
                                       : scratch->RootAfter(root, m.From, m.To, m.Promotion, next);
    if (!played) break;
    root = next;
  }
}

INSTANTIATE_TEST_SUITE_P(BothModes, PonderSearchGames, ::testing::Range(0, 4));

// The second likely reply: along a random game, the search started for it covers the position after the
// player's best move other than the expected one (as a quick search leaving the expected one out finds
// it) and answers as a plain search of that position; with no other legal move it covers nothing.
TEST(PonderSearch, TheOtherReplyIsChosenAndSearchedExactly) {
  constexpr int kDepth = 4, kQuick = 2;
  std::mt19937 rng(7);
  auto plain = std::make_unique<TChessSearch>();
  auto real = std::make_unique<TChessSearch>();
  auto scratch = std::make_unique<TChessSearch>();
  TPonderSearch ponder;
  const std::atomic<bool> never{false};
  for (const bool zelmar : {false, true}) {
    TSearchRoot root =
        testing::Root("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -", kDepth, zelmar);
    for (int ply = 0; ply < 10; ++ply) {
      // 1. The computer's expected reply, and the other one a reference quick search chooses.
      scratch->SetZelmarMode(zelmar);
      scratch->RunSearch(root);
      const TSearchMove expected = scratch->BestMove();
      TSearchRoot quick = root, other, expectedAfter;
      quick.Depth = kQuick;
      scratch->ExcludeRootMove(expected);
      scratch->RunSearch(quick);
      scratch->ExcludeRootMove({});
      const TSearchMove m = scratch->BestMove();
      ASSERT_NE(m, expected);
      ASSERT_TRUE(scratch->RootAfter(root, m.From, m.To, m.Promotion, other));
      ASSERT_TRUE(scratch->RootAfter(root, expected.From, expected.To, expected.Promotion, expectedAfter));
      // 2. Chosen and searched ahead, then taken over: the same answer as the plain search there.
      plain->SetZelmarMode(zelmar);
      plain->CarryFrom(*real);
      ponder.StartAlternative(*real, root, expected, kQuick, ply);
      while (ponder.Searching() && !ponder.Covers(other, ply)) std::this_thread::yield();
      EXPECT_FALSE(ponder.Covers(expectedAfter, ply));
      ASSERT_TRUE(ponder.Adopt(other, ply, *real, never)) << "ply " << ply;
      plain->RunSearch(other);
      ASSERT_EQ(AnswerOf(*plain), AnswerOf(*real)) << "ply " << ply;
      // 3. The game goes on with the expected reply or the other one.
      root = rng() % 2 ? other : expectedAfter;
      scratch->RunSearch(root);
      TSearchRoot next;
      const TSearchMove c = scratch->BestMove();
      if (!scratch->RootAfter(root, c.From, c.To, c.Promotion, next)) break;
      root = next;
    }
  }
  // 4. The king's only move: nothing else to search.
  const TSearchRoot only = testing::Root("7k/8/8/8/8/8/r7/7K w - -", kDepth, false);
  constexpr int kH1 = 63, kG1 = 62;  // search squares count from a8
  ponder.StartAlternative(*real, only, TSearchMove{kH1, kG1, 0, 0}, kQuick, 99);
  while (ponder.Searching()) std::this_thread::yield();
  TSearchRoot after;
  ASSERT_TRUE(scratch->RootAfter(only, kH1, kG1, 0, after));
  EXPECT_FALSE(ponder.Covers(after, 99));
}

// A stop asked for before or during the wait, and a discard, leave the receiving object as it was.
TEST(PonderSearch, StoppedSearchesNeverLand) {
  auto real = std::make_unique<TChessSearch>();
  const TSearchRoot root = testing::Root("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
                                         8, true);  // minutes of work
  TPonderSearch ponder;
  const TAnswer before = AnswerOf(*real);
  // 1. Abandoned before the wait begins.
  ponder.Start(*real, root, 1);
  const std::atomic<bool> abandon{true};
  EXPECT_FALSE(ponder.Adopt(root, 1, *real, abandon));
  EXPECT_EQ(AnswerOf(*real), before);
  // 2. Stopped from another thread while the wait goes on.
  ponder.Start(*real, root, 2);
  const std::atomic<bool> never{false};
  std::thread stopper([&] {
    while (!ponder.Covers(root, 2) || !ponder.Searching()) std::this_thread::yield();
    // StopAdoption only stops a search somebody waits for: retry until the wait has begun.
    while (ponder.Covers(root, 2)) {
      ponder.StopAdoption();
      std::this_thread::yield();
    }
  });
  EXPECT_FALSE(ponder.Adopt(root, 2, *real, never));
  stopper.join();
  EXPECT_EQ(AnswerOf(*real), before);
  // 3. Discarded: nothing covers the root any more, and the thread has ended.
  ponder.Start(*real, root, 3);
  ponder.Discard();
  EXPECT_FALSE(ponder.Searching());
  EXPECT_FALSE(ponder.Adopt(root, 3, *real, never));
  EXPECT_EQ(AnswerOf(*real), before);
}

}  // namespace
}  // namespace zelmar
