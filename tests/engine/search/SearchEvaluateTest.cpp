// The static evaluation on positions whose value can be worked out by hand.
#include <gtest/gtest.h>

#include <memory>

#include "engine/bench/ReferenceSearch.h"
#include "engine/search/ChessSearch.h"
#include "tests/engine/search/SearchTestUtil.h"

namespace zelmar {
namespace {

int Eval(const char* fen, bool zelmar = false) {
  auto s = std::make_unique<TChessSearch>();
  s->SetZelmarMode(zelmar);
  s->LoadRoot(testing::Root(fen, 1, zelmar));
  auto r = std::make_unique<reference::TReferenceSearch>();
  r->SetZelmarMode(zelmar);
  r->LoadRoot(testing::Root(fen, 1, zelmar));
  EXPECT_EQ(s->Evaluate(), r->Evaluate()) << fen;
  return s->Evaluate();
}

TEST(SearchEvaluate, InitialPositionIsLevelForEitherSide) {
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"), 0);
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -"), 0);
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"), -28);
}

TEST(SearchEvaluate, LonePawnIsPassedAndIsolated) {
  EXPECT_EQ(Eval("4k3/8/8/8/8/8/4P3/4K3 w - -"), 210);
  EXPECT_EQ(Eval("4k3/8/8/8/8/8/4P3/4K3 b - -"), -210);
}

TEST(SearchEvaluate, DoubledIsolatedPawnsPayEach) {
  // e2 (80) and e3 (104): each -5 doubled, -30 isolated on a file without enemy pawns, and passed.
  const int pawns = (80 + 104) * 3 - 2 * (5 + 30);
  EXPECT_EQ(Eval("4k3/8/8/8/8/4P3/4P3/4K3 w - -"), pawns);
  // An enemy pawn on the file makes them isolated for 20 only and no longer passed.
  const int blocked = Eval("4k3/4p3/8/8/8/4P3/4P3/4K3 w - -");
  // White 184 - 2 x (5 + 20); Black's e7 pawn (80) is isolated too (-20).
  EXPECT_EQ(blocked, (80 + 104) - 2 * (5 + 20) - (80 - 20));
}

TEST(SearchEvaluate, RookFileBonus) {
  const int base = Eval("4k3/8/8/8/8/8/8/R3K3 w - -");
  EXPECT_EQ(base, 500 + 15);
  EXPECT_EQ(Eval("4k3/p7/8/8/8/8/8/R3K3 w - -") - Eval("4k3/p7/8/8/8/8/8/4K3 w - -"), 510);
  EXPECT_EQ(Eval("4k3/8/8/8/8/8/P7/R3K3 w - -") - Eval("4k3/8/8/8/8/8/P7/4K3 w - -"), 500);
}

TEST(SearchEvaluate, ZelmarIsValuedAsAQueen) {
  EXPECT_EQ(Eval("4k3/8/8/8/3Q4/8/8/4K3 w - -", true), Eval("4k3/8/8/8/3Q4/8/8/4K3 w - -", false));
  EXPECT_EQ(Eval("4k3/8/8/8/3Q4/8/8/4K3 w - -", true), 900);
}

TEST(SearchEvaluate, PawnShieldFollowsTheKingOfTheRoot) {
  // Enough Black material for the middle-game table; king castled on g1 when the search starts.
  // Black pawns in front keep White's from being passed, so each pawn counts its table value once.
  auto s = std::make_unique<TChessSearch>();
  s->LoadRoot(testing::Root("rnbqkbnr/5ppp/8/8/8/8/5PPP/6K1 w - -"));
  const int before = s->Evaluate();
  s->GenerateMoves();
  TSearchMove kingStep{};
  for (int i = s->ListBegin(); i < s->ListFinish(); ++i)
    if (MoveToText(s->ListEntry(i).Move) == "g1f1") kingStep = s->ListEntry(i).Move;
  ASSERT_TRUE(s->DoMove(kingStep));
  // After Kf1 only the king's own table changes (g1 10 -> f1 -20): the shield stays.
  EXPECT_EQ(s->Evaluate(), -(before - 30));
  // With the king on d1 at the start, the same pawns carry no shield (3 x 20) and d1 is worth -20.
  auto q = std::make_unique<TChessSearch>();
  q->LoadRoot(testing::Root("rnbqkbnr/5ppp/8/8/8/8/5PPP/3K4 w - -"));
  EXPECT_EQ(before - q->Evaluate(), 60 + 10 - (-20));
}

}  // namespace
}  // namespace zelmar
