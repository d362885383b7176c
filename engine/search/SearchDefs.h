// Codes, move layout and limits shared by the computer player's search.
#pragma once

#include <cstdint>

namespace zelmar {

// Colour codes of the search board.
enum : int { cWhite = 0, cBlack = 1, cEmpty = 6 };

// Piece kind codes; kNone marks an empty square.
enum : int { kPawn = 0, kKnight = 1, kBishop = 2, kRook = 3, kQueen = 4, kKing = 5, kNone = 6 };

// Move flags, combined in the fourth byte of a move.
enum : std::uint8_t {
  mfCapture = 1,
  mfCastle = 2,
  mfEnPassant = 4,
  mfDoublePush = 8,
  mfPawnMove = 16,
  mfPromotion = 32,
};

// Fixed sizes of the search tables: nothing grows during a search.
inline constexpr int MaxPly = 64;
inline constexpr int MaxMoveList = 4096;
// Plies from the root at which both searches stop and evaluate.
inline constexpr int PlyBound = 63;
// Root window and mate base.
inline constexpr int Infinity = 10000;

// One move: from, to, promotion kind (0 or 1..4), flags; compared as one 32-bit value.
struct TSearchMove {
  std::uint8_t From = 0;
  std::uint8_t To = 0;
  std::uint8_t Promotion = 0;
  std::uint8_t Flags = 0;

  friend bool operator==(const TSearchMove&, const TSearchMove&) = default;
};

// A move-list entry: the move and its ordering score.
struct TScoredMove {
  TSearchMove Move;
  std::int32_t Score = 0;
};

// Castling-right bits, in the board's order of its castling set.
enum : int { crWhiteKingSide = 1, crWhiteQueenSide = 2, crBlackKingSide = 4, crBlackQueenSide = 8 };

// What a search starts from: a copy of the board's position and the settings it reads.
struct TSearchRoot {
  char Squares[64] = {};  // board letters in square order a8..h1, space when empty
  bool WhiteToMove = true;
  int CastleRights = 0;  // crWhiteKingSide | ...
  int EnPassant = 0;     // board square 1..64 the pawn passed over, 0 for none
  int Depth = 1;
  bool ZelmarMode = false;

  friend bool operator==(const TSearchRoot&, const TSearchRoot&) = default;
};

// File (0 = a) and row (0 = eighth rank) of a search square.
constexpr int FileOfSq(int s) {
  return s & 7;
}
constexpr int RowOfSq(int s) {
  return s >> 3;
}

}  // namespace zelmar
