// The move record: stepping back and forward, new lines, long games, and stale entries.
#include <gtest/gtest.h>

#include <map>

#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

TEST(MoveRecordTest, StepBackTwiceThenForwardTwice) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5"}));
  const std::string afterE5 = board.GetPosition();
  ASSERT_TRUE(board.MoveBack());
  EXPECT_FALSE(board.WhiteToMove());
  EXPECT_EQ(board.CurrentMove(), 1);
  EXPECT_EQ(board.EnPassant(), Square::E3);
  EXPECT_EQ(board.PieceAt(Square::E4), 'P');
  EXPECT_EQ(board.PieceAt(Square::E7), 'p');
  ASSERT_TRUE(board.MoveBack());
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  EXPECT_TRUE(board.WhiteToMove());
  EXPECT_EQ(board.EnPassant(), Square::None);
  EXPECT_FALSE(board.MoveBack());
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  ASSERT_TRUE(board.MoveForward());
  ASSERT_TRUE(board.MoveForward());
  EXPECT_EQ(board.GetPosition(), afterE5);
  EXPECT_EQ(board.CurrentMove(), 2);
  EXPECT_TRUE(board.WhiteToMove());
  EXPECT_FALSE(board.MoveForward());
  EXPECT_EQ(board.HistoryEndMove(), 2);
}

TEST(MoveRecordTest, NewMoveAfterSteppingBackEndsTheRecordThere) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5"}));
  ASSERT_TRUE(board.MoveBack());
  ASSERT_TRUE(Play(board, {"c7c5"}));
  EXPECT_FALSE(board.MoveForward());
  EXPECT_EQ(board.HistoryEndMove(), 2);
  EXPECT_TRUE(board.HistoryEndWhiteToMove());
  EXPECT_EQ(board.PieceAt(Square::C5), 'p');
  EXPECT_EQ(board.PieceAt(Square::E5), ' ');
}

TEST(MoveRecordTest, SteppingBackRestoresCastlingRightsAndRecordsTheMove) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "e1e2"}));
  EXPECT_EQ(board.CastlingAllowed(), (CastleSet{BlackKingSide, BlackQueenSide}));
  ASSERT_TRUE(board.MoveBack());
  EXPECT_EQ(board.CastlingAllowed(), CastleSet::All());
  const MoveInfo* entry = board.RecordEntry(2, true);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->FromSq, Square::E1);
  EXPECT_EQ(entry->ToSq, Square::E2);
}

TEST(MoveRecordTest, GoToMoveRefusesOutsideTheBounds) {
  TChessBrd board;
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "g1f3"}));
  EXPECT_FALSE(board.GoToMove(3, true));
  EXPECT_FALSE(board.GoToMove(0, false));
  EXPECT_FALSE(board.GoToMove(-5, true));
  EXPECT_FALSE(board.GoToMove(1 << 30, true));
  EXPECT_EQ(board.CurrentMove(), 2);
  EXPECT_FALSE(board.WhiteToMove());
  ASSERT_TRUE(board.GoToMove(1, true));
  EXPECT_EQ(board.GetPosition(), kInitialPosition);
  ASSERT_TRUE(board.GoToMove(2, false));
  EXPECT_EQ(board.PieceAt(Square::F3), 'N');
}

// A set-up position with Black to move has no recorded position before its first move.
TEST(MoveRecordTest, SetUpPositionNeverStepsIntoAnUnrecordedEntry) {
  TChessBrd board;
  Arrange(board, Placement({{"e1", 'K'}, {"e8", 'k'}, {"a7", 'p'}}), false);
  ASSERT_TRUE(Play(board, {"a7a6"}));
  ASSERT_TRUE(board.MoveBack());
  EXPECT_FALSE(board.MoveBack());
  EXPECT_EQ(board.PieceAt(Square::A7), 'p');
  EXPECT_EQ(board.PieceAt(Square::E1), 'K');
  EXPECT_FALSE(board.WhiteToMove());
}

