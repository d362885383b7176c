// Playing moves: the order of the events, promotion, castling, en passant and the castling rights.
#include <gtest/gtest.h>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;
using Lines = std::vector<std::string>;

TEST(PlayEventsTest, QuietMoveRaisesLegalMoveThenPaint) {
  TChessBrd board;
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E2, Square::E4));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e2 e4", "Paint"}));
  EXPECT_FALSE(board.WhiteToMove());
  EXPECT_EQ(board.CurrentMove(), 1);
  ASSERT_TRUE(board.PlayMove(Square::E7, Square::E5));
  EXPECT_EQ(board.CurrentMove(), 2);
}

TEST(PlayEventsTest, LegalMoveSeesThePieceMovedAndTheSideSwappedButNothingElseYet) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"h1", 'R'}, {"e8", 'k'}}), true, CastleSet::All());
  bool checked = false;
  board.OnLegalMove = [&](TChessBrd& b, Square oldSq, Square newSq) {
    EXPECT_EQ(oldSq, Square::E1);
    EXPECT_EQ(newSq, Square::G1);
    EXPECT_EQ(b.PieceAt(Square::G1), 'K');
    EXPECT_EQ(b.PieceAt(Square::H1), 'R');  // the rook comes after
    EXPECT_FALSE(b.WhiteToMove());
    EXPECT_EQ(b.CastlingAllowed(), CastleSet::All());
    checked = true;
  };
  ASSERT_TRUE(board.PlayMove(Square::E1, Square::G1));
  EXPECT_TRUE(checked);
}

TEST(PlayEventsTest, CaptureReportsTheTakenLetter) {
  TChessBrd board;
  EventLog log(board);
  ASSERT_TRUE(Play(board, {"e2e4", "d7d5"}));
  log.Take();
  ASSERT_TRUE(board.PlayMove(Square::E4, Square::D5));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e4 d5", "Capture e4 d5 p", "Paint"}));
}

TEST(PlayEventsTest, EnPassantCaptureRemovesThePassedPawnAfterLegalMove) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "a7a6", "e4e5", "d7d5"}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E5, Square::D6));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e5 d6", "Capture e5 d6 p", "Paint"}));
  EXPECT_EQ(board.PieceAt(Square::D5), ' ');
  EXPECT_EQ(board.PieceAt(Square::D6), 'P');
  EXPECT_EQ(board.EnPassant(), Square::None);
}

TEST(PlayEventsTest, BlackEnPassantCaptureOnTheThirdRank) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"a2a3", "e7e5", "a3a4", "e5e4", "d2d4"}));
  ASSERT_TRUE(board.PlayMove(Square::E4, Square::D3));
  EXPECT_EQ(board.PieceAt(Square::D4), ' ');
  EXPECT_EQ(board.PieceAt(Square::D3), 'p');
}

TEST(PromotionTest, WithoutHandlerAPawnBecomesAQueen) {
  TChessBrd board;
  Arrange(board, Placement({{"a1", 'K'}, {"h6", 'k'}, {"e7", 'P'}, {"b3", 'p'}}));
  ASSERT_TRUE(board.PlayMove(Square::E7, Square::E8));
  EXPECT_EQ(board.PieceAt(Square::E8), 'Q');
}

TEST(PromotionTest, HandlerLetterIsUsedInTheMoversColourAndKept) {
  TChessBrd board;
  Arrange(board, Placement({{"a1", 'K'}, {"h8", 'k'}, {"e7", 'P'}, {"b3", 'p'}, {"e2", 'p'}}));
  EventLog log(board);
  log.PromoteTo = 'n';
  ASSERT_TRUE(board.PlayMove(Square::E7, Square::E8));
  EXPECT_EQ(board.PieceAt(Square::E8), 'N');
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e7 e8", "Promotion e7 e8 q", "Paint"}));
  EXPECT_EQ(board.PromotionPiece(), 'n');
  ASSERT_TRUE(board.PlayMove(Square::E2, Square::E1));
  EXPECT_EQ(board.PieceAt(Square::E1), 'n');
  log.PromoteTo = 'R';
  Arrange(board, Placement({{"a1", 'K'}, {"h8", 'k'}, {"b3", 'p'}, {"c2", 'p'}}), false);
  ASSERT_TRUE(board.PlayMove(Square::C2, Square::C1));
  EXPECT_EQ(board.PieceAt(Square::C1), 'r');
  EXPECT_EQ(board.PromotionPiece(), 'R');
}

TEST(PromotionTest, CaptureThenPromotionInOrder) {
  TChessBrd board;
  Arrange(board, Placement({{"a1", 'K'}, {"h6", 'k'}, {"e7", 'P'}, {"d8", 'r'}}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E7, Square::D8));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e7 d8", "Capture e7 d8 r", "Promotion e7 d8 q", "Paint"}));
}

