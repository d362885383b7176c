// The computer player's carried state kept and restored: a game continued on a fresh board and worker
// from its moves and SearchCarry gives, move for move and node for node, the replies of the game that
// went on uninterrupted, wherever it was kept (player or computer to move, after take-backs, during a
// search); without the carried state it does not. Malformed texts are refused and change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/search/CarriedLineText.h"
#include "engine/search/ChessSearch.h"
#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

using worker_test::Sq;
using worker_test::WorkerBoard;

namespace {

constexpr int kDepth = 3;
constexpr int kPlayerDepth = 2;

using TMove = std::pair<Square, Square>;

struct TReply {
  TMove Move;
  std::uint64_t Nodes = 0;
  friend bool operator==(const TReply&, const TReply&) = default;
  friend void PrintTo(const TReply& r, std::ostream* out) {
    *out << Ord(r.Move.first) << "-" << Ord(r.Move.second) << " nodes " << r.Nodes;
  }
};

// A game as it is kept: the recorded line, the half-moves of it shown, and the carried state.
struct TKept {
  std::vector<TMove> Line;
  std::size_t Shown = 0;
  std::string Carry;
};

// A board, thinking ahead on, whose game the test follows: the line recorded and the position shown,
// as the board keeps them, and whether the game has ended.
struct TFollowedBoard : WorkerBoard {
  explicit TFollowedBoard(bool zelmar) {
    board.OnLegalMove = [this](TChessBrd&, Square from, Square to) {
      line.resize(shown);
      line.emplace_back(from, to);
      ++shown;
    };
    board.OnMate = board.OnStaleMate = [this](TChessBrd&, Square, Square) { over = true; };
    board.OnDraw = [this](TChessBrd&) { over = true; };
    board.SetSearchDepth(kDepth);
    board.SetZelmarMode(zelmar);
    board.NewGame();
  }
  // Steps back; a reply the computer delivers while it is being stopped is recorded but not shown.
  void StepBack(int halfMoves) {
    for (int i = 0; i < halfMoves; ++i) ASSERT_TRUE(board.MoveBack());
    shown = static_cast<std::size_t>((board.CurrentMove() - 1) * 2 + (board.WhiteToMove() ? 0 : 1));
  }
  TKept Keep() const { return {line, shown, board.SearchCarry()}; }
  // The player's move (announced first, as when its piece starts to glide), then the computer's reply.
  std::optional<TReply> PlayAndAwaitReply(TMove move) {
    board.AnticipateMove(move.first, move.second);
    EXPECT_TRUE(board.MakeMove(move.first, move.second));
    return AwaitReply();
  }
  // The computer's reply once it has moved and the worker rests; nothing when the game ended first.
  std::optional<TReply> AwaitReply() {
    const std::size_t target = shown + 1;
    EXPECT_TRUE(RunUntil([&] { return (over || shown == target) && Resting(); }));
    if (over || shown != target) return std::nullopt;
    return TReply{line.back(), worker.LastNodes()};
  }

