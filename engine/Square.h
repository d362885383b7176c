// Board squares and the arithmetic every chess rule is written in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelmar {

// A board square: None (0), then a8 (1) along rank 8 to h8 (8), down to a1 (57) ... h1 (64).
// clang-format off
enum class Square : std::uint8_t {
  None = 0,
  A8, B8, C8, D8, E8, F8, G8, H8,
  A7, B7, C7, D7, E7, F7, G7, H7,
  A6, B6, C6, D6, E6, F6, G6, H6,
  A5, B5, C5, D5, E5, F5, G5, H5,
  A4, B4, C4, D4, E4, F4, G4, H4,
  A3, B3, C3, D3, E3, F3, G3, H3,
  A2, B2, C2, D2, E2, F2, G2, H2,
  A1, B1, C1, D1, E1, F1, G1, H1,
};
// clang-format on

// Ordinal of a square (0 for None, 1..64 on the board).
constexpr int Ord(Square sq) {
  return static_cast<int>(sq);
}

// Square of an ordinal; anything outside 0..64 gives None.
constexpr Square SquareOf(int ordinal) {
  return ordinal >= 1 && ordinal <= 64 ? static_cast<Square>(ordinal) : Square::None;
}

// Whether the square is one of the 64 board squares.
constexpr bool OnBoard(Square sq) {
  return Ord(sq) >= 1 && Ord(sq) <= 64;
}

// File of a board square: 1 = file a ... 8 = file h.
constexpr int FileOf(Square sq) {
  return (Ord(sq) - 1) % 8 + 1;
}

// Rank of a board square: 1 = White's back rank ... 8 = Black's back rank.
constexpr int RankOf(Square sq) {
  return 8 - (Ord(sq) - 1) / 8;
}

// Square at (file, rank), or None when either lies outside 1..8.
constexpr Square SquareAt(int file, int rank) {
  if (file < 1 || file > 8 || rank < 1 || rank > 8) return Square::None;
  return static_cast<Square>((8 - rank) * 8 + file);
}

// Coordinate name of a board square ("e4"); "-" for None.
std::string SquareName(Square sq);

// Square named in coordinates ("e4", either case); nothing for any other text.
std::optional<Square> ParseSquare(std::string_view name);

}  // namespace zelmar
