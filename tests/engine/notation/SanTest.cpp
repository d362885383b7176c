// Moves in standard algebraic notation: every legal move of the benchmark positions written and read back in
// both modes, the Zelmar's moves, disambiguation, and what people and other programs type.
#include <gtest/gtest.h>

#include <set>

#include "engine/Fen.h"
#include "engine/bench/BenchPositions.h"
#include "engine/notation/San.h"
#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

namespace {

// Sets the board to a FEN position (placement, side, rights, en passant).
void SetUpFen(TChessBrd& board, const char* fen, bool zelmar) {
  const std::optional<TFenRecord> record = ReadFen(fen);
  ASSERT_TRUE(record) << fen;
  CastleSet rights;
  if (record->WhiteKingSide) rights.Include(WhiteKingSide);
  if (record->WhiteQueenSide) rights.Include(WhiteQueenSide);
  if (record->BlackKingSide) rights.Include(BlackKingSide);
  if (record->BlackQueenSide) rights.Include(BlackQueenSide);
  board.SetZelmarMode(zelmar);
  Arrange(board, record->Placement, record->WhiteToMove, rights, SquareOf(record->EnPassant));
}

// Every legal move of the position, a pawn's move to the last rank once for each piece it may become.
std::vector<TGameMove> LegalMoves(const TChessBrd& board) {
  std::vector<TGameMove> moves;
  for (int from = 1; from <= 64; ++from) {
    for (int to = 1; to <= 64; ++to) {
      if (!board.IsLegalMove(SquareOf(from), SquareOf(to))) continue;
      const char piece = board.PieceAt(SquareOf(from));
      const int rank = RankOf(SquareOf(to));
      if ((piece == 'P' && rank == 8) || (piece == 'p' && rank == 1)) {
        for (char promotion : {'q', 'r', 'b', 'n'})
          moves.push_back({SquareOf(from), SquareOf(to), promotion, {}});
      } else {
        moves.push_back({SquareOf(from), SquareOf(to), 0, {}});
      }
    }
  }
  return moves;
}

// Writes every legal move, checks that each text is unique and reads back as its move, in SAN and in
// coordinates; returns how many moves it checked.
int CheckEveryMove(const TChessBrd& board) {
  std::set<std::string> seen;
  int count = 0;
  for (const TGameMove& move : LegalMoves(board)) {
    const std::string san = MoveToSan(board, move);
    EXPECT_TRUE(seen.insert(san).second) << san << " twice in " << board.GetPosition();
    std::string error;
    const std::optional<TGameMove> back = SanToMove(board, san, &error);
    EXPECT_TRUE(back) << san << ": " << error;
    if (back) {
      EXPECT_EQ(back->From, move.From) << san;
      EXPECT_EQ(back->To, move.To) << san;
      EXPECT_EQ(back->Promotion, move.Promotion) << san;
      EXPECT_EQ(back->San, san);
    }
    std::string coordinates = SquareName(move.From) + SquareName(move.To);
    if (move.Promotion != 0) coordinates += move.Promotion;
    const std::optional<TGameMove> typed = SanToMove(board, coordinates);
    EXPECT_TRUE(typed && typed->San == san) << coordinates;
    ++count;
  }
  return count;
}

// Reads a move that must be legal and gives its SAN.
std::string Read(const TChessBrd& board, std::string_view text) {
  std::string error;
  const std::optional<TGameMove> move = SanToMove(board, text, &error);
  return move ? move->San : "refused: " + error;
}

}  // namespace

TEST(SanTest, EveryMoveOfTheBenchPositionsAndTheirRepliesRoundTripsInBothModes) {
  int checked = 0;
  for (bool zelmar : {false, true}) {
    for (const TBenchPosition& position : BenchPositions()) {
      TChessBrd board;
      SetUpFen(board, position.Fen, zelmar);
      checked += CheckEveryMove(board);
      // One ply deeper, for positions the list itself does not hold (checks, mates, en passant).
      for (const TGameMove& move : LegalMoves(board)) {
        TChessBrd child;
        SetUpFen(child, position.Fen, zelmar);
        child.SetPromotionPiece(move.Promotion != 0 ? move.Promotion : 'q');
        ASSERT_TRUE(child.PlayMove(move.From, move.To));
        checked += CheckEveryMove(child);
      }
    }
  }
  EXPECT_GT(checked, 10000);
}

