// Which moves are legal: every piece's movement, en passant, the Zelmar, castling and the king's safety.
#include <gtest/gtest.h>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

TEST(LegalityTest, InitialPositionMoves) {
  TChessBrd board;
  EXPECT_TRUE(board.IsLegalMove(Square::E2, Square::E4));
  EXPECT_TRUE(board.IsLegalMove(Square::E2, Square::E3));
  EXPECT_TRUE(board.IsLegalMove(Square::G1, Square::F3));
  EXPECT_FALSE(board.IsLegalMove(Square::E2, Square::E5));
  EXPECT_FALSE(board.IsLegalMove(Square::E7, Square::E5));  // Black's piece, White to move
  EXPECT_FALSE(board.IsLegalMove(Square::E2, Square::E2));
  EXPECT_FALSE(board.IsLegalMove(Square::D1, Square::D2));  // own piece
  EXPECT_FALSE(board.IsLegalMove(Square::F1, Square::C4));  // blocked bishop
  EXPECT_FALSE(board.IsLegalMove(Square::None, Square::E4));
  EXPECT_FALSE(board.IsLegalMove(Square::E2, Square::None));
  EXPECT_FALSE(board.IsLegalMove(static_cast<Square>(65), Square::E4));
  EXPECT_FALSE(board.IsLegalMove(Square::E2, static_cast<Square>(200)));
}

TEST(LegalityTest, IllegalMoveIsRefusedWithoutEventsOrChanges) {
  TChessBrd board;
  EventLog log(board);
  EXPECT_FALSE(board.PlayMove(Square::E2, Square::E5));
  EXPECT_FALSE(board.MakeMove(Square::None, Square::E4));
  EXPECT_TRUE(log.Take().empty());
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  EXPECT_TRUE(board.WhiteToMove());
  EXPECT_EQ(board.CurrentMove(), 1);
  EXPECT_EQ(board.HistoryEndMove(), 1);
}

TEST(LegalityTest, PawnsMoveForwardCaptureDiagonallyAndDoubleStepOnlyFromHome) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'},
                            {"e8", 'k'},
                            {"d3", 'P'},
                            {"c4", 'p'},
                            {"d4", 'n'},
                            {"h2", 'P'},
                            {"h4", 'p'},
                            {"a7", 'p'},
                            {"a6", 'B'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::D3, Square::D4));  // blocked
  EXPECT_TRUE(board.IsLegalMove(Square::D3, Square::C4));
  EXPECT_FALSE(board.IsLegalMove(Square::D3, Square::E4));  // nothing to take
  EXPECT_FALSE(board.IsLegalMove(Square::D3, Square::D5));  // not on its second rank
  EXPECT_FALSE(board.IsLegalMove(Square::D3, Square::D2));  // backwards
  EXPECT_TRUE(board.IsLegalMove(Square::H2, Square::H3));
  EXPECT_FALSE(board.IsLegalMove(Square::H2, Square::H4));  // target occupied
  board.SetWhiteToMove(false);
  EXPECT_FALSE(board.IsLegalMove(Square::A7, Square::A5));  // passes through a6
  EXPECT_FALSE(board.IsLegalMove(Square::A7, Square::A6));
  EXPECT_TRUE(board.IsLegalMove(Square::H4, Square::H3));
  EXPECT_TRUE(board.IsLegalMove(Square::C4, Square::D3));
}

