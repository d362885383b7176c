// Thousands of random game changes while the worker searches: stops, starts, new games, positions,
// sides, moves and settings, each followed by a short run of the main loop. Run under the thread
// sanitizer in CI; here it checks that nothing hangs and the board stays a sound game.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

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

// One random game change, as the game's menus and the human's moves make them. Answers whether the
// change ends by releasing the worker (StartThinking, a change of sides, a move).
bool RandomChange(WorkerBoard& w, std::mt19937& rng) {
  static const std::string positions[] = {std::string(kInitialPosition),
                                          "      k      ppp" + std::string(40, ' ') + "R     K ",
                                          "    k   " + std::string(48, ' ') + "R   K  R"};
  switch (rng() % 12) {
    case 0:
      w.board.StopThinking();
      return false;
    case 1:
      w.board.StartThinking();
      return true;
    case 2:
      w.board.NewGame();
      return false;
    case 3:
      w.board.SetComputerPlaysWhite(rng() % 2);
      return true;
    case 4:
      w.board.SetComputerPlaysBlack(rng() % 2);
      return true;
    case 5:
      w.board.SetPosition(positions[rng() % 3]);
      return false;
    case 6:
      w.board.SetWhiteToMove(rng() % 2);
      return false;
    case 7:
      w.board.SetSearchDepth(1 + static_cast<int>(rng() % 4));
      return false;
    case 8:
      w.board.SetZelmarMode(rng() % 2);
      return false;
    case 9:
      w.board.MoveBack();
      return false;
    case 10:
      w.board.SetThinkingPriority(rng() % 2 ? tpLower : tpLowest);
      return false;
    default: {
      Square from, to;
      if (!RandomLegalMove(w.board, rng, from, to)) return false;
      w.board.AnticipateMove(from, to);  // the search ahead, taken over or thrown away by the move
      w.board.MakeMove(from, to);
      return true;
    }
  }
}

// A delivered move may be refused (a finished game, a threefold repetition). A refused move ends
// the worker's pass: it parks with nothing queued and delivers nothing more until the board releases
// it again. A refusal inside a change's own park (the worker had posted its move just before) may be
// followed by that change's release, which rightly starts a fresh pass; so the rule is checked
// whenever nothing has released the worker since its refusal.
TEST(WorkerStressTest, RandomChangesDuringSearches) {
  WorkerBoard w;
  std::mt19937 rng(20261208);
  int mates = 0;
  int refusalsChecked = 0;
  w.board.OnMate = [&](TChessBrd& b, Square, Square) {
    ++mates;
    if (mates % 2 == 0) b.NewGame();  // now and then a new game from inside the event
  };
  w.board.SetSearchDepth(3);
  w.board.NewGame();
  for (int step = 0; step < 3000; ++step) {
    const int refusedBeforeChange = w.worker.MovesRefused();
    const bool released = RandomChange(w, rng);
    const int refusedBeforeRun = w.worker.MovesRefused();
    w.RunFor(std::chrono::milliseconds(rng() % 3));  // the main loop, which runs no releases itself
    ASSERT_EQ(w.board.GetPosition().size(), 64u);
    const bool refusedInRun = w.worker.MovesRefused() != refusedBeforeRun;
    const bool refusedInChange = refusedBeforeRun != refusedBeforeChange;
    if (refusedInRun || (refusedInChange && !released)) {
      const int delivered = w.worker.MovesDelivered();
      ASSERT_TRUE(w.RunUntil([&] { return w.Resting(); }))
          << "the worker did not park after a refused move (step " << step << ")";
      EXPECT_EQ(w.worker.MovesDelivered(), delivered) << "the worker went on after a refused move";
      ++refusalsChecked;
    }
  }
  EXPECT_GT(refusalsChecked, 0);
  w.board.StopThinking();
  EXPECT_TRUE(w.worker.Parked());
  EXPECT_FALSE(w.board.Thinking());
  // The counters' snapshot agrees with itself.
  const TWorkerCounts counts = w.worker.Counts();
  EXPECT_LE(counts.Refused, counts.Delivered);
  EXPECT_LE(counts.TakenOver, counts.Ahead);
  EXPECT_LE(counts.AlternativesMet, counts.PredictionsMet);
}

}  // namespace

}  // namespace zelmar