// Games are not limited in length: every position of a long game is recorded and can be revisited.
TEST(MoveRecordTest, LongGameIsRecordedWholeAndSteppedThrough) {
  TChessBrd board;
  const std::string start = Placement({{"a1", 'K'}, {"h8", 'k'}});
  Arrange(board, start);
  bool repeated = false;
  board.OnThreefoldPosition = [&](TChessBrd&) { repeated = true; };
  // Each side's king steps to the neighbour whose placement has stood the fewest times so far.
  std::map<std::string, int> seen{{start, 1}};
  constexpr int kHalfMoves = 600;
  for (int n = 0; n < kHalfMoves; ++n) {
    const char king = board.WhiteToMove() ? 'K' : 'k';
    const Square from = static_cast<Square>(board.GetPosition().find(king) + 1);
    Square best = Square::None;
    int bestCount = 2;
    for (int to = 1; to <= 64; ++to) {
      const Square sq = static_cast<Square>(to);
      if (board.PieceAt(sq) != ' ' || !board.IsLegalMove(from, sq)) continue;
      std::string after = board.GetPosition();
      std::swap(after[Ord(from) - 1], after[to - 1]);
      if (seen[after] < bestCount) best = sq, bestCount = seen[after];
    }
    ASSERT_NE(best, Square::None) << "stuck after " << n << " half-moves";
    ASSERT_TRUE(board.PlayMove(from, best));
    ++seen[board.GetPosition()];
  }
  EXPECT_FALSE(repeated);
  EXPECT_EQ(board.CurrentMove(), 1 + kHalfMoves / 2);
  EXPECT_EQ(board.HistoryEndMove(), 1 + kHalfMoves / 2);
  const std::string end = board.GetPosition();
  for (int n = 0; n < kHalfMoves; ++n) ASSERT_TRUE(board.MoveBack()) << n;
  EXPECT_FALSE(board.MoveBack());
  EXPECT_EQ(board.GetPosition(), start);
  for (int n = 0; n < kHalfMoves; ++n) ASSERT_TRUE(board.MoveForward()) << n;
  EXPECT_FALSE(board.MoveForward());
  EXPECT_EQ(board.GetPosition(), end);
}

// Plays a knight shuffle that ends in a threefold repetition at (5, White to move).
void PlayRepeatedGame(TChessBrd& board) {
  ASSERT_TRUE(Play(board, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"}));
  ASSERT_TRUE(board.IsThreefoldRepetition());
}

// Plays a line whose position at (5, White to move) is new, while the start placement stood twice before.
void ExpectFreshLineIsNotBlocked(TChessBrd& board) {
  ASSERT_TRUE(Play(board, {"b1c3", "b8c6", "c3b1", "c6b8", "b1c3", "b8c6", "c3b1"}));
  EventLog log(board);
  ASSERT_TRUE(board.PlayMove(Square::E7, Square::E6));
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"LegalMove e7 e6", "Paint"}));
  EXPECT_TRUE(board.HasLegalMove());
  EXPECT_FALSE(board.IsThreefoldRepetition());
  EXPECT_TRUE(board.IsLegalMove(Square::B1, Square::C3));
}

// Entries of an earlier game must not count as positions of the new one.
TEST(StaleRecordTest, EarlierGameLeavesNoRepetitionBehind) {
  TChessBrd board;
  PlayRepeatedGame(board);
  board.NewGame();
  EXPECT_EQ(board.RecordEntry(3, true), nullptr);
  ExpectFreshLineIsNotBlocked(board);
}

// Entries of a line that was stepped back over must not count once another line is played.
TEST(StaleRecordTest, SteppedOverLineLeavesNoRepetitionBehind) {
  TChessBrd board;
  PlayRepeatedGame(board);
  for (int n = 0; n < 8; ++n) ASSERT_TRUE(board.MoveBack());
  ExpectFreshLineIsNotBlocked(board);
  EXPECT_FALSE(board.MoveForward());
}

// Stepping back inside the recorded line keeps it: the repetition holds again after stepping forward.
TEST(StaleRecordTest, SteppingBackAndForwardKeepsTheLine) {
  TChessBrd board;
  PlayRepeatedGame(board);
  ASSERT_TRUE(board.MoveBack());
  EXPECT_FALSE(board.IsThreefoldRepetition());
  ASSERT_TRUE(board.MoveForward());
  EXPECT_TRUE(board.IsThreefoldRepetition());
  EXPECT_FALSE(board.IsLegalMove(Square::G1, Square::F3));
}

}  // namespace zelmar
