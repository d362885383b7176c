// Thinking ahead through the real board and worker: whole games in both modes, played once with the
// worker searching only when the computer is to move and once with pondering and the early start on,
// give the same computer moves, scores and node counts, through expected replies and misses, take-backs,
// new games and mode changes that come while a search ahead runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/search/ChessSearch.h"
#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

using namespace std::chrono_literals;
using worker_test::WorkerBoard;

namespace {

struct TReply {
  int From, To;
  std::uint64_t Nodes;
  int Score;
  friend bool operator==(const TReply&, const TReply&) = default;
};

// The player: mostly the move a shallow search of its own finds (often the reply the computer expects),
// otherwise a random legal one (a miss). Answers false when there is no legal move.
bool PlayerMove(const TChessBrd& board, zelmar::TChessSearch& own, std::mt19937& rng, Square& from,
                Square& to) {
  std::vector<std::pair<int, int>> legal;
  for (int f = 1; f <= 64; ++f)
    for (int t = 1; t <= 64; ++t)
      if (board.IsLegalMove(static_cast<Square>(f), static_cast<Square>(t))) legal.emplace_back(f, t);
  if (legal.empty()) return false;
  auto pick = legal[rng() % legal.size()];
  if (rng() % 3 != 0) {
    own.SetZelmarMode(board.ZelmarMode());
    own.RunSearch(RootFromBoard(board, 3));
    pick = {own.BestMove().From + 1, own.BestMove().To + 1};
  }
  from = static_cast<Square>(pick.first);
  to = static_cast<Square>(pick.second);
  return true;
}

// One game of the computer (Black) against the scripted player; the disturbances come at fixed plies.
struct TGameRun {
  std::vector<TReply> Replies;
  int TakenOver = 0;
  int OthersMet = 0;
  int Ahead = 0;
  int AheadOnBattery = 0;  // searches started ahead while the battery discharged
};

// `replies` is how many replies are pondered, 0 for none (and no early start either); the machine runs on
// a discharging battery until the player's move of turn `batteryUntil`, and on mains from then on.
TGameRun PlayGame(unsigned seed, bool zelmar, int replies, int batteryUntil = 0) {
  WorkerBoard w;
  if (batteryUntil > 0) w.power.Add("BAT0", {{"type", "Battery\n"}, {"status", "Discharging\n"}});
  w.worker.SetPondering(replies > 0);
  w.worker.SetEarlyStart(replies > 0);
  w.worker.SetPonderReplies(std::max(replies, 1));
  int moves = 0;
  bool over = false;
  Square lastFrom = Square::None, lastTo = Square::None;
  w.board.OnLegalMove = [&](TChessBrd&, Square o, Square n) { ++moves, lastFrom = o, lastTo = n; };
  w.board.OnMate = w.board.OnStaleMate = [&](TChessBrd&, Square, Square) { over = true; };
  w.board.OnDraw = [&](TChessBrd&) { over = true; };
  w.board.SetSearchDepth(4);
  w.board.SetZelmarMode(zelmar);
  w.board.NewGame();
  w.board.SetComputerPlaysBlack(true);
  std::mt19937 rng(seed);
  auto own = std::make_unique<zelmar::TChessSearch>();
  TGameRun run;
  for (int turn = 0; turn < 36 && !over; ++turn) {
    // 1. Disturbances while the search of the expected reply runs: a take-back of the last two
    // half-moves, a new game, a mode change back and forth (which the scripted order makes identical
    // for both runs).
    if (turn == 9 || turn == 22) {
      EXPECT_TRUE(w.board.MoveBack());
      EXPECT_TRUE(w.board.MoveBack());
    }
    if (turn == 16) {
      w.board.SetZelmarMode(!zelmar);
      w.board.SetZelmarMode(zelmar);
    }
    if (turn == 28) {
      w.board.NewGame();
      w.board.SetComputerPlaysBlack(true);
    }
    // 2. The player's move, certain first (as when its figure starts to glide), then played; every
    // third one after the searches ahead have ended, so that the other reply's search is ready too.
    if (turn == batteryUntil && batteryUntil > 0) {
      run.AheadOnBattery = w.worker.SearchesAhead();
      w.power.Remove("BAT0");
    }
    Square from, to;
    if (!PlayerMove(w.board, *own, rng, from, to)) break;
    if (turn % 3 == 2) {
      EXPECT_TRUE(w.RunUntil([&] { return !w.worker.SearchingAhead(); }));
    }
    w.board.AnticipateMove(from, to);
    const int before = moves;
    EXPECT_TRUE(w.board.MakeMove(from, to));
    // 3. The computer's answer, unless the player's move ended the game.
    if (!w.RunUntil([&] { return (over || moves == before + 2) && w.Resting(); })) {
      ADD_FAILURE() << "no answer to the player's move of turn " << turn;
      break;
    }
    if (over) break;
    run.Replies.push_back({Ord(lastFrom), Ord(lastTo), w.worker.LastNodes(), w.worker.LastScore()});
  }
  run.TakenOver = w.worker.SearchesTakenOver();
  run.OthersMet = w.worker.AlternativesMet();
  run.Ahead = w.worker.SearchesAhead();
  EXPECT_EQ(w.worker.MovesRefused(), 0);
  return run;
}

class ThinkAheadGames : public ::testing::TestWithParam<int> {};

// Seeds 1 and 2 ponder the expected reply only, 3 and 4 the best other one too.
TEST_P(ThinkAheadGames, SameMovesAndNodesAsThePlainSearch) {
  const unsigned seed = static_cast<unsigned>(GetParam());
  const bool zelmar = GetParam() % 2 == 0;
  const int replies = GetParam() <= 2 ? 1 : 2;
  const TGameRun plain = PlayGame(seed, zelmar, 0);
  const TGameRun ahead = PlayGame(seed, zelmar, replies);
  EXPECT_EQ(plain.TakenOver, 0);
  EXPECT_GT(ahead.TakenOver, 0);  // the expected replies and the early start were taken over
  if (replies == 1) {
    EXPECT_EQ(ahead.OthersMet, 0);
  }
  ASSERT_EQ(plain.Replies.size(), ahead.Replies.size());
  for (std::size_t i = 0; i < plain.Replies.size(); ++i) EXPECT_EQ(plain.Replies[i], ahead.Replies[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(BothModes, ThinkAheadGames, ::testing::Range(1, 5));

// On a discharging battery no search starts ahead, yet every move, score and node count is the plain
// search's; plugged in mid-game, thinking ahead resumes at the player's next move.
TEST(ThinkAhead, OnBatteryOnlyTheWaitsGrow) {
  constexpr unsigned kSeed = 3;
  constexpr int kPluggedIn = 12;
  const TGameRun plain = PlayGame(kSeed, true, 0);
  const TGameRun battery = PlayGame(kSeed, true, TChessThread::kMaxPonderReplies, kPluggedIn);
  EXPECT_EQ(battery.AheadOnBattery, 0);
  EXPECT_GT(battery.Ahead, 0);
  EXPECT_GT(battery.TakenOver, 0);
  ASSERT_GT(plain.Replies.size(), static_cast<std::size_t>(kPluggedIn));
  ASSERT_EQ(plain.Replies.size(), battery.Replies.size());
  for (std::size_t i = 0; i < plain.Replies.size(); ++i) EXPECT_EQ(plain.Replies[i], battery.Replies[i]) << i;
}

// A search ahead that has ended costs nothing while the player thinks on; the worker is parked too.
TEST(ThinkAhead, NothingRunsOnceTheSearchAheadHasEnded) {
  WorkerBoard w;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.SetSearchDepth(3);
  w.board.SetComputerPlaysBlack(true);
  w.board.NewGame();
  ASSERT_TRUE(w.board.MakeMove(worker_test::Sq("e2"), worker_test::Sq("e4")));
  ASSERT_TRUE(w.RunUntil([&] { return moves == 2 && w.Resting(); }));
  EXPECT_EQ(w.worker.SearchesAhead(), TChessThread::kMaxPonderReplies);
  // The replies expected at depth 3 are searched in a moment; then no thread of the worker's searches.
  EXPECT_TRUE(w.RunUntil([&] { return !w.worker.SearchingAhead(); }));
  const double worker = w.worker.CpuSeconds(), ahead = w.worker.AheadCpuSeconds();
  EXPECT_GT(ahead, 0);
  w.RunFor(200ms);
  EXPECT_TRUE(w.Resting());
  EXPECT_LT(w.worker.CpuSeconds() - worker, 0.005);
  EXPECT_EQ(w.worker.AheadCpuSeconds(), ahead);
}

}  // namespace

}  // namespace zelmar
