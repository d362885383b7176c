// Constant tables of the search: board geometry, piece values and placement tables.
#pragma once

#include <array>
#include <cstdint>

namespace zelmar::tables {

using Table64 = std::array<int, 64>;

// 10x12 mailbox: cells of rows 2..9, columns 1..8 hold squares 0..63, every other cell -1.
inline constexpr std::array<int, 120> MailboxCells = [] {
  std::array<int, 120> cells{};
  for (int& c : cells) c = -1;
  for (int s = 0; s < 64; ++s) cells[21 + 10 * (s / 8) + s % 8] = s;
  return cells;
}();

// Square to mailbox cell.
inline constexpr Table64 MailboxIndex = [] {
  Table64 index{};
  for (int s = 0; s < 64; ++s) index[s] = 21 + 10 * (s / 8) + s % 8;
  return index;
}();

// Directions per kind as mailbox offsets; the queen kind's places 8..15 are the Zelmar's knight jumps.
inline constexpr int Directions[6][16] = {
    {},
    {-21, -19, -12, -8, 8, 12, 19, 21},
    {-11, -9, 9, 11},
    {-10, -1, 1, 10},
    {-11, -10, -9, -1, 1, 9, 10, 11, -21, -19, -12, -8, 8, 12, 19, 21},
    {-11, -10, -9, -1, 1, 9, 10, 11},
};

// Number of directions per kind with the queen kind as a plain queen.
inline constexpr int DirectionCountPlain[6] = {0, 8, 4, 4, 8, 8};

// Whether a kind keeps going past an empty square.
inline constexpr bool Slides[6] = {false, false, true, true, true, false};

// Castling rights kept after a move touches a square.
inline constexpr Table64 CastleKeepMask = [] {
  Table64 mask{};
  for (int& m : mask) m = 15;
  mask[0] = 7;
  mask[4] = 3;
  mask[7] = 11;
  mask[56] = 13;
  mask[60] = 12;
  mask[63] = 14;
  return mask;
}();

// Material values by kind; the king's enters only the sums that choose the king table.
inline constexpr int PieceValue[6] = {100, 300, 300, 500, 900, 10000};

// The same file on the rank mirrored between White and Black.
inline constexpr Table64 MirrorSquare = [] {
  Table64 mirror{};
  for (int s = 0; s < 64; ++s) mirror[s] = 8 * (7 - s / 8) + s % 8;
  return mirror;
}();

// Placement tables from White's side, a8 first.
inline constexpr Table64 PawnTable = {0, 0,  0,  0,   0,   0,  0,  0,  //
                                      5, 10, 15, 20,  20,  15, 10, 5,  //
                                      4, 8,  12, 16,  16,  12, 8,  4,  //
                                      3, 6,  9,  12,  12,  9,  6,  3,  //
                                      2, 4,  6,  8,   8,   6,  4,  2,  //
                                      1, 2,  3,  4,   4,   3,  2,  1,  //
                                      0, 0,  0,  -20, -20, 0,  0,  0,  //
                                      0, 0,  0,  0,   0,   0,  0,  0};

inline constexpr Table64 KingSideShieldTable = {0, 0, 0, 0, 0, 0,  0,  0,   //
                                                0, 0, 0, 0, 0, 0,  0,  0,   //
                                                0, 0, 0, 0, 0, 0,  0,  0,   //
                                                0, 0, 0, 0, 0, 0,  0,  0,   //
                                                0, 0, 0, 0, 0, 5,  5,  5,   //
                                                0, 0, 0, 0, 0, 10, 10, 10,  //
                                                0, 0, 0, 0, 0, 20, 20, 20,  //
                                                0, 0, 0, 0, 0, 0,  0,  0};

inline constexpr Table64 QueenSideShieldTable = {0,  0,  0,  0, 0, 0, 0, 0,  //
                                                 0,  0,  0,  0, 0, 0, 0, 0,  //
                                                 0,  0,  0,  0, 0, 0, 0, 0,  //
                                                 0,  0,  0,  0, 0, 0, 0, 0,  //
                                                 5,  5,  5,  0, 0, 0, 0, 0,  //
                                                 10, 10, 10, 0, 0, 0, 0, 0,  //
                                                 20, 20, 20, 0, 0, 0, 0, 0,  //
                                                 0,  0,  0,  0, 0, 0, 0, 0};

inline constexpr Table64 MinorPieceTable = {-10, -10, -10, -10, -10, -10, -10, -10,  //
                                            -10, 0,   0,   0,   0,   0,   0,   -10,  //
                                            -10, 0,   5,   5,   5,   5,   0,   -10,  //
                                            -10, 0,   5,   10,  10,  5,   0,   -10,  //
                                            -10, 0,   5,   10,  10,  5,   0,   -10,  //
                                            -10, 0,   5,   5,   5,   5,   0,   -10,  //
                                            -10, 0,   0,   0,   0,   0,   0,   -10,  //
                                            -20, -20, -20, -20, -20, -20, -20, -20};

inline constexpr Table64 KingMiddleTable = {-40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -40, -40, -40, -40, -40, -40, -40, -40,  //
                                            -20, -20, -20, -20, -20, -20, -20, -20,  //
                                            -10, 0,   10,  -20, 0,   -20, 10,  0};

inline constexpr Table64 KingEndTable = {-5, -5, -5, -5, -5, -5, -5, -5,  //
                                         -5, 0,  0,  0,  0,  0,  0,  -5,  //
                                         -5, 0,  5,  5,  5,  5,  0,  -5,  //
                                         -5, 0,  5,  10, 10, 5,  0,  -5,  //
                                         -5, 0,  5,  10, 10, 5,  0,  -5,  //
                                         -5, 0,  5,  5,  5,  5,  0,  -5,  //
                                         -5, 0,  0,  0,  0,  0,  0,  -5,  //
                                         -5, -5, -5, -5, -5, -5, -5, -5};

}  // namespace zelmar::tables