// An unknown letter from the handler must not put a strange piece on the board.
TEST(PromotionTest, UnknownLetterGivesAQueenAndResetsTheLetter) {
  for (char bad : {'k', 'K', 'p', 'x', ' ', '\0'}) {
    TChessBrd board;
    Arrange(board, Placement({{"a1", 'K'}, {"h6", 'k'}, {"e7", 'P'}, {"b3", 'p'}}));
    board.OnPromotion = [bad](TChessBrd&, Square, Square, char& piece) { piece = bad; };
    ASSERT_TRUE(board.PlayMove(Square::E7, Square::E8));
    EXPECT_EQ(board.PieceAt(Square::E8), 'Q') << int(bad);
    EXPECT_EQ(board.PromotionPiece(), 'q');
  }
  TChessBrd board;
  Arrange(board, Placement({{"a1", 'K'}, {"h8", 'k'}, {"b2", 'p'}, {"e4", 'P'}}), false);
  board.SetPromotionPiece('z');
  ASSERT_TRUE(board.PlayMove(Square::B2, Square::B1));
  EXPECT_EQ(board.PieceAt(Square::B1), 'q');
}

TEST(CastlingPlayTest, KingSideCastleMovesTheRookAndClearsBothRights) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"h1", 'R'}, {"a1", 'R'}, {"b8", 'k'}, {"h7", 'p'}}), true,
          CastleSet::All());
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E1, Square::G1));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e1 g1", "Castle e1 g1", "Paint"}));
  EXPECT_EQ(board.PieceAt(Square::F1), 'R');
  EXPECT_EQ(board.PieceAt(Square::H1), ' ');
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{BlackKingSide, BlackQueenSide}));
}

TEST(CastlingPlayTest, BlackQueenSideCastle) {
  TChessBrd board;
  Arrange(board, Placement({{"e8", 'k'}, {"a8", 'r'}, {"h1", 'K'}}), false, CastleSet::All());
  ASSERT_TRUE(board.PlayMove(Square::E8, Square::C8));
  EXPECT_EQ(board.GetPosition().substr(0, 8), "  kr    ");
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{WhiteKingSide, WhiteQueenSide}));
}

TEST(CastlingPlayTest, CastleWhoseRookGivesCheckAndMate) {
  TChessBrd board;
  // The rook lands on f1 facing the Black king on f8, which its own pieces hem in.
  Arrange(
      board,
      Placement({{"e1", 'K'}, {"h1", 'R'}, {"f8", 'k'}, {"e8", 'r'}, {"g8", 'r'}, {"e7", 'p'}, {"g7", 'p'}}),
      true, CastleSet{WhiteKingSide});
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E1, Square::G1));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e1 g1", "Castle e1 g1", "Check e1 g1", "Mate e1 g1", "Paint"}));
}

TEST(CastlingRightsTest, RookThatLeavesAndReturnsKeepsItsRightCleared) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"h1", 'R'}, {"a1", 'R'}, {"e8", 'k'}, {"a7", 'p'}}), true,
          CastleSet::All());
  ASSERT_TRUE(Play(board, {"h1h2", "a7a6", "h2h1", "a6a5"}));
  EXPECT_FALSE(board.CastlingAllowed().Contains(WhiteKingSide));
  EXPECT_TRUE(board.CastlingAllowed().Contains(WhiteQueenSide));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1));
  EXPECT_TRUE(board.IsLegalMove(Square::E1, Square::C1));
}

// A capture on a corner square clears that corner's castling right, whichever piece stood there; a rook
// that later walks into the emptied corner has moved, so it may not castle either.
TEST(CastlingRightsTest, CaptureOnACornerClearsThatCornersRight) {
  TChessBrd board;
  Arrange(board,
          Placement({{"e1", 'K'},
                     {"h1", 'R'},
                     {"a1", 'R'},
                     {"b7", 'B'},
                     {"e8", 'k'},
                     {"a8", 'r'},
                     {"h8", 'r'},
                     {"e4", 'b'}}),
          true, CastleSet::All());
  ASSERT_TRUE(Play(board, {"b7a8"}));
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{WhiteKingSide, WhiteQueenSide, BlackKingSide}));
  ASSERT_TRUE(Play(board, {"e4h1"}));
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{WhiteQueenSide, BlackKingSide}));
  // The other White rook reaches h1 by way of the back rank: still no king-side castling.
  ASSERT_TRUE(Play(board, {"a1b1", "h8h7", "b1b2", "h7h8", "b2h2", "h8h7", "h2h1", "h7h6"}));
  EXPECT_FALSE(board.IsLegalMove(Square::E1, Square::G1));
}

}  // namespace zelmar
