// The computer player's worker with the real board: searching and delivering, stopping, parking while
// idle, game changes during a search, a new game from inside the end-of-game event, and shutdown.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

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
  ASSERT_TRUE(w.RunUntil([&] { return w.Resting(); }));  // one pass that finds nothing to do
  EXPECT_FALSE(w.board.Thinking());
  EXPECT_EQ(w.worker.MovesDelivered(), 0);
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
// The main loop's idle spell only gives the measurement a span; a blocked thread gains no processor
// time however loaded the machine is.
TEST(ChessThreadTest, IdleWorkerUsesNoProcessorTime) {
  WorkerBoard w;
  w.board.SetComputerPlaysBlack(true);  // White (the human) to move
  w.board.StartThinking();
  ASSERT_TRUE(w.RunUntil([&] { return w.Resting(); }));
  const double before = w.worker.CpuSeconds();
  w.RunFor(300ms);
  EXPECT_TRUE(w.Resting());
  EXPECT_EQ(w.board.RunPendingCalls(), 0);
  EXPECT_LT(w.worker.CpuSeconds() - before, 0.005);
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
  w.board.NewGame();  // parks the worker: the deep search (seconds of work) is abandoned
  EXPECT_FALSE(w.board.Thinking());
  EXPECT_TRUE(w.Resting());  // so nothing of the old search can arrive later
  EXPECT_EQ(w.board.RunPendingCalls(), 0);
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
  ASSERT_TRUE(w.RunUntil([&] { return mates == 1 && w.worker.Parked(); }));
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(w.board.GetPosition(), std::string(kInitialPosition));
  // The game goes on normally: the human plays White, the computer answers.
  ASSERT_TRUE(w.board.MakeMove(Sq("d2"), Sq("d4")));
  ASSERT_TRUE(w.RunUntil([&] { return moves == 3 && w.worker.Parked(); }));
}

// After the game ends the mated computer has no move: each release gives one pass whose move the
// board refuses, and then the worker rests parked. A change of sides made while such a move waits
// runs it inside its own park and then releases the worker, which rightly searches once more; a
// release made at once after the main loop ran a refused move is never lost.
TEST(ChessThreadTest, AfterTheGameEndsEachReleaseGivesOneRefusedMove) {
  WorkerBoard w;
  int mates = 0;
  w.board.OnMate = [&](TChessBrd&, Square, Square) { ++mates; };
  w.board.SetSearchDepth(2);
  w.board.SetCastlingAllowed(CastleSet{});
  w.board.SetPosition(kMateInOne);
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.RunUntil([&] { return mates == 1 && w.Resting(); }));
  EXPECT_TRUE(w.board.InGameEndEvent());
  // 1. The mated side to play: its pass posts a move the board will refuse.
  w.board.SetComputerPlaysBlack(true);
  ASSERT_TRUE(w.WaitUntilPosted());
  // 2. A change of sides while that move waits: the park runs it, the release starts a new pass.
  w.board.SetComputerPlaysWhite(false);
  EXPECT_EQ(w.worker.MovesRefused(), 1);
  ASSERT_TRUE(w.RunUntil([&] { return w.worker.MovesRefused() == 2 && w.Resting(); }));
  EXPECT_EQ(w.worker.MovesDelivered(), 3);  // the mating move and one refused move per release
  // 3. Each release right after the loop ran the last refused move gives exactly one more pass.
  for (int refused = 3; refused <= 12; ++refused) {
    w.board.StartThinking();
    ASSERT_TRUE(w.RunUntil([&] { return w.worker.MovesRefused() == refused; })) << "a release was lost";
  }
  ASSERT_TRUE(w.RunUntil([&] { return w.Resting(); }));
  EXPECT_EQ(w.worker.MovesDelivered(), 13);
  w.board.NewGame();
  EXPECT_TRUE(w.Resting());
  EXPECT_EQ(w.board.GetPosition(), std::string(kInitialPosition));
}

// A move found under the old mode is not played after the mode has changed: the worker searches
// again under the new one. Here the Zelmar on d1 takes the queen on c3 with a knight's jump, a move
// that is illegal once the mode is off.
TEST(ChessThreadTest, ModeChangedWhileTheMoveWaitsIsSearchedAgain) {
  WorkerBoard w;
  int moves = 0;
  w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
  w.board.SetSearchDepth(2);
  w.board.SetZelmarMode(true);
  w.board.SetCastlingAllowed(CastleSet{});
  w.board.SetPosition("k" + std::string(39, ' ') + "  q" + std::string(13, ' ') + "   Q   K");
  w.board.SetComputerPlaysWhite(true);
  ASSERT_TRUE(w.WaitUntilPosted());
  w.board.SetZelmarMode(false);
  ASSERT_TRUE(w.RunUntil([&] { return moves == 1 && w.Resting(); })) << "the computer stopped playing";
  EXPECT_EQ(w.worker.MovesRefused(), 0);
  EXPECT_EQ(w.worker.MovesDelivered(), 1);
  EXPECT_EQ(w.worker.Counts().Stale, 1);
  EXPECT_EQ(w.board.PieceAt(Sq("c3")), 'q');
  EXPECT_FALSE(w.board.WhiteToMove());
}

