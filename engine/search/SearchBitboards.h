// Square sets of the search board as 64-bit masks (bit s = square s, a8 = bit 0) and the fixed
// attack masks that let the attack test look outward from the attacked square.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "engine/search/SearchDefs.h"
#include "engine/search/SearchTables.h"

namespace zelmar::bitboards {

using Mask = std::uint64_t;

constexpr Mask Bit(int s) {
  return Mask{1} << s;
}

// Lowest square of a non-empty set, which is also the first square in board order.
inline int FirstSquare(Mask m) {
  return std::countr_zero(m);
}
// Highest square of a non-empty set.
inline int LastSquare(Mask m) {
  return 63 - std::countl_zero(m);
}

// The squares of the a-file and of the h-file.
inline constexpr Mask FileA = 0x0101010101010101ull;
inline constexpr Mask FileH = 0x8080808080808080ull;

// The squares of a row (0 = the eighth rank, as RowOfSq counts).
constexpr Mask RowSquares(int row) {
  return Mask{0xFF} << (8 * row);
}

// Number of squares in a set, from bit counts added in ever wider fields: the processor's own count
// instruction is not in the baseline the game is built for, and the library's fallback loops by bytes.
inline int CountSquares(Mask m) {
  m -= (m >> 1) & 0x5555555555555555ull;
  m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
  m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((m * 0x0101010101010101ull) >> 56);
}

// Squares one mailbox step from each square along the given offsets.
constexpr std::array<Mask, 64> StepMasks(const int* offsets, int count) {
  std::array<Mask, 64> masks{};
  for (int s = 0; s < 64; ++s) {
    for (int j = 0; j < count; ++j) {
      const int t = tables::MailboxCells[tables::MailboxIndex[s] + offsets[j]];
      if (t >= 0) masks[s] |= Bit(t);
    }
  }
  return masks;
}

inline constexpr std::array<Mask, 64> KnightMask = StepMasks(tables::Directions[kKnight], 8);
inline constexpr std::array<Mask, 64> KingMask = StepMasks(tables::Directions[kKing], 8);

// Squares from which a pawn of the given colour attacks each square.
inline constexpr std::array<std::array<Mask, 64>, 2> PawnAttackers = [] {
  std::array<std::array<Mask, 64>, 2> from{};
  for (int s = 0; s < 64; ++s) {
    const int f = FileOfSq(s);
    // A White pawn on s attacks s-9 and s-7; a Black one s+7 and s+9 (never off the board).
    if (f != 0 && s - 9 >= 0) from[cWhite][s - 9] |= Bit(s);
    if (f != 7 && s - 7 >= 0) from[cWhite][s - 7] |= Bit(s);
    if (f != 0 && s + 7 < 64) from[cBlack][s + 7] |= Bit(s);
    if (f != 7 && s + 9 < 64) from[cBlack][s + 9] |= Bit(s);
  }
  return from;
}();

// The eight ray directions as mailbox offsets; the first four lead to higher squares.
inline constexpr int RayOffsets[8] = {1, 9, 10, 11, -1, -9, -10, -11};
// Whether a ray is straight (rook-like) rather than diagonal.
inline constexpr bool RayStraight[8] = {true, false, true, false, true, false, true, false};

// Squares along each ray from each square, the square itself excluded.
inline constexpr std::array<std::array<Mask, 64>, 8> Rays = [] {
  std::array<std::array<Mask, 64>, 8> rays{};
  for (int r = 0; r < 8; ++r) {
    for (int s = 0; s < 64; ++s) {
      int cell = tables::MailboxIndex[s];
      for (;;) {
        cell += RayOffsets[r];
        const int t = tables::MailboxCells[cell];
        if (t < 0) break;
        rays[r][s] |= Bit(t);
      }
    }
  }
  return rays;
}();

// All straight and all diagonal ray squares of each square, for a quick "any slider in line" test.
inline constexpr std::array<Mask, 64> StraightLines = [] {
  std::array<Mask, 64> m{};
  for (int s = 0; s < 64; ++s) m[s] = Rays[0][s] | Rays[2][s] | Rays[4][s] | Rays[6][s];
  return m;
}();
inline constexpr std::array<Mask, 64> DiagonalLines = [] {
  std::array<Mask, 64> m{};
  for (int s = 0; s < 64; ++s) m[s] = Rays[1][s] | Rays[3][s] | Rays[5][s] | Rays[7][s];
  return m;
}();

// The ray (0..7) leading from one square to another, or -1 when they share no line.
inline constexpr std::array<std::array<std::int8_t, 64>, 64> RayTowards = [] {
  std::array<std::array<std::int8_t, 64>, 64> ray{};
  for (auto& row : ray) row.fill(-1);
  for (int r = 0; r < 8; ++r)
    for (int s = 0; s < 64; ++s)
      for (int t = 0; t < 64; ++t)
        if (Rays[r][s] & Bit(t)) ray[s][t] = static_cast<std::int8_t>(r);
  return ray;
}();

// First occupied square along ray r from s, or -1 when the ray is clear to the edge.
inline int FirstBlocker(int r, int s, Mask occupied) {
  const Mask hits = Rays[r][s] & occupied;
  if (!hits) return -1;
  return r < 4 ? FirstSquare(hits) : LastSquare(hits);
}

}  // namespace zelmar::bitboards
