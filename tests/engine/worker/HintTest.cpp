// Hints through the real board and worker: a hint is the plain search of the player's position at the
// level capped for hints, move and nodes; a game played with hints asked (and some of them overtaken by a
// take-back, a new game, a mode change or the player's move) gives the computer the same moves, scores and
// node counts as the game played without; a hint overtaken never arrives, and one in flight at the end
// of the program is let go.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/SearchLevel.h"
#include "engine/search/ChessSearch.h"
#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

using worker_test::Sq;
using worker_test::WorkerBoard;

namespace {

struct TSeen {
  int From = 0, To = 0;
  std::uint64_t Nodes = 0;
  friend bool operator==(const TSeen&, const TSeen&) = default;
};

// What a fresh search object answers in the board's position at `depth`.
TSeen PlainSearch(const TChessBrd& board, int depth) {
  auto search = std::make_unique<zelmar::TChessSearch>();
  search->SetZelmarMode(board.ZelmarMode());
  search->RunSearch(RootFromBoard(board, depth));
  return {search->BestMove().From + 1, search->BestMove().To + 1, search->Nodes()};
}

// Every legal move of the side to move, as square pairs.
std::vector<std::pair<Square, Square>> LegalMoves(const TChessBrd& board) {
  std::vector<std::pair<Square, Square>> legal;
  for (int f = 1; f <= 64; ++f)
    for (int t = 1; t <= 64; ++t)
      if (board.IsLegalMove(static_cast<Square>(f), static_cast<Square>(t)))
        legal.emplace_back(static_cast<Square>(f), static_cast<Square>(t));
  return legal;
}

// What is done on a turn after the hint (if any) is asked; the same in a game with hints and without.
enum class TTurn { Plain, Awaited, TakeBack, NewGame, ModeChange };
constexpr int kTurnKinds = 5;

struct TGameRun {
  std::vector<TSeen> Replies;
  int HintsSeen = 0;
};

// One game, the computer Black at `level`, the player choosing random legal moves, with a take-back, a new
// game or a mode change on some turns; with `hints`, a hint is asked on every turn and awaited (and checked
// against the plain search) on some, overtaken by the turn's change or the player's move on the others.
TGameRun PlayGame(unsigned seed, bool zelmar, bool hints, int level) {
  WorkerBoard w;
  int moves = 0;
  bool over = false;
  TSeen last;
  w.board.OnLegalMove = [&](TChessBrd&, Square o, Square n) {
    ++moves, last.From = Ord(o), last.To = Ord(n);
  };
  w.board.OnMate = w.board.OnStaleMate = [&](TChessBrd&, Square, Square) { over = true; };
  w.board.OnDraw = [&](TChessBrd&) { over = true; };
  std::optional<TSeen> hint;
  std::uint64_t hintGeneration = 0;
  w.board.OnHint = [&](TChessBrd& board, Square from, Square to, char) {
    hint = TSeen{Ord(from), Ord(to), w.worker.Counts().HintNodes};
    hintGeneration = board.Generation();
  };
  w.board.SetSearchDepth(level);
  w.board.SetZelmarMode(zelmar);
  w.board.NewGame();
  w.board.SetComputerPlaysBlack(true);
  std::mt19937 rng(seed);
  TGameRun run;
  for (int turn = 0; turn < 24 && !over; ++turn) {
    const auto kind = static_cast<TTurn>(turn % kTurnKinds);
    hint.reset();
    const std::uint64_t asked = w.board.Generation();
    if (hints) {
      EXPECT_TRUE(w.board.AskHint()) << "turn " << turn;
    }
    switch (kind) {
      case TTurn::Awaited:
        if (hints) {
          const TSeen plain = PlainSearch(w.board, std::min(level, kHighestHintLevel));
          EXPECT_TRUE(w.RunUntil([&] { return hint.has_value(); }));
          EXPECT_EQ(hint, plain) << "turn " << turn;
          ++run.HintsSeen;
        }
        break;
      case TTurn::TakeBack:
        if (w.board.MoveBack()) {
          EXPECT_TRUE(w.board.MoveBack());
        }
        break;
      case TTurn::NewGame:
        w.board.NewGame();
        w.board.SetComputerPlaysBlack(true);
        break;
      case TTurn::ModeChange:
        w.board.SetZelmarMode(!zelmar);
        w.board.SetZelmarMode(zelmar);
        break;
      case TTurn::Plain:
        break;
    }
    const auto legal = LegalMoves(w.board);
    if (legal.empty()) break;
    const auto [from, to] = legal[rng() % legal.size()];
    const int before = moves;
    EXPECT_TRUE(w.board.MakeMove(from, to));
    if (over) break;
    // The pass ends (its node count set) before the worker rests.
    EXPECT_TRUE(w.RunUntil([&] { return (moves == before + 2 || over) && w.Resting(); })) << "turn " << turn;
    run.Replies.push_back({last.From, last.To, w.worker.Counts().LastNodes});
    // A hint arrives only in the game it was asked in (a park may still hand over one already found).
    if (hint) {
      EXPECT_EQ(hintGeneration, asked) << "turn " << turn;
    }
  }
  EXPECT_TRUE(w.RunUntil([&] { return w.Resting(); }));
  return run;
}

}  // namespace