TEST(LegalityTest, SlidersStopAtTheFirstPieceAndKnightsJump) {
  TChessBrd board;
  Arrange(
      board,
      Placement({{"a1", 'K'}, {"h8", 'k'}, {"d4", 'R'}, {"d7", 'p'}, {"f6", 'B'}, {"b2", 'N'}, {"g5", 'p'}}));
  EXPECT_TRUE(board.IsLegalMove(Square::D4, Square::D7));
  EXPECT_FALSE(board.IsLegalMove(Square::D4, Square::D8));
  EXPECT_TRUE(board.IsLegalMove(Square::D4, Square::H4));
  EXPECT_FALSE(board.IsLegalMove(Square::D4, Square::E5));
  EXPECT_TRUE(board.IsLegalMove(Square::F6, Square::G5));
  EXPECT_FALSE(board.IsLegalMove(Square::F6, Square::H4));
  EXPECT_TRUE(board.IsLegalMove(Square::B2, Square::D3));
  EXPECT_TRUE(board.IsLegalMove(Square::B2, Square::D1));
  EXPECT_FALSE(board.IsLegalMove(Square::B2, Square::B4));
  EXPECT_FALSE(board.IsLegalMove(Square::B2, Square::H8));
}

TEST(LegalityTest, EnPassantOnlyRightAfterTheDoubleStep) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4"}));
  EXPECT_EQ(board.EnPassant(), Square::E3);
  ASSERT_TRUE(Play(board, {"g8f6"}));
  EXPECT_EQ(board.EnPassant(), Square::None);
  ASSERT_TRUE(Play(board, {"e4e5", "d7d5"}));
  EXPECT_EQ(board.EnPassant(), Square::D6);
  EXPECT_TRUE(board.IsLegalMove(Square::E5, Square::D6));
  ASSERT_TRUE(Play(board, {"h2h3", "h7h6"}));
  EXPECT_FALSE(board.IsLegalMove(Square::E5, Square::D6));  // the chance has passed
}

TEST(LegalityTest, EnPassantThatExposesTheKingAlongTheRankIsRefused) {
  TChessBrd board;
  auto pieces = Placement({{"a5", 'K'}, {"e5", 'P'}, {"d7", 'p'}, {"h5", 'r'}, {"e8", 'k'}});
  Arrange(board, pieces, false);
  ASSERT_TRUE(Play(board, {"d7d5"}));
  EXPECT_FALSE(board.IsLegalMove(Square::E5, Square::D6));
  EXPECT_TRUE(board.IsLegalMove(Square::E5, Square::E6));
  pieces[Ord(Square::H5) - 1] = ' ';
  Arrange(board, pieces, false);
  ASSERT_TRUE(Play(board, {"d7d5"}));
  EXPECT_TRUE(board.IsLegalMove(Square::E5, Square::D6));
}

TEST(ZelmarTest, QueenJumpsAsAKnightOnlyInZelmarMode) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"d1", 'Q'}, {"h8", 'k'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::D1, Square::C3));
  EXPECT_TRUE(board.IsLegalMove(Square::D1, Square::D8));
  board.SetZelmarMode(true);
  EXPECT_TRUE(board.IsLegalMove(Square::D1, Square::C3));
  EXPECT_TRUE(board.IsLegalMove(Square::D1, Square::E3));
  EXPECT_FALSE(board.IsLegalMove(Square::D1, Square::B4));
}

TEST(ZelmarTest, ZelmarChecksByKnightJumpAndGuardsItsSquares) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"d5", 'Q'}, {"e7", 'k'}}), false);
  EXPECT_FALSE(board.BlackKingAttackedAfter(Square::E7, Square::E7));
  EXPECT_TRUE(board.IsLegalMove(Square::E7, Square::F6));  // a knight's jump away: guarded only as a Zelmar
  board.SetZelmarMode(true);
  EXPECT_TRUE(board.BlackKingAttackedAfter(Square::E7, Square::E7));
  EXPECT_FALSE(board.IsLegalMove(Square::E7, Square::F6));
  EXPECT_FALSE(board.IsLegalMove(Square::E7, Square::E6));  // on the Zelmar's diagonal
  EXPECT_TRUE(board.IsLegalMove(Square::E7, Square::E8));
}

