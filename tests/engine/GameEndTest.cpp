// End of the game: check, mate, stalemate, no mating material, threefold repetition and the one draw.
#include <gtest/gtest.h>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;
using Lines = std::vector<std::string>;

// Whether any move at all is legal for either side in the current position.
bool AnyMoveLegal(const TChessBrd& board) {
  for (int a = 1; a <= 64; ++a) {
    for (int b = 1; b <= 64; ++b) {
      if (board.IsLegalMove(static_cast<Square>(a), static_cast<Square>(b))) return true;
    }
  }
  return false;
}

TEST(GameEndTest, FoolsMateRaisesCheckThenMateAndNoDraw) {
  TChessBrd board;
  EventLog log(board);
  ASSERT_TRUE(Play(board, {"f2f3", "e7e5", "g2g4"}));
  log.Take();
  ASSERT_TRUE(board.PlayMove(Square::D8, Square::H4));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove d8 h4", "Check d8 h4", "Mate d8 h4", "Paint"}));
  EXPECT_TRUE(board.InGameEndEvent());
  EXPECT_FALSE(board.HasLegalMove());
  EXPECT_FALSE(AnyMoveLegal(board));
}

TEST(GameEndTest, MateWithoutHandlerRaisesOnlyCheck) {
  TChessBrd board;
  EventLog log(board);
  board.OnMate = nullptr;
  ASSERT_TRUE(Play(board, {"f2f3", "e7e5", "g2g4", "d8h4"}));
  const Lines lines = log.Take();
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"LegalMove d8 h4", "Check d8 h4", "Paint"}));
  EXPECT_FALSE(board.InGameEndEvent());
}

TEST(GameEndTest, PlainCheckIsNotMate) {
  TChessBrd board;
  EventLog log(board);
  ASSERT_TRUE(Play(board, {"e2e4", "f7f6"}));
  log.Take();
  ASSERT_TRUE(board.PlayMove(Square::D1, Square::H5));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove d1 h5", "Check d1 h5", "Paint"}));
  EXPECT_FALSE(board.InGameEndEvent());
}

TEST(GameEndTest, StalemateRaisesStaleMateThenDrawButNoCheck) {
  TChessBrd board;
  Arrange(board, Placement({{"a8", 'k'}, {"c6", 'K'}, {"b5", 'Q'}, {"h2", 'P'}}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::B5, Square::B6));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove b5 b6", "StaleMate b5 b6", "Draw", "Paint"}));
  EXPECT_TRUE(board.InGameEndEvent());
  EXPECT_FALSE(board.HasLegalMove());
}

TEST(GameEndTest, StalemateWithoutMatingMaterialRaisesEachFindingAndOneDraw) {
  TChessBrd board;
  // The bishop takes the last Black pawn and leaves the Black king with no move.
  Arrange(board, Placement({{"h8", 'k'}, {"f7", 'K'}, {"c2", 'B'}, {"e4", 'p'}}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::C2, Square::E4));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove c2 e4", "Capture c2 e4 p", "StaleMate c2 e4", "NoMatingMaterial",
                               "Draw", "Paint"}));
}

TEST(GameEndTest, NoMatingMaterialFollowsTheMaterialTable) {
  struct Case {
    const char* what;
    std::string placement;
    bool noMaterial;
  };
  const Case cases[] = {
      {"bishop", Placement({{"e1", 'K'}, {"c1", 'B'}, {"e8", 'k'}, {"d3", 'r'}}), true},
      {"two knights", Placement({{"e1", 'K'}, {"c1", 'N'}, {"c3", 'N'}, {"e8", 'k'}, {"d3", 'r'}}), true},
      {"bishop and knight", Placement({{"e1", 'K'}, {"c1", 'B'}, {"c3", 'N'}, {"e8", 'k'}, {"d3", 'r'}}),
       false},
      {"two bishops", Placement({{"e1", 'K'}, {"c1", 'B'}, {"c3", 'B'}, {"e8", 'k'}, {"d3", 'r'}}), false},
      {"pawn", Placement({{"e1", 'K'}, {"a2", 'P'}, {"e8", 'k'}, {"d3", 'r'}}), false},
  };
  for (const Case& c : cases) {
    TChessBrd board;
    Arrange(board, c.placement, false);
    EventLog log(board);
    ASSERT_TRUE(board.PlayMove(Square::D3, Square::D2)) << c.what;  // offered to the White king
    log.Take();
    ASSERT_TRUE(board.PlayMove(Square::E1, Square::D2)) << c.what;  // which takes the last Black rook
    const Lines expected =
        c.noMaterial ? Lines{"LegalMove e1 d2", "Capture e1 d2 r", "NoMatingMaterial", "Draw", "Paint"}
                     : Lines{"LegalMove e1 d2", "Capture e1 d2 r", "Paint"};
    EXPECT_EQ(log.Take(), expected) << c.what;
  }
}

TEST(GameEndTest, NoMatingMaterialStillAllowsMovesAndReportsAgain) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"e8", 'k'}}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E1, Square::E2));
  ASSERT_TRUE(board.PlayMove(Square::E8, Square::E7));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove e1 e2", "NoMatingMaterial", "Draw", "Paint", "LegalMove e8 e7",
                               "NoMatingMaterial", "Draw", "Paint"}));
}

TEST(GameEndTest, KnightShuffleReachesThreefoldRepetitionAndStopsTheGame) {
  TChessBrd board;
  EventLog log(board);
  ASSERT_TRUE(Play(board, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"}));
  for (const std::string& line : log.Take()) EXPECT_NE(line, "ThreefoldPosition");
  ASSERT_TRUE(board.PlayMove(Square::F6, Square::G8));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove f6 g8", "ThreefoldPosition", "Draw", "Paint"}));
  EXPECT_TRUE(board.IsThreefoldRepetition());
  EXPECT_FALSE(AnyMoveLegal(board));
  EXPECT_FALSE(board.PlayMove(Square::G1, Square::F3));
  // Stepping back leaves the repetition.
  ASSERT_TRUE(board.MoveBack());
  EXPECT_FALSE(board.IsThreefoldRepetition());
  EXPECT_TRUE(board.IsLegalMove(Square::F6, Square::G8));
}

TEST(GameEndTest, ThreefoldCountsThePlacementWhicheverSideIsToMove) {
  TChessBrd board;
  // The White king walks a triangle, so the start placement returns with Black to move.
  Arrange(board, Placement({{"a1", 'K'}, {"h8", 'k'}, {"a4", 'P'}, {"a5", 'p'}}));
  EventLog log(board);
  ASSERT_TRUE(Play(board, {"a1b1", "h8g8", "b1b2", "g8h8", "b2a1", "h8g8", "a1b1", "g8h8"}));
  for (const std::string& line : log.Take()) EXPECT_NE(line, "ThreefoldPosition");
  ASSERT_TRUE(Play(board, {"b1a1"}));
  EXPECT_EQ(log.Take(), (Lines{"LegalMove b1 a1", "ThreefoldPosition", "Draw", "Paint"}));
}

}  // namespace zelmar
