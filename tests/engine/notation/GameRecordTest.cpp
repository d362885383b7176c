// A board's game as a record and back: the take-back line, the end and result, the notation reused from the
// record before, and a replay that raises no event and refuses an illegal move.
#include <gtest/gtest.h>

#include "engine/notation/GameRecord.h"
#include "engine/notation/San.h"
#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

namespace {

std::string Sans(const TGameRecord& record) {
  std::string text;
  for (const TGameMove& move : record.Moves) text += (text.empty() ? "" : " ") + move.San;
  return text;
}

TGameRecord Record(std::initializer_list<const char*> moves, bool zelmar = false) {
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  board.NewGame();
  EXPECT_TRUE(Play(board, moves));
  return RecordFromBoard(board);
}

}  // namespace

TEST(GameRecordTest, KeepsTheLineBeyondATakeBackAndPlaysItBackToThePositionShown) {
  TChessBrd board;
  board.NewGame();
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6"}));
  ASSERT_TRUE(board.MoveBack());
  ASSERT_TRUE(board.MoveBack());
  const TGameRecord record = RecordFromBoard(board);
  EXPECT_EQ(Sans(record), "e4 e5 Nf3 Nc6 Bb5 a6");
  EXPECT_EQ(record.ShownPly, 4);
  EXPECT_EQ(record.End, TGameEnd::None);
  EXPECT_EQ(record.Result, "*");

  // The replay raises none of the board's events and gives back the handlers it found.
  TChessBrd again;
  EventLog log(again);
  std::string error;
  ASSERT_TRUE(PlayRecord(record, again, &error)) << error;
  EXPECT_TRUE(log.Take().empty());
  EXPECT_EQ(again.GetPosition(), board.GetPosition());
  EXPECT_EQ(again.CurrentMove(), board.CurrentMove());
  EXPECT_EQ(again.WhiteToMove(), board.WhiteToMove());
  EXPECT_TRUE(again.MoveForward());
  EXPECT_TRUE(again.MoveForward());
  EXPECT_FALSE(again.MoveForward());
  ASSERT_TRUE(board.MoveBack());
  ASSERT_TRUE(Play(again, {"d2d4"}));  // the handlers are back: a move is reported again
  EXPECT_FALSE(log.Take().empty());
}

TEST(GameRecordTest, TellsEachEndAndItsResult) {
  EXPECT_EQ(Record({"f2f3", "e7e5", "g2g4", "d8h4"}).End, TGameEnd::Mate);
  EXPECT_EQ(Record({"f2f3", "e7e5", "g2g4", "d8h4"}).Result, "0-1");
  EXPECT_EQ(Sans(Record({"f2f3", "e7e5", "g2g4", "d8h4"})), "f3 e5 g4 Qh4#");
  const TGameRecord repetition = Record({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
  EXPECT_EQ(repetition.End, TGameEnd::ThreefoldRepetition);
  EXPECT_EQ(repetition.Result, "1/2-1/2");

  // A stalemate in which neither side keeps mating material is named by the last finding, no mating material.
  TChessBrd board;
  Arrange(board, Placement({{"h8", 'k'}, {"f7", 'K'}, {"e4", 'B'}}));
  ASSERT_TRUE(Play(board, {"e4g6"}));
  EXPECT_EQ(LineEnd(board), TGameEnd::NoMatingMaterial);
  TChessBrd material;
  Arrange(material, Placement({{"e8", 'k'}, {"e1", 'K'}, {"c1", 'B'}, {"d2", 'n'}}));
  ASSERT_TRUE(Play(material, {"c1d2"}));
  EXPECT_EQ(LineEnd(material), TGameEnd::NoMatingMaterial);

  TChessBrd stalemate;
  Arrange(stalemate, Placement({{"h8", 'k'}, {"f7", 'K'}, {"a6", 'Q'}}));
  ASSERT_TRUE(Play(stalemate, {"a6g6"}));
  EXPECT_EQ(LineEnd(stalemate), TGameEnd::Stalemate);
  EXPECT_EQ(EndResult(TGameEnd::Stalemate, 1), "1/2-1/2");
  EXPECT_EQ(EndResult(TGameEnd::Mate, 1), "1-0");
}

TEST(GameRecordTest, ReusesTheNotationOfTheLineItSharesWithTheRecordBefore) {
  TChessBrd board;
  board.NewGame();
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "g1f3"}));
  TGameRecord previous = RecordFromBoard(board);
  SetTag(previous, "White", "Someone");
  previous.LeadComment = "kept";
  previous.Moves[1].San = "marked";  // proves the text is taken over, not worked out again
  ASSERT_TRUE(Play(board, {"b8c6"}));
  TGameRecord next = RecordFromBoard(board, &previous);
  EXPECT_EQ(Sans(next), "e4 marked Nf3 Nc6");
  EXPECT_EQ(*FindTag(next, "White"), "Someone");
  EXPECT_EQ(next.LeadComment, "kept");

  // After a take-back and a different move only the shared part is reused.
  ASSERT_TRUE(board.MoveBack());
  ASSERT_TRUE(board.MoveBack());
  ASSERT_TRUE(Play(board, {"d2d4"}));
  next = RecordFromBoard(board, &next);
  EXPECT_EQ(Sans(next), "e4 marked d4");
  // A game that came with a result the rules do not give (a resignation) keeps it while its line stays.
  next.Result = "1-0";
  EXPECT_EQ(RecordFromBoard(board, &next).Result, "1-0");
  ASSERT_TRUE(Play(board, {"e5d4"}));
  EXPECT_EQ(RecordFromBoard(board, &next).Result, "*");
}

TEST(GameRecordTest, PromotionsKeepTheirPieceAndAnIllegalReplayLeavesANewGame) {
  TChessBrd board;
  board.NewGame();
  ASSERT_TRUE(Play(board, {"h2h4", "g7g5", "h4g5", "h7h6", "g5h6", "f8g7", "h6g7", "g8f6"}));
  board.SetPromotionPiece('n');
  ASSERT_TRUE(Play(board, {"g7h8"}));
  board.SetPromotionPiece('q');
  TGameRecord record = RecordFromBoard(board);
  EXPECT_EQ(record.Moves.back().Promotion, 'n');
  EXPECT_EQ(record.Moves.back().San, "gxh8=N");
  TChessBrd again;
  ASSERT_TRUE(PlayRecord(record, again));
  EXPECT_EQ(again.GetPosition(), board.GetPosition());
  EXPECT_EQ(again.PromotionPiece(), 'q');

  record.Moves[2].To = Sq("h6");  // hxh6 is no move
  std::string error;
  EXPECT_FALSE(PlayRecord(record, again, &error));
  EXPECT_EQ(error, "move 2 (hxg5): illegal");
  EXPECT_EQ(again.GetPosition(), kInitialPosition);
  record = Record({"e2e4"});
  record.ShownPly = 3;
  EXPECT_FALSE(PlayRecord(record, again, &error));
  EXPECT_EQ(again.GetPosition(), kInitialPosition);
}

}  // namespace zelmar