// The Zelmar on g3 reaches f1 only by its knight's jump: castling over f1 is refused only in Zelmar mode.
TEST(ZelmarTest, KingMayNotCastleAcrossAZelmarsJump) {
  TChessBrd board;
  const auto pieces =
      Placement({{"e1", 'K'}, {"h1", 'R'}, {"f2", 'P'}, {"g2", 'P'}, {"g3", 'q'}, {"e8", 'k'}});
  Arrange(board, pieces, true, CastleSet{WhiteKingSide});
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::G1));
  board.SetZelmarMode(true);
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1));
  EXPECT_FALSE(board.WhiteKingAttackedAfter(Square::E1, Square::E1));
}

// A Zelmar's jump onto f7 smothers the king in the corner; a queen could not make that move at all.
TEST(ZelmarTest, KnightJumpOfTheZelmarMates) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"e5", 'Q'}, {"h8", 'k'}, {"g8", 'r'}, {"g7", 'p'}, {"h7", 'p'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::E5, Square::F7));
  board.SetZelmarMode(true);
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E5, Square::F7));
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"LegalMove e5 f7", "Check e5 f7", "Mate e5 f7", "Paint"}));
}

TEST(CastlingTest, KingSideIsRefusedThroughAttackedSquaresOrWithoutTheRook) {
  const auto base = Placement({{"e1", 'K'}, {"h1", 'R'}, {"a1", 'R'}, {"e8", 'k'}});
  TChessBrd board;
  Arrange(board, base, true, CastleSet::All());
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::G1));
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::C1));
  for (const char* attacker : {"e4", "f4", "g4"}) {
    auto pieces = base;
    pieces[Ord(Sq(attacker)) - 1] = 'r';
    Arrange(board, pieces, true, CastleSet::All());
    EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1)) << attacker;
  }
  auto noRook = base;
  noRook[Ord(Square::H1) - 1] = 'N';
  Arrange(board, noRook, true, CastleSet::All());
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1));
  Arrange(board, base, true, CastleSet{WhiteQueenSide});
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1));
}

TEST(CastlingTest, QueenSideNeedsB1EmptyButNotSafe) {
  auto pieces = Placement({{"e1", 'K'}, {"a1", 'R'}, {"e8", 'k'}, {"b4", 'r'}});
  TChessBrd board;
  Arrange(board, pieces, true, CastleSet::All());
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::C1));
  pieces[Ord(Square::B1) - 1] = 'N';
  Arrange(board, pieces, true, CastleSet::All());
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::C1));
  Arrange(board, Placement({{"e8", 'k'}, {"a8", 'r'}, {"e1", 'K'}, {"d3", 'R'}}), false, CastleSet::All());
  EXPECT_FALSE(board.IsLegalMove(Square::E8, Square::C8));
}

TEST(KingSafetyTest, PinnedPiecesStayAndKingsAvoidAttackedSquares) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"e2", 'N'}, {"e8", 'r'}, {"a8", 'k'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::E2, Square::C3));  // pinned on the file
  EXPECT_FALSE(board.IsLegalMove(Square::E2, Square::G3));
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::D2));
  // A Black pawn attacks diagonally downwards, not straight ahead.
  Arrange(board, Placement({{"e1", 'K'}, {"e3", 'p'}, {"a8", 'k'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::D2));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::F2));
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::E2));
  // Kings never stand side by side.
  Arrange(board, Placement({{"e1", 'K'}, {"e3", 'k'}}));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::E2));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::F2));
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::F1));
}

TEST(KingSafetyTest, MissingKingsAreNeverAttackedForWhiteAndAlwaysForBlack) {
  TChessBrd board;
  Arrange(board, Placement({{"a2", 'P'}, {"a7", 'p'}}));
  EXPECT_FALSE(board.WhiteKingAttackedAfter(Square::A2, Square::A2));
  EXPECT_TRUE(board.BlackKingAttackedAfter(Square::A7, Square::A7));
  EXPECT_TRUE(board.IsLegalMove(Square::A2, Square::A4));
  board.SetWhiteToMove(false);
  EXPECT_FALSE(board.IsLegalMove(Square::A7, Square::A5));
}

}  // namespace zelmar