// The computer's every reply, and its node count, is the same with hints asked and overtaken as without,
// in both modes; every hint awaited is the plain search of the player's position.
TEST(HintTest, HintsLeaveTheComputersGameUnchanged) {
  for (const bool zelmar : {false, true}) {
    const unsigned seed = zelmar ? 11 : 7;
    const TGameRun with = PlayGame(seed, zelmar, true, 4);
    const TGameRun without = PlayGame(seed, zelmar, false, 4);
    EXPECT_EQ(with.Replies, without.Replies) << (zelmar ? "zelmar" : "classic");
    EXPECT_GT(with.HintsSeen, 0);
  }
}

// At the highest level the hint searches only as deep as the cap, and still answers as the plain search.
TEST(HintTest, HintIsCappedAtItsOwnLevel) {
  WorkerBoard w;
  std::optional<TSeen> hint;
  char promotion = '?';
  w.board.OnHint = [&](TChessBrd&, Square from, Square to, char piece) {
    hint = TSeen{Ord(from), Ord(to), w.worker.Counts().HintNodes};
    promotion = piece;
  };
  w.board.SetSearchDepth(kHighestLevel);
  w.board.NewGame();
  w.board.SetComputerPlaysBlack(true);
  EXPECT_EQ(w.board.HintRequest().Root.Depth, kHighestHintLevel);
  ASSERT_TRUE(w.board.AskHint());
  EXPECT_TRUE(w.RunUntil([&] { return hint.has_value(); }));
  EXPECT_EQ(hint, PlainSearch(w.board, kHighestHintLevel));
  EXPECT_EQ(promotion, '\0');
}

// A pawn's promotion is suggested with its piece.
TEST(HintTest, PromotionHintNamesThePiece) {
  WorkerBoard w;
  std::optional<TSeen> hint;
  char promotion = '?';
  w.board.OnHint = [&](TChessBrd&, Square from, Square to, char piece) {
    hint = TSeen{Ord(from), Ord(to), 0};
    promotion = piece;
  };
  w.board.SetSearchDepth(2);
  w.board.SetPosition("       k     P                                                 K");
  w.board.SetCastlingAllowed(CastleSet{});
  w.board.SetComputerPlaysBlack(true);
  ASSERT_TRUE(w.board.AskHint());
  EXPECT_TRUE(w.RunUntil([&] { return hint.has_value(); }));
  EXPECT_EQ(hint->From, Ord(Sq("f7")));
  EXPECT_EQ(hint->To, Ord(Sq("f8")));
  EXPECT_EQ(promotion, 'q');
}

// No hint while the computer is to move; a hint still searching when the program ends is stopped and the
// worker joined.
TEST(HintTest, HintInFlightIsLetGoAtQuit) {
  {
    WorkerBoard w;
    w.board.SetSearchDepth(kHighestLevel);
    w.board.NewGame();
    w.board.SetComputerPlaysWhite(true);
    EXPECT_FALSE(w.board.AskHint());
  }
  for (int run = 0; run < 3; ++run) {
    WorkerBoard w;
    bool arrived = false;
    w.board.OnHint = [&](TChessBrd&, Square, Square, char) { arrived = true; };
    w.board.SetSearchDepth(kHighestLevel);
    w.board.NewGame();
    w.board.SetComputerPlaysBlack(true);
    ASSERT_TRUE(w.board.AskHint());
    EXPECT_FALSE(arrived);
  }
}

}  // namespace zelmar
