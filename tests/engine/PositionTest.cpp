// Squares, position text, the property setters and the reset to the initial position.
#include <gtest/gtest.h>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

TEST(SquareTest, OrdinalsAndArithmeticFollowTheBoardOrder) {
  EXPECT_EQ(Ord(Square::A8), 1);
  EXPECT_EQ(Ord(Square::H8), 8);
  EXPECT_EQ(Ord(Square::A1), 57);
  EXPECT_EQ(Ord(Square::H1), 64);
  EXPECT_EQ(FileOf(Square::E2), 5);
  EXPECT_EQ(RankOf(Square::E2), 2);
  EXPECT_EQ(SquareAt(5, 4), Square::E4);
  EXPECT_EQ(SquareAt(0, 4), Square::None);
  EXPECT_EQ(SquareAt(3, 9), Square::None);
  EXPECT_EQ(SquareName(Square::D6), "d6");
  EXPECT_EQ(SquareName(Square::None), "-");
  EXPECT_EQ(ParseSquare("H1"), Square::H1);
  EXPECT_FALSE(ParseSquare("i1"));
  EXPECT_FALSE(ParseSquare("a9"));
  EXPECT_FALSE(ParseSquare("a"));
}

TEST(CastleSetTest, BitsFollowTheRightsOrder) {
  CastleSet s{WhiteKingSide, BlackQueenSide};
  EXPECT_EQ(s.Bits(), 0b1001);
  s.Exclude(WhiteKingSide);
  EXPECT_FALSE(s.Contains(WhiteKingSide));
  EXPECT_EQ(CastleSet::All().Bits(), 0x0F);
  EXPECT_EQ(CastleSet::FromBits(0xFF), CastleSet::All());
}

TEST(PositionTextTest, ConstructedBoardHoldsTheInitialPosition) {
  TChessBrd board;
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  EXPECT_EQ(board.PieceAt(Square::None), '_');
  EXPECT_EQ(board.PieceColor(Square::E1), 1);
  EXPECT_EQ(board.PieceColor(Square::E8), 0);
  EXPECT_EQ(board.PieceColor(Square::E4), -1);
  EXPECT_EQ(board.PieceColor(Square::None), -1);
  EXPECT_EQ(board.PieceColor(static_cast<Square>(99)), -1);
  EXPECT_EQ(board.PromotionPiece(), 'q');
  EXPECT_EQ(board.SearchDepth(), 1);
  EXPECT_EQ(board.ThinkingPriority(), tpNormal);
  EXPECT_FALSE(board.ComputerPlaysWhite());
  EXPECT_FALSE(board.ComputerPlaysBlack());
  EXPECT_FALSE(board.Thinking());
  EXPECT_EQ(board.Version(), "");
}

TEST(PositionTextTest, InitWordsLoadTheInitialPositionInAnyCase) {
  for (const char* word : {"newgame", "NEWGAME", "NewGame", "init", "INIT"}) {
    TChessBrd board;
    board.SetPosition(std::string(64, ' '));
    board.SetPosition(word);
    EXPECT_EQ(board.GetPosition(), kInitialPosition) << word;
    EXPECT_EQ(board.PieceAt(Square::None), '_');
  }
}

TEST(PositionTextTest, ShortTextOfNonLettersGivesAnEmptyBoard) {
  TChessBrd board;
  board.SetPosition("123");
  EXPECT_EQ(board.GetPosition(), std::string(64, ' '));
}

TEST(PositionTextTest, LongTextUsesItsFirst64CharactersAndSkipsUnknownLetters) {
  TChessBrd board;
  std::string text(70, 'P');
  text[0] = 'x';
  text[1] = 'A';
  text[2] = 'k';
  board.SetPosition(text);
  EXPECT_EQ(board.GetPosition(), "  k" + std::string(61, 'P'));
}