TEST(SanTest, TheZelmarIsWrittenQueenInBothItsWaysAndDisambiguatedWithItsJumps) {
  TChessBrd board;
  board.SetZelmarMode(true);
  board.NewGame();
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5"}));
  EXPECT_EQ(MoveToSan(board, {Sq("d1"), Sq("c3"), 0, {}}), "Qc3");  // the knight's jump
  EXPECT_EQ(MoveToSan(board, {Sq("d1"), Sq("h5"), 0, {}}), "Qh5");  // the queen's line
  EXPECT_EQ(Read(board, "Qe3"), "Qe3");
  board.SetZelmarMode(false);
  EXPECT_EQ(Read(board, "Qc3"), "refused: illegal");

  // A Zelmar reaching b3 by a jump from a1 and one reaching it along the diagonal from c2.
  TChessBrd two;
  two.SetZelmarMode(true);
  Arrange(two, Placement({{"a1", 'Q'}, {"c2", 'Q'}, {"h1", 'K'}, {"h5", 'k'}}));
  EXPECT_EQ(MoveToSan(two, {Sq("a1"), Sq("b3"), 0, {}}), "Qab3");
  EXPECT_EQ(MoveToSan(two, {Sq("c2"), Sq("b3"), 0, {}}), "Qcb3");
  EXPECT_EQ(Read(two, "Qb3"), "refused: ambiguous");
  EXPECT_EQ(Read(two, "Qab3"), "Qab3");
}

TEST(SanTest, DisambiguationGoesByFileThenRankThenSquare) {
  TChessBrd board;
  Arrange(
      board,
      Placement({{"a1", 'Q'}, {"a3", 'Q'}, {"c1", 'Q'}, {"g1", 'N'}, {"c3", 'N'}, {"h1", 'K'}, {"g8", 'k'}}));
  // Queens on a1, a3 and c1 all reach b2: a1 shares its file with a3 and its rank with c1.
  EXPECT_EQ(MoveToSan(board, {Sq("a1"), Sq("b2"), 0, {}}), "Qa1b2");
  EXPECT_EQ(MoveToSan(board, {Sq("a3"), Sq("b2"), 0, {}}), "Q3b2");
  EXPECT_EQ(MoveToSan(board, {Sq("c1"), Sq("b2"), 0, {}}), "Qcb2");
  EXPECT_EQ(MoveToSan(board, {Sq("g1"), Sq("e2"), 0, {}}), "Nge2");
  EXPECT_EQ(MoveToSan(board, {Sq("c3"), Sq("e4"), 0, {}}), "Ne4");

  TChessBrd rooks;
  Arrange(rooks, Placement({{"a1", 'R'}, {"a5", 'R'}, {"h1", 'K'}, {"h8", 'k'}}));
  EXPECT_EQ(MoveToSan(rooks, {Sq("a1"), Sq("a3"), 0, {}}), "R1a3");
  EXPECT_EQ(Read(rooks, "R5a3"), "R5a3");
  EXPECT_EQ(Read(rooks, "Ra3"), "refused: ambiguous");
}

TEST(SanTest, ReadsWhatPeopleTypeAndOtherProgramsWrite) {
  TChessBrd board;
  board.NewGame();
  ASSERT_TRUE(Play(board, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6"}));
  EXPECT_EQ(Read(board, "0-0"), "O-O");
  EXPECT_EQ(Read(board, "O-O+"), "O-O");
  EXPECT_EQ(Read(board, "e1g1"), "O-O");
  EXPECT_EQ(Read(board, "Nxe5!?"), "Nxe5");
  EXPECT_EQ(Read(board, "Ne5"), "Nxe5");  // a capture without its x
  EXPECT_EQ(Read(board, "Bxf7+"), "Bxf7+");
  EXPECT_EQ(Read(board, "Bxf7"), "Bxf7+");  // a missing check mark
  EXPECT_EQ(Read(board, "Nc3#"), "Nc3");    // an extra mate mark
  EXPECT_EQ(Read(board, "Nf3-h4"), "Nh4");
  EXPECT_EQ(Read(board, "0-0-0"), "refused: illegal");
  EXPECT_EQ(Read(board, "Ke3"), "refused: illegal");
  EXPECT_EQ(Read(board, "hello"), "refused: not a move");
  EXPECT_EQ(Read(board, ""), "refused: not a move");
  EXPECT_EQ(Read(board, "Nb1c3d4"), "refused: not a move");

  // En passant with and without its mark, and promotions written every way.
  TChessBrd ep;
  ep.NewGame();
  ASSERT_TRUE(Play(ep, {"e2e4", "a7a6", "e4e5", "d7d5"}));
  EXPECT_EQ(Read(ep, "exd6 e.p."), "exd6");
  EXPECT_EQ(Read(ep, "exd6e.p."), "exd6");
  EXPECT_EQ(Read(ep, "exd6"), "exd6");
  EXPECT_EQ(Read(ep, "e5d6"), "exd6");
  TChessBrd promote;
  Arrange(promote, Placement({{"e7", 'P'}, {"h1", 'K'}, {"a8", 'k'}}));
  EXPECT_EQ(Read(promote, "e8Q"), "e8=Q+");
  EXPECT_EQ(Read(promote, "e8=N"), "e8=N");
  EXPECT_EQ(Read(promote, "e7e8r"), "e8=R+");
  EXPECT_EQ(Read(promote, "e8"), "e8=Q+");  // no piece named: a queen
  EXPECT_EQ(Read(promote, "e8=K"), "refused: not a move");
  EXPECT_EQ(Read(board, "Nd4=Q"), "refused: illegal");
}

}  // namespace zelmar
