// Hand-off points with the computer player: which operations park and release the worker, the first
// repaint, the game-end guard, and a custom move source.
#include <gtest/gtest.h>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

namespace {

// A worker that only notes the calls the board makes on it.
class FakeWorker : public TChessWorker {
 public:
  explicit FakeWorker(std::string* calls) : calls_(calls) {}
  void Park() override { *calls_ += "park "; }
  void Release(const TWorkerRequest&) override { *calls_ += "release "; }
  bool ParkAfterPass() override {
    *calls_ += "pass-end ";
    return stopRequested;
  }
  bool Thinking() const override { return thinking; }
  void ApplyPriority(TThreadPriority p) override { *calls_ += "priority" + std::to_string(p) + " "; }

  bool stopRequested = false;
  bool thinking = false;

 private:
  std::string* calls_;
};

// A board with a fake worker; `calls` collects what the board asked of it.
struct WorkerBoard {
  WorkerBoard() {
    auto fake = std::make_unique<FakeWorker>(&calls);
    worker = fake.get();
    board.AttachWorker(std::move(fake));
    calls.clear();
  }
  std::string Take() { return std::exchange(calls, {}); }

  std::string calls;
  TChessBrd board;
  FakeWorker* worker = nullptr;
};

}  // namespace

TEST(ThinkingTest, WithoutWorkerStopAndStartDoNothingButHalt) {
  TChessBrd board;
  board.StartThinking();
  board.StopThinking();
  EXPECT_TRUE(board.Halted());
  EXPECT_FALSE(board.Thinking());
  EXPECT_TRUE(board.MakeMove(Square::E2, Square::E4));
  EXPECT_FALSE(board.Halted());
}

TEST(ThinkingTest, OperationsThatChangeWhatTheWorkerReadsParkItFirst) {
  WorkerBoard w;
  w.board.SetComputerPlaysBlack(true);
  EXPECT_EQ(w.Take(), "park release ");
  w.board.SetComputerPlaysWhite(false);
  EXPECT_EQ(w.Take(), "park release ");
  w.board.SetWhiteToMove(true);
  EXPECT_EQ(w.Take(), "park ");
  w.board.SetEnPassant(Square::E3);
  EXPECT_EQ(w.Take(), "park ");
  w.board.SetEnPassant(Square::E4);  // ignored, so nothing to stop
  EXPECT_EQ(w.Take(), "");
  w.board.SetPosition("init");
  EXPECT_EQ(w.Take(), "park release ");  // the first repaint starts the computer player
  w.board.SetPosition("init");
  EXPECT_EQ(w.Take(), "park ");
  w.board.NewGame();
  EXPECT_EQ(w.Take(), "park ");
  w.board.SetCastlingAllowed(CastleSet{});
  EXPECT_EQ(w.Take(), "park ");
  w.board.SetZelmarMode(true);  // read once per search; a search under the old mode is redone
  w.board.SetSearchDepth(4);
  EXPECT_EQ(w.Take(), "");
  w.board.SetThinkingPriority(tpLowest);
  EXPECT_EQ(w.Take(), "priority1 ");
  // A custom move source takes over: the worker is parked once, then left alone.
  w.board.SetCustomEngine(true);
  EXPECT_EQ(w.Take(), "park ");
  w.board.SetCustomEngine(true);
  w.board.SetPosition("init");
  EXPECT_EQ(w.Take(), "");
}

TEST(ThinkingTest, MakeMoveRestartsTheWorkerEvenWhenRefused) {
  WorkerBoard w;
  EXPECT_FALSE(w.board.MakeMove(Square::E2, Square::E5));
  EXPECT_EQ(w.Take(), "park release ");
  EXPECT_FALSE(w.board.Halted());
  EXPECT_TRUE(w.board.MakeMove(Square::E2, Square::E4));
  EXPECT_EQ(w.Take(), "park release ");
  ASSERT_TRUE(Play(w.board, {"e7e5"}));
  EXPECT_EQ(w.Take(), "");  // PlayMove alone never touches the worker
  ASSERT_TRUE(w.board.MoveBack());
  EXPECT_EQ(w.Take(), "park ");
  ASSERT_TRUE(w.board.MoveForward());
  EXPECT_EQ(w.Take(), "park ");
}