// An answer counts only in the game its request was made in: a level change while it waits drops it
// (counted, not delivered) and the position is searched again; setting the level it already has
// changes nothing, and the answer lands.
TEST(ChessThreadTest, AnswersOfAnEarlierGenerationAreDroppedAndCounted) {
  for (const bool change : {true, false}) {
    WorkerBoard w;
    int moves = 0;
    w.board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
    w.board.SetSearchDepth(2);
    w.board.SetComputerPlaysWhite(true);
    ASSERT_TRUE(w.WaitUntilPosted());
    const std::uint64_t requested = w.board.Generation();
    w.board.SetSearchDepth(change ? 3 : 2);
    EXPECT_EQ(w.board.Generation() != requested, change);
    ASSERT_TRUE(w.RunUntil([&] { return moves == 1 && w.Resting(); })) << "the computer stopped playing";
    const TWorkerCounts counts = w.worker.Counts();
    EXPECT_EQ(counts.Stale, change ? 1 : 0);
    EXPECT_EQ(counts.Delivered, 1);
    EXPECT_EQ(counts.Refused, 0);
    EXPECT_FALSE(w.board.WhiteToMove());
  }
}

// Every setter of the game may be called at once after a release, while the worker starts its search:
// each either parks it first or changes what only the main thread reads (the worker searches its
// request's copy). Run under the thread sanitizer, a setter that raced the worker is reported.
TEST(ChessThreadTest, SettersRightAfterAReleaseNeverRaceTheWorker) {
  WorkerBoard w;
  w.board.SetSearchDepth(2);
  for (int round = 0; round < 10; ++round) {
    w.board.NewGame();
    w.board.SetComputerPlaysWhite(true);  // released: the worker starts copying the board
    w.board.SetCastlingAllowed(CastleSet{WhiteKingSide, BlackKingSide});
    EXPECT_TRUE(w.Resting());
    w.board.StartThinking();
    w.board.SetEnPassant(Square::E6);
    EXPECT_TRUE(w.Resting());
    w.board.StartThinking();
    w.board.SetPosition("init");
    EXPECT_TRUE(w.Resting());
    w.board.StartThinking();
    w.board.StopThinking();  // may play the computer's move, so the side to move is known after it
    ASSERT_TRUE(w.board.WhiteToMove() ? w.board.MakeMove(Sq("e2"), Sq("e4"))
                                      : w.board.MakeMove(Sq("e7"), Sq("e5")));
    ASSERT_TRUE(w.board.MoveBack());
    EXPECT_TRUE(w.Resting());
    w.board.StartThinking();
    w.board.SetZelmarMode(round % 2 == 0);  // atomic, read at the start of each search
    w.board.SetSearchDepth(1 + round % 2);
    w.board.SetThinkingPriority(round % 2 ? tpLower : tpLowest);
    w.board.SetWhiteToMove(false);
    EXPECT_TRUE(w.Resting());
    w.board.SetComputerPlaysBlack(true);
    w.board.SetComputerPlaysWhite(false);
    w.board.SetCustomEngine(true);  // the board no longer parks the worker from here on
    EXPECT_TRUE(w.Resting());
    w.board.SetCustomEngine(false);
    EXPECT_EQ(w.board.CastlingAllowed(), (CastleSet{WhiteKingSide, BlackKingSide}));
    ASSERT_TRUE(w.RunUntil([&] { return w.Resting(); }));
  }
  EXPECT_EQ(w.worker.MovesRefused(), 0);
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

// Destruction stops a search rather than waiting for it (a Zelmar search of depth 8 takes seconds):
// no move arrives. A destruction that hangs is caught by the suite's time limit.
TEST(ChessThreadTest, DestroyedWhileSearchingOrParked) {
  for (int i = 0; i < 3; ++i) {
    int moves = 0;
    auto w = std::make_unique<WorkerBoard>();
    w->board.OnLegalMove = [&](TChessBrd&, Square, Square) { ++moves; };
    w->board.SetSearchDepth(8);
    w->board.SetZelmarMode(true);
    w->board.SetComputerPlaysWhite(true);
    if (i > 0) {
      ASSERT_TRUE(w->RunUntil([&] { return w->board.Thinking(); }));
    }
    w.reset();  // parks, then joins
    EXPECT_EQ(moves, 0);
  }
  // A worker destroyed without its board parking it first still ends.
  TChessBrd board;
  auto worker = std::make_unique<TChessThread>(board);
  board.SetComputerPlaysWhite(true);
  worker->Release(board.SearchRequest());
  worker.reset();
}

TEST(ChessThreadTest, LoweredPriorityReachesTheThread) {
  WorkerBoard w;
  ASSERT_TRUE(w.RunUntil([&] { return w.worker.ThreadId() != 0; }));
  errno = 0;
  const int base = getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId()));
  ASSERT_EQ(errno, 0);
  w.board.SetThinkingPriority(tpLowest);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId())), std::min(base + 10, 19));
  w.board.SetThinkingPriority(tpIdle);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(w.worker.ThreadId())), 19);
}

}  // namespace

}  // namespace zelmar