  std::vector<TMove> line;
  std::size_t shown = 0;
  bool over = false;
};

// The game continued after a restart: a fresh board and worker, the kept line replayed with the
// computer's sides off and stepped back to the position shown, the carried state set (unless left
// out), the computer on Black; then the player's move when it is White's turn, and the reply.
std::optional<TReply> ContinueKept(const TKept& kept, bool zelmar, bool restoreCarry,
                                   std::optional<TMove> next) {
  TFollowedBoard w(zelmar);
  for (const TMove& m : kept.Line) EXPECT_TRUE(w.board.PlayMove(m.first, m.second));
  w.StepBack(static_cast<int>(kept.Line.size() - kept.Shown));
  if (restoreCarry) {
    EXPECT_TRUE(w.board.SetSearchCarry(kept.Carry));
  }
  w.board.SetComputerPlaysBlack(true);
  if (!w.board.WhiteToMove()) return w.AwaitReply();
  EXPECT_TRUE(next.has_value());
  return next ? w.PlayAndAwaitReply(*next) : std::nullopt;
}

// The player: mostly what a shallow search of its own finds, otherwise a random legal move.
std::optional<TMove> PlayerMove(const TChessBrd& board, TChessSearch& own, std::mt19937& rng) {
  std::vector<TMove> legal;
  for (int f = 1; f <= 64; ++f)
    for (int t = 1; t <= 64; ++t)
      if (board.IsLegalMove(static_cast<Square>(f), static_cast<Square>(t))) {
        legal.emplace_back(static_cast<Square>(f), static_cast<Square>(t));
      }
  if (legal.empty()) return std::nullopt;
  if (rng() % 4 == 0) return legal[rng() % legal.size()];
  own.SetZelmarMode(board.ZelmarMode());
  own.RunSearch(RootFromBoard(board, kPlayerDepth));
  return TMove{static_cast<Square>(own.BestMove().From + 1), static_cast<Square>(own.BestMove().To + 1)};
}

// How one kept point of the uninterrupted game came out when continued.
struct TChecked {
  int Points = 0;
  int DifferWithoutCarry = 0;
};

// Continues `kept` with and without the carried state; the first must give `expected`.
void CheckPoint(const TKept& kept, bool zelmar, std::optional<TMove> next, const TReply& expected,
                const char* where, int turn, TChecked& checked) {
  const std::optional<TReply> restored = ContinueKept(kept, zelmar, true, next);
  EXPECT_EQ(restored, std::optional<TReply>(expected)) << where << ", turn " << turn;
  const std::optional<TReply> bare = ContinueKept(kept, zelmar, false, next);
  ++checked.Points;
  if (bare != std::optional<TReply>(expected)) ++checked.DifferWithoutCarry;
}

class KeptGames : public ::testing::TestWithParam<bool> {};

// The computer plays Black with thinking ahead on. Every turn is kept with the player to move and
// again with the computer to move (its search running or being taken over); at turns 5 and 11 the
// player takes back two half-moves first, and at turns 8 and 14 one half-move right after moving,
// while the computer thinks.
TEST_P(KeptGames, RestoredGamesReplyAsTheUninterruptedOne) {
  const bool zelmar = GetParam();
  TFollowedBoard w(zelmar);
  w.board.SetComputerPlaysBlack(true);
  std::mt19937 rng(zelmar ? 7 : 3);
  auto own = std::make_unique<TChessSearch>();
  TChecked checked;
  for (int turn = 0; turn < 18 && !w.over; ++turn) {
    if ((turn == 5 || turn == 11) && w.shown >= 2) w.StepBack(2);
    if (turn == 8 || turn == 14) {
      const std::optional<TMove> hasty = PlayerMove(w.board, *own, rng);
      if (!hasty) break;
      ASSERT_TRUE(w.board.MakeMove(hasty->first, hasty->second));
      w.StepBack(1);
    }
    const TKept beforeMove = w.Keep();
    const std::optional<TMove> move = PlayerMove(w.board, *own, rng);
    if (!move) break;
    w.board.AnticipateMove(move->first, move->second);
    ASSERT_TRUE(w.board.MakeMove(move->first, move->second));
    const TKept afterMove = w.Keep();
    const std::optional<TReply> reply = w.AwaitReply();
    if (!reply) break;
    CheckPoint(beforeMove, zelmar, move, *reply, "player to move", turn, checked);
    CheckPoint(afterMove, zelmar, std::nullopt, *reply, "computer to move", turn, checked);
  }
  EXPECT_GE(checked.Points, 16);  // the game is the same every run up to the first stopped search
  EXPECT_GT(w.worker.SearchesTakenOver(), 0);
  // Without the carried state the same games go otherwise: the restoring is what makes them equal.
  EXPECT_GT(checked.DifferWithoutCarry, 0);
}

INSTANTIATE_TEST_SUITE_P(BothModes, KeptGames, ::testing::Values(false, true));

// At the search itself: a search given only the carried line of the one before it searches as that
// one would, whatever else its own object held. Each position is searched deep, shallow, then deep
// again, as when a take-back brings a position back: the last search follows the shallow search's
// line and reads on past its end, so cutting the carried line there changes some searches.
TEST(SearchCarry, TheWholeCarriedLineAndNothingElseSteersTheNextSearch) {
  constexpr int kDeep = 4, kShallow = 2, kWalkMoves = 6;
  auto live = std::make_unique<TChessSearch>();
  auto restored = std::make_unique<TChessSearch>();
  auto cut = std::make_unique<TChessSearch>();
  auto scratch = std::make_unique<TChessSearch>();
  for (const bool zelmar : {false, true}) {
    TSearchRoot root;
    std::copy(kInitialPosition.begin(), kInitialPosition.end(), root.Squares);
    root.CastleRights = crWhiteKingSide | crWhiteQueenSide | crBlackKingSide | crBlackQueenSide;
    root.ZelmarMode = zelmar;
    for (TChessSearch* s : {live.get(), restored.get(), cut.get()}) s->SetZelmarMode(zelmar);
    int cutDiffers = 0;
    for (int move = 0; move < kWalkMoves; ++move) {
      for (const int depth : {kDeep, kShallow, kDeep}) {
        const TChessSearch::TCarriedLine carried = live->CarriedLine();
        TChessSearch::TCarriedLine shortened{};
        std::copy_n(carried.begin(), live->Completed().LineLength, shortened.begin());
        restored->SetCarriedLine(carried);
        cut->SetCarriedLine(shortened);
        root.Depth = depth;
        for (TChessSearch* s : {live.get(), restored.get(), cut.get()}) s->RunSearch(root);
        ASSERT_EQ(restored->Nodes(), live->Nodes()) << "move " << move << ", depth " << depth;
        ASSERT_EQ(restored->BestMove(), live->BestMove()) << "move " << move << ", depth " << depth;
        if (cut->Nodes() != live->Nodes()) ++cutDiffers;
      }
      const TSearchMove m = live->BestMove();
      TSearchRoot after;
      if (live->Completed().LineLength == 0 || !scratch->RootAfter(root, m.From, m.To, m.Promotion, after))
        break;
      root = after;
    }
    EXPECT_GT(cutDiffers, 0) << (zelmar ? "Zelmar mode" : "standard");
  }
}

// A malformed text is refused and changes nothing; a kept text is taken back unchanged; a board
// without a worker keeps nothing.
TEST(SearchCarry, MalformedTextsAreRefused) {
  TFollowedBoard w(false);
  w.board.SetComputerPlaysBlack(true);
  ASSERT_TRUE(w.PlayAndAwaitReply({Sq("e2"), Sq("e4")}).has_value());
  const std::string kept = w.board.SearchCarry();
  ASSERT_EQ(kept.substr(0, kCarriedLineFormat.size()), kCarriedLineFormat);
  ASSERT_GT(kept.size(), kCarriedLineFormat.size());
  std::string tooLong(kCarriedLineFormat);
  for (int p = 0; p <= PlyBound; ++p) tooLong += " e2e4";
  for (const std::string& bad :
       {std::string(), std::string(" \n"), std::string("v2 e2e4"), std::string("e2e4"),
        std::string("v1 e2e9"), std::string("v1 e2e4q"), std::string("v1 i2e4"), std::string("v1 E2E4"),
        std::string("v1 e2e2"), std::string("v1 e2e4 v1"), std::string("v1 --"), std::string("v1 e2e4\0", 8),
        tooLong}) {
    EXPECT_FALSE(w.board.SetSearchCarry(bad)) << bad;
    EXPECT_EQ(w.board.SearchCarry(), kept);
  }
  EXPECT_FALSE(w.board.Halted());
  // Any layout of spaces and line breaks, and the longest line, are taken.
  std::string wrapped = kept;
  std::replace(wrapped.begin(), wrapped.end(), ' ', '\n');
  EXPECT_TRUE(w.board.SetSearchCarry("  " + wrapped + "\t"));
  EXPECT_EQ(w.board.SearchCarry(), kept);
  const std::string longest = tooLong.substr(0, tooLong.size() - std::string(" e2e4").size());
  EXPECT_TRUE(w.board.SetSearchCarry(longest));
  EXPECT_EQ(w.board.SearchCarry(), longest);
  for (std::size_t at = 0, end; at < longest.size(); at = end + 1) {
    end = std::min(longest.find(' ', at), longest.size());
    EXPECT_LE(end - at, 16u);
  }
  TChessBrd bare;
  EXPECT_EQ(bare.SearchCarry(), "");
  EXPECT_FALSE(bare.SetSearchCarry(kept));
}

}  // namespace

}  // namespace zelmar
