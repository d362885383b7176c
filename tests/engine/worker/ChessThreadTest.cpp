// The computer player's worker with the real board: searching and delivering, stopping, parking while
// idle, game changes during a search, a new game from inside the end-of-game event, and shutdown.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <thread>

#include "tests/engine/worker/WorkerTestUtil.h"

using namespace std::chrono_literals;
using worker_test::Sq;
using worker_test::WorkerBoard;

namespace {

const std::string kMateInOne =
    "      k"
    " "
    "     ppp" +
    std::string(40, ' ') + "R     K ";

TEST(ChessThreadTest, WithoutComputerSidesTheWorkerNeverSearches) {
  WorkerBoard w;
  w.board.NewGame();
  w.board.StartThinking();
  w.RunFor(200ms);
  EXPECT_FALSE(w.board.Thinking());
  EXPECT_EQ(w.worker.MovesDelivered(), 0);
  EXPECT_TRUE(w.worker.Parked());
}

TEST(ChessThreadTest, ComputerPlayingWhiteMovesAtOnce) {
  WorkerBoard w;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.SetSearchDepth(3);
  w.board.NewGame();
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.RunUntil([&] { return moves == 1 && w.worker.Parked(); }));
  EXPECT_FALSE(w.board.WhiteToMove());
  EXPECT_FALSE(w.board.Thinking());
  EXPECT_EQ(w.worker.MovesRefused(), 0);
  // The human answers; the computer replies with White again.
  ASSERT_TRUE(w.board.MakeMove(Sq("e7"), Sq("e5")) || w.board.MakeMove(Sq("d7"), Sq("d5")));
  ASSERT_TRUE(w.RunUntil([&] { return moves == 3 && w.worker.Parked(); }));
  EXPECT_FALSE(w.board.WhiteToMove());
}

// An idle worker waits parked: no synchronous calls and no processor time while the human thinks.
TEST(ChessThreadTest, IdleWorkerUsesNoProcessorTime) {
  WorkerBoard w;
  w.board.SetComputerPlaysBlack(true);  // White (the human) to move
  w.board.StartThinking();
  w.RunFor(100ms);
  const double before = w.worker.CpuSeconds();
  std::this_thread::sleep_for(500ms);
  EXPECT_FALSE(w.board.RunPendingCalls());
  EXPECT_LT(w.worker.CpuSeconds() - before, 0.005);
  EXPECT_TRUE(w.worker.Parked());
}

TEST(ChessThreadTest, NewGameDuringASearchNeverPlaysTheOldMove) {
  WorkerBoard w;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.SetSearchDepth(8);
  w.board.SetZelmarMode(true);
  w.board.SetComputerPlaysBlack(true);
  w.board.NewGame();
  ASSERT_TRUE(w.board.MakeMove(Sq("e2"), Sq("e4")));
  ASSERT_TRUE(w.RunUntil([&] { return w.board.Thinking(); }));
  w.board.NewGame();  // parks the worker: the deep search is abandoned
  EXPECT_FALSE(w.board.Thinking());
  EXPECT_TRUE(w.worker.Parked());
  w.RunFor(200ms);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(w.board.GetPosition(), std::string(kInitialPosition));
  EXPECT_EQ(w.worker.MovesDelivered(), 0);
}

TEST(ChessThreadTest, NewGameInsideMateOfTheComputersMoveDoesNotHang) {
  WorkerBoard w;
  int mates = 0;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.OnMate = [&](TChessBrd& b, Square, Square) {
    ++mates;
    b.NewGame();
    b.SetComputerPlaysWhite(false);
    b.SetComputerPlaysBlack(true);
  };
  w.board.SetSearchDepth(2);
  w.board.SetCastlingAllowed(CastleSet{});
  w.board.SetPosition(kMateInOne);
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.RunUntil([&] { return mates == 1 && w.worker.Parked(); }, 30s));
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(w.board.GetPosition(), std::string(kInitialPosition));
  // The game goes on normally: the human plays White, the computer answers.
  ASSERT_TRUE(w.board.MakeMove(Sq("d2"), Sq("d4")));
  ASSERT_TRUE(w.RunUntil([&] { return moves == 3 && w.worker.Parked(); }, 30s));
}

// After the game ends the mated computer has no move: one refused delivery, then it stays parked. The
// end-of-game flag stays set until the next move, yet later changes still park the worker first.
TEST(ChessThreadTest, AfterTheGameEndsTheWorkerParks) {
  WorkerBoard w;
  int mates = 0;
  w.board.OnMate = [&](TChessBrd&, Square, Square) { ++mates; };
  w.board.SetSearchDepth(2);
  w.board.SetCastlingAllowed(CastleSet{});
  w.board.SetPosition(kMateInOne);
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.RunUntil([&] { return mates == 1 && w.worker.Parked(); }, 30s));
  EXPECT_TRUE(w.board.InGameEndEvent());
  w.board.SetComputerPlaysBlack(true);  // the mated side: nothing to play
  ASSERT_TRUE(w.RunUntil([&] { return w.worker.MovesRefused() == 1 && w.worker.Parked(); }, 30s));
  const double before = w.worker.CpuSeconds();
  w.RunFor(300ms);
  EXPECT_LT(w.worker.CpuSeconds() - before, 0.005);
  EXPECT_EQ(w.worker.MovesRefused(), 1);
  w.board.NewGame();
  EXPECT_TRUE(w.worker.Parked());
  EXPECT_EQ(w.board.GetPosition(), std::string(kInitialPosition));
}

TEST(ChessThreadTest, StopAndStartAroundASearch) {
  WorkerBoard w;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.SetSearchDepth(8);
  w.board.NewGame();
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.RunUntil([&] { return w.board.Thinking(); }));
  w.board.StopThinking();
  EXPECT_TRUE(w.worker.Parked());
  EXPECT_FALSE(w.board.Thinking());
  w.board.SetSearchDepth(2);
  w.board.StartThinking();  // searches the same position again, now shallow
  ASSERT_TRUE(w.RunUntil([&] { return moves == 1 && w.worker.Parked(); }));
  EXPECT_FALSE(w.board.WhiteToMove());
}

TEST(ChessThreadTest, DestroyedWhileSearchingOrParked) {
  for (int i = 0; i < 3; ++i) {
    auto w = std::make_unique<WorkerBoard>();
    w->board.SetSearchDepth(8);
    w->board.SetZelmarMode(true);
    w->board.SetComputerPlaysWhite(true);
    if (i > 0) {
      ASSERT_TRUE(w->RunUntil([&] { return w->board.Thinking(); }));
    }
    const auto start = std::chrono::steady_clock::now();
    w.reset();  // parks, then joins
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  }
  // A worker destroyed without its board parking it first still ends.
  TChessBrd board;
  auto worker = std::make_unique<TChessThread>(board);
  board.SetComputerPlaysWhite(true);
  worker->Release();
  worker.reset();
}

TEST(ChessThreadTest, LoweredPriorityReachesTheThread) {
  WorkerBoard w;
  ASSERT_TRUE(w.RunUntil([&] { return w.worker.ThreadId() != 0; }, 5s));
  errno = 0;
  const int base = getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId()));
  ASSERT_EQ(errno, 0);
  w.board.SetThinkingPriority(tpLowest);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId())), std::min(base + 10, 19));
  w.board.SetThinkingPriority(tpIdle);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId())), 19);
}

}  // namespace
