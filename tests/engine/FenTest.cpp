// The one FEN reader, which the engine tool's board set-up and the search's roots share: random positions
// written out and read back, malformed texts refused with a reason, and the en-passant square the board
// accepts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/Fen.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {
namespace {

// A random root: any letters anywhere, any side, castling rights and en-passant square.
TSearchRoot RandomRoot(std::mt19937& rng) {
  static constexpr std::string_view kLetters = "PNBRQKpnbrqk";
  std::uniform_int_distribution<int> empty(0, 2), letter(0, 11), side(0, 1), rights(0, 15), square(0, 64);
  TSearchRoot root;
  for (char& c : root.Squares) c = empty(rng) != 0 ? ' ' : kLetters[static_cast<std::size_t>(letter(rng))];
  root.WhiteToMove = side(rng) == 1;
  root.CastleRights = rights(rng);
  root.EnPassant = square(rng);
  return root;
}

std::string Placement(const TSearchRoot& root) {
  return std::string(root.Squares, sizeof root.Squares);
}

TEST(Fen, RandomPositionsReadBackAsTheyWereWritten) {
  std::mt19937 rng(19);
  for (int i = 0; i < 3000; ++i) {
    const TSearchRoot written = RandomRoot(rng);
    const std::string fen = FenFromRoot(written) + " 0 1";  // the move counters are read past
    TSearchRoot read;
    std::string error;
    ASSERT_TRUE(RootFromFen(fen, read, &error)) << fen << ": " << error;
    EXPECT_EQ(Placement(read), Placement(written)) << fen;
    EXPECT_EQ(read.WhiteToMove, written.WhiteToMove) << fen;
    EXPECT_EQ(read.CastleRights, written.CastleRights) << fen;
    EXPECT_EQ(read.EnPassant, written.EnPassant) << fen;
    const std::optional<TFenRecord> record = ReadFen(fen);
    ASSERT_TRUE(record) << fen;
    EXPECT_EQ(record->Placement, Placement(written)) << fen;
    EXPECT_EQ(record->WhiteKingSide, (written.CastleRights & crWhiteKingSide) != 0) << fen;
    EXPECT_EQ(record->BlackQueenSide, (written.CastleRights & crBlackQueenSide) != 0) << fen;
  }
}

TEST(Fen, MalformedTextsAreRefusedWithAReasonAndTheRootKept) {
  const char* const malformed[] = {
      "",
      "4k3/8/8/8/8/8/8/4K3",         // no side to move
      "4k3/8/8/8/8/8/4K3 w",         // seven ranks
      "4k3/8/8/8/8/8/8/8/4K3 w",     // nine ranks
      "4k3/8/8/8/8/8/8/4K3/ w",      // a rank after the last
      "4k4/8/8/8/8/8/8/4K3 w",       // nine squares on a rank
      "4k2/8/8/8/8/8/8/4K3 w",       // seven squares on a rank
      "9/8/8/8/8/8/8/8 w",           // a run longer than a rank
      "4k3/8/8/8/8/8/8/4X3 w",       // no such piece
      "4k3/8/8/8/8/8/8/4K3 white",   // side to move spelled out
      "4k3/8/8/8/8/8/8/4K3 w KX",    // no such castling right
      "4k3/8/8/8/8/8/8/4K3 w K-",    // "-" among the rights
      "4k3/8/8/8/8/8/8/4K3 w - e9",  // off the board
      "4k3/8/8/8/8/8/8/4K3 w - E3",  // squares are lower case
      "4k3/8/8/8/8/8/8/4K3 w - e",   // half a square
  };
  std::mt19937 rng(7);
  for (const char* fen : malformed) {
    TSearchRoot root = RandomRoot(rng);
    const TSearchRoot before = root;
    std::string error;
    EXPECT_FALSE(RootFromFen(fen, root, &error)) << fen;
    EXPECT_FALSE(error.empty()) << fen;
    EXPECT_EQ(Placement(root), Placement(before)) << fen;
    EXPECT_EQ(root.WhiteToMove, before.WhiteToMove) << fen;
    EXPECT_EQ(root.CastleRights, before.CastleRights) << fen;
    EXPECT_EQ(root.EnPassant, before.EnPassant) << fen;
    EXPECT_FALSE(ReadFen(fen)) << fen;
  }
}

TEST(Fen, AnEnPassantSquareFitsOnlyBehindAPawnThatHasJustDoubleStepped) {
  const auto fits = [](const char* fen) {
    const std::optional<TFenRecord> record = ReadFen(fen);
    EXPECT_TRUE(record) << fen;
    return record && EnPassantFitsDoubleStep(*record);
  };
  EXPECT_TRUE(fits("4k3/8/8/3pP3/8/8/8/4K3 w - d6"));
  EXPECT_TRUE(fits("4k3/8/8/8/3Pp3/8/8/4K3 b - d3"));
  EXPECT_FALSE(fits("4k3/8/8/3pP3/8/8/8/4K3 w - -"));     // none given
  EXPECT_FALSE(fits("4k3/8/8/8/3Pp3/8/8/4K3 w - d3"));    // the side to move's own double step
  EXPECT_FALSE(fits("4k3/8/8/4P3/8/8/8/4K3 w - d6"));     // no pawn beyond it
  EXPECT_FALSE(fits("4k3/8/8/3PP3/8/8/8/4K3 w - d6"));    // the pawn beyond it is the mover's own
  EXPECT_FALSE(fits("4k3/3p4/8/3pP3/8/8/8/4K3 w - d6"));  // its start square is taken
  EXPECT_FALSE(fits("4k3/8/3n4/3pP3/8/8/8/4K3 w - d6"));  // the square itself is taken
}

}  // namespace
}  // namespace zelmar