TEST(PositionTextTest, NulEndsTheCopy) {
  TChessBrd board;
  board.SetPosition(std::string_view("KQ\0rr", 5));
  EXPECT_EQ(board.GetPosition(), "KQ" + std::string(62, ' '));
}

TEST(PositionTextTest, SettingThePositionLeavesTheGameStateAlone) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "e1e2"}));
  board.SetPosition("init");
  EXPECT_FALSE(board.WhiteToMove());
  EXPECT_EQ(board.CurrentMove(), 2);
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{BlackKingSide, BlackQueenSide}));
  EXPECT_EQ(board.EnPassant(), Square::None);
  EXPECT_EQ(board.HistoryEndMove(), 2);
  board.SetEnPassant(Square::D6);
  board.SetPosition("init");
  EXPECT_EQ(board.EnPassant(), Square::D6);
}

TEST(PropertySetterTest, EnPassantAcceptsOnlyThirdAndSixthRanks) {
  TChessBrd board;
  board.SetEnPassant(Square::E6);
  EXPECT_EQ(board.EnPassant(), Square::E6);
  board.SetEnPassant(Square::E4);
  EXPECT_EQ(board.EnPassant(), Square::E6);
  board.SetEnPassant(Square::None);
  EXPECT_EQ(board.EnPassant(), Square::E6);
  board.SetEnPassant(Square::A3);
  EXPECT_EQ(board.EnPassant(), Square::A3);
  board.SetEnPassant(Square::H3);
  EXPECT_EQ(board.EnPassant(), Square::H3);
  board.SetEnPassant(Square::A2);
  EXPECT_EQ(board.EnPassant(), Square::H3);
}

TEST(PropertySetterTest, SearchDepthIsClampedToOneThroughEight) {
  TChessBrd board;
  const std::pair<int, int> cases[] = {{0, 1}, {-3, 1}, {1, 1}, {5, 5}, {8, 8}, {12, 8}};
  for (const auto& [value, expected] : cases) {
    board.SetSearchDepth(value);
    EXPECT_EQ(board.SearchDepth(), expected) << value;
  }
}

TEST(PropertySetterTest, PlainSettersStore) {
  TChessBrd board;
  board.SetZelmarMode(true);
  board.SetCustomEngine(true);
  board.SetThinkingPriority(tpLower);
  board.SetCastlingAllowed(CastleSet{BlackKingSide});
  board.SetComputerPlaysBlack(true);
  board.SetWhiteToMove(false);
  EXPECT_TRUE(board.ZelmarMode());
  EXPECT_TRUE(board.CustomEngine());
  EXPECT_EQ(board.ThinkingPriority(), tpLower);
  EXPECT_EQ(board.CastlingAllowed(), CastleSet{BlackKingSide});
  EXPECT_TRUE(board.ComputerPlaysBlack());
  EXPECT_FALSE(board.WhiteToMove());
}

TEST(NewGameTest, RestoresTheStartAndKeepsTheSettings) {
  TChessBrd board;
  board.SetZelmarMode(true);
  board.SetSearchDepth(5);
  board.SetComputerPlaysBlack(true);
  board.SetPromotionPiece('n');
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "e1e2"}));
  board.NewGame();
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  EXPECT_TRUE(board.WhiteToMove());
  EXPECT_EQ(board.CurrentMove(), 1);
  EXPECT_EQ(board.EnPassant(), Square::None);
  EXPECT_EQ(board.CastlingAllowed(), CastleSet::All());
  EXPECT_EQ(board.HistoryEndMove(), 1);
  EXPECT_TRUE(board.HistoryEndWhiteToMove());
  EXPECT_TRUE(board.ZelmarMode());
  EXPECT_EQ(board.SearchDepth(), 5);
  EXPECT_TRUE(board.ComputerPlaysBlack());
  EXPECT_EQ(board.PromotionPiece(), 'n');
  EXPECT_FALSE(board.MoveBack());
  EXPECT_FALSE(board.MoveForward());
}

}  // namespace zelmar
