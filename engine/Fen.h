// Reading a position written in FEN, the usual text form of a chess position, for the tools and tests of
// both the rules engine and the computer player's search.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelmar {

// The fields of a FEN record this program uses; the move counters are read past.
struct TFenRecord {
  std::string Placement;  // 64 letters from a8 along rank 8 down to h1: a FEN piece letter, or ' ' when empty
  bool WhiteToMove = true;
  bool WhiteKingSide = false;  // castling rights
  bool WhiteQueenSide = false;
  bool BlackKingSide = false;
  bool BlackQueenSide = false;
  int EnPassant = 0;  // the square the last double step passed over, 1 (a8) .. 64 (h1), 0 for none
};

// Reads the placement and the side to move, and the castling and en-passant fields when present ("-" or
// missing for none). Gives nothing for a malformed text, with the reason in *error when asked.
std::optional<TFenRecord> ReadFen(std::string_view fen, std::string* error = nullptr);

// Whether the record's en-passant square can be the one the opponent's double step has just passed over: on
// the opponent's third rank, empty, with the pawn's start square empty and its pawn on the square beyond.
bool EnPassantFitsDoubleStep(const TFenRecord& record);

}  // namespace zelmar
