// Thousands of random game changes while the worker searches: stops, starts, new games, positions,
// sides, moves and settings, each followed by a short run of the main loop. Run under the thread
// sanitizer in CI; here it checks that nothing hangs and the board stays a sound game.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "tests/engine/worker/WorkerTestUtil.h"

using namespace std::chrono_literals;
using worker_test::WorkerBoard;

namespace {

// A random legal move of the side to move, if there is one.
bool RandomLegalMove(TChessBrd& board, std::mt19937& rng, Square& from, Square& to) {
  std::vector<std::pair<int, int>> legal;
  for (int f = 1; f <= 64; ++f) {
    if (board.PieceColor(static_cast<Square>(f)) != (board.WhiteToMove() ? 1 : 0)) continue;
    for (int t = 1; t <= 64; ++t)
      if (board.IsLegalMove(static_cast<Square>(f), static_cast<Square>(t))) legal.emplace_back(f, t);
  }
  if (legal.empty()) return false;
  const auto [f, t] = legal[rng() % legal.size()];
  from = static_cast<Square>(f);
  to = static_cast<Square>(t);
  return true;
}

TEST(WorkerStressTest, RandomChangesDuringSearches) {
  WorkerBoard w;
  std::mt19937 rng(20261208);
  int refusedBefore = 0;
  using namespace std::chrono_literals;
  int mates = 0;
  w.board.OnMate = [&](TChessBrd& b, Square, Square) {
    ++mates;
    if (mates % 2 == 0) b.NewGame();  // now and then a new game from inside the event
  };
  w.board.SetSearchDepth(3);
  w.board.NewGame();
  const std::string positions[] = {std::string(kInitialPosition),
                                   "      k      ppp" + std::string(40, ' ') + "R     K ",
                                   "    k   " + std::string(48, ' ') + "R   K  R"};
  for (int step = 0; step < 3000; ++step) {
    switch (rng() % 12) {
      case 0:
        w.board.StopThinking();
        break;
      case 1:
        w.board.StartThinking();
        break;
      case 2:
        w.board.NewGame();
        break;
      case 3:
        w.board.SetComputerPlaysWhite(rng() % 2);
        break;
      case 4:
        w.board.SetComputerPlaysBlack(rng() % 2);
        break;
      case 5:
        w.board.SetPosition(positions[rng() % 3]);
        break;
      case 6:
        w.board.SetWhiteToMove(rng() % 2);
        break;
      case 7:
        w.board.SetSearchDepth(1 + static_cast<int>(rng() % 4));
        break;
      case 8:
        w.board.SetZelmarMode(rng() % 2);
        break;
      case 9:
        w.board.MoveBack();
        break;
      case 10:
        w.board.SetThinkingPriority(rng() % 2 ? tpLower : tpLowest);
        break;
      default: {
        Square from, to;
        if (RandomLegalMove(w.board, rng, from, to)) w.board.MakeMove(from, to);
      }
    }
    w.RunFor(std::chrono::milliseconds(rng() % 3));
    ASSERT_EQ(w.board.GetPosition().size(), 64u);
    // A delivered move may be refused (a finished game, a threefold repetition, the mode switched
    // during the search); the worker must then rest parked instead of trying again and again.
    if (w.worker.MovesRefused() != refusedBefore) {
      refusedBefore = w.worker.MovesRefused();
      const int delivered = w.worker.MovesDelivered();
      w.RunFor(20ms);
      EXPECT_EQ(w.worker.MovesDelivered(), delivered) << "the worker went on after a refused move";
    }
  }
  w.board.StopThinking();
  EXPECT_TRUE(w.worker.Parked());
  EXPECT_FALSE(w.board.Thinking());
}

}  // namespace
