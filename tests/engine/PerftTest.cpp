// Move-tree counts through the board's own operations against the published standard counts.
#include <gtest/gtest.h>

#include "engine/BoardPerft.h"
#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

namespace {

// Sets the board to a position given as rows of 8 characters ('.' empty), rank 8 first.
void SetUpRows(TChessBrd& board, const char* rows, bool whiteToMove, CastleSet rights) {
  std::string text(rows);
  for (char& c : text) {
    if (c == '.') c = ' ';
  }
  Arrange(board, text, whiteToMove, rights);
}

}  // namespace

TEST(PerftTest, StartPosition) {
  TChessBrd board;
  const std::int64_t expected[] = {1, 20, 400, 8902, 197281};
  for (int depth = 0; depth <= 4; ++depth) EXPECT_EQ(BoardPerft(board, depth), expected[depth]) << depth;
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  EXPECT_EQ(board.CurrentMove(), 1);
  EXPECT_TRUE(board.WhiteToMove());
}

TEST(PerftTest, Kiwipete) {
  TChessBrd board;
  SetUpRows(board,
            "r...k..r"
            "p.ppqpb."
            "bn..pnp."
            "...PN..."
            ".p..P..."
            "..N..Q.p"
            "PPPBBPPP"
            "R...K..R",
            true, CastleSet::All());
  const std::int64_t expected[] = {1, 48, 2039, 97862};
  for (int depth = 1; depth <= 3; ++depth) EXPECT_EQ(BoardPerft(board, depth), expected[depth]) << depth;
}

TEST(PerftTest, RookAndPawnsEndgame) {
  TChessBrd board;
  SetUpRows(board,
            "........"
            "..p....."
            "...p...."
            "KP.....r"
            ".R...p.k"
            "........"
            "....P.P."
            "........",
            true, CastleSet{});
  const std::int64_t expected[] = {1, 14, 191, 2812, 43238};
  for (int depth = 1; depth <= 4; ++depth) EXPECT_EQ(BoardPerft(board, depth), expected[depth]) << depth;
}

// Promotions count once per piece and go through the promotion event; the handler is given back.
TEST(PerftTest, PromotionsCountFourTimes) {
  TChessBrd board;
  SetUpRows(board,
            "r...k..r"
            "Pppp.ppp"
            ".b...nbN"
            "nP......"
            "BBP.P..."
            "q....N.."
            "Pp.P..PP"
            "R..Q.RK.",
            true, CastleSet{BlackKingSide, BlackQueenSide});
  int handled = 0;
  board.OnPromotion = [&](TChessBrd&, Square, Square, char&) { ++handled; };
  board.SetPromotionPiece('r');
  const std::int64_t expected[] = {1, 6, 264, 9467};
  for (int depth = 1; depth <= 3; ++depth) EXPECT_EQ(BoardPerft(board, depth), expected[depth]) << depth;
  EXPECT_EQ(handled, 0);
  ASSERT_TRUE(board.OnPromotion);
  EXPECT_EQ(board.PromotionPiece(), 'r');
}

}  // namespace zelmar