TEST(ThinkingTest, OnlyTheFirstRepaintAfterLoadingStartsTheComputer) {
  WorkerBoard w;
  w.board.BeginLoading();
  w.board.SetComputerPlaysBlack(true);
  w.board.NewGame();
  EXPECT_EQ(w.Take(), "park park ");
  EXPECT_FALSE(w.board.FirstPaintDone());
  w.board.EndLoading();
  w.board.NewGame();
  EXPECT_TRUE(w.board.FirstPaintDone());
  EXPECT_EQ(w.Take(), "park release ");
  w.board.Repaint();
  EXPECT_EQ(w.Take(), "");
}

TEST(ThinkingTest, GameEndHandlerMayChangeSidesWithoutWaitingForTheWorker) {
  WorkerBoard w;
  w.board.OnMate = [](TChessBrd& b, Square, Square) {
    b.SetComputerPlaysBlack(false);
    b.NewGame();
  };
  ASSERT_TRUE(Play(w.board, {"f2f3", "e7e5", "g2g4"}));
  w.Take();
  ASSERT_TRUE(w.board.PlayMove(Square::D8, Square::H4));
  EXPECT_EQ(w.Take(), "release release ");  // no park inside the handler
  EXPECT_EQ(w.board.GetPosition(), kInitialPosition);
  ASSERT_TRUE(Play(w.board, {"e2e4"}));
  EXPECT_FALSE(w.board.InGameEndEvent());
}

TEST(ThinkingTest, TurnDoneRestartsUnlessAStopWasRequested) {
  WorkerBoard w;
  w.board.TurnDone();
  EXPECT_EQ(w.Take(), "pass-end release ");
  w.worker->stopRequested = true;
  w.board.TurnDone();
  EXPECT_EQ(w.Take(), "pass-end ");
  w.worker->thinking = true;
  EXPECT_TRUE(w.board.Thinking());
}

TEST(CustomEngineTest, CalculatedMoveIsPlayedForTheComputersSide) {
  TChessBrd board;
  board.SetCustomEngine(true);
  int asked = 0;
  board.OnCalculateMove = [&](TChessBrd&, Square& oldSq, Square& newSq) {
    ++asked;
    EXPECT_EQ(oldSq, Square::None);
    oldSq = Square::E7;
    newSq = Square::E5;
  };
  board.SetComputerPlaysBlack(true);  // White to move: not asked
  EXPECT_EQ(asked, 0);
  ASSERT_TRUE(board.MakeMove(Square::E2, Square::E4));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(board.PieceAt(Square::E5), 'p');
  EXPECT_TRUE(board.WhiteToMove());
}

TEST(CustomEngineTest, RefusedCalculatedMoveIsReportedAndHaltedBlocksTheSource) {
  TChessBrd board;
  board.SetCustomEngine(true);
  board.OnCalculateMove = [](TChessBrd&, Square& oldSq, Square& newSq) {
    oldSq = Square::E7;
    newSq = Square::E4;
  };
  std::string failed;
  board.OnCalculationFailed = [&](TChessBrd&, Square a, Square b) { failed = SquareName(a) + SquareName(b); };
  board.SetComputerPlaysBlack(true);
  ASSERT_TRUE(board.MakeMove(Square::E2, Square::E4));
  EXPECT_EQ(failed, "e7e4");
  failed.clear();
  board.StopThinking();
  board.PollCustomEngine();  // halted: nothing asked
  board.StartThinking();
  EXPECT_EQ(failed, "");
}

}  // namespace zelmar
