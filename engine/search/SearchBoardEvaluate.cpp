// Static evaluation of the search board: material and placement from tables built once per root,
// plus the pawn structure and rook-file terms.
#include <bit>
#include <cstring>

#include "engine/search/SearchBoard.h"
#include "engine/search/SearchTables.h"

namespace zelmar {

namespace {

// Sum of the piece values of a colour's non-pawn pieces (its king included).
int NonPawnMaterial(const std::int8_t* color, const std::int8_t* piece, int side) {
  int sum = 0;
  for (int s = 0; s < 64; ++s)
    if (color[s] == side && piece[s] != kPawn && piece[s] != kNone) sum += tables::PieceValue[piece[s]];
  return sum;
}

// The last square holding a king of the colour, or the fallback when there is none.
int LastKing(const std::int8_t* color, const std::int8_t* piece, int side, int fallback) {
  int found = fallback;
  for (int s = 0; s < 64; ++s)
    if (color[s] == side && piece[s] == kKing) found = s;
  return found;
}

}  // namespace

// Fills the value of every piece on every square for the loaded root position: placement tables,
// the king table chosen by the opponent's material, and the pawn shield on the king's wing.
void TSearchBoard::BuildSquareBonus() {
  using namespace tables;
  // Pawn terms remembered for older tables no longer hold.
  if (++PawnGeneration == 0) {
    for (TPawnEntry& e : PawnCache) e.Generation = 0;
    for (TPawnEntry& e : PawnMemo) e.Generation = 0;
    PawnGeneration = 1;
  }
  // 1.-2. Material plus placement, Black's read through the mirror.
  std::memset(SquareBonus, 0, sizeof SquareBonus);
  for (int s = 0; s < 64; ++s) {
    const int m = MirrorSquare[s];
    const int sq[2] = {s, m};
    for (int c = cWhite; c <= cBlack; ++c) {
      SquareBonus[c][kPawn][s] = PawnTable[sq[c]] + 100;
      SquareBonus[c][kKnight][s] = MinorPieceTable[sq[c]] + 300;
      SquareBonus[c][kBishop][s] = MinorPieceTable[sq[c]] + 300;
      SquareBonus[c][kRook][s] = 500;
      SquareBonus[c][kQueen][s] = 900;
    }
  }
  // 3.-4. Kings: middle-game table and pawn shield while the opponent keeps more than 1400.
  const int whiteKing = LastKing(BoardColor, BoardPiece, cWhite, 0);
  const int blackKing = LastKing(BoardColor, BoardPiece, cBlack, whiteKing);
  const int kingSquare[2] = {whiteKing, blackKing};
  for (int c = cWhite; c <= cBlack; ++c) {
    const bool middle = NonPawnMaterial(BoardColor, BoardPiece, c ^ 1) > 1400;
    const int file = FileOfSq(kingSquare[c]);
    for (int s = 0; s < 64; ++s) {
      const int t = c == cWhite ? s : MirrorSquare[s];
      SquareBonus[c][kKing][s] = middle ? KingMiddleTable[t] : KingEndTable[t];
      if (!middle) continue;
      if (file >= 5) SquareBonus[c][kPawn][s] += KingSideShieldTable[t];
      if (file <= 2) SquareBonus[c][kPawn][s] += QueenSideShieldTable[t];
    }
  }
}

namespace {

// The files holding at least one piece of the set, as 8 bits (bit 0 = file a).
inline unsigned FilesOf(bitboards::Mask m) {
  m |= m >> 32;
  m |= m >> 16;
  m |= m >> 8;
  return static_cast<unsigned>(m & 0xFF);
}

// The squares of the files given as 8 bits (bit 0 = file a).
inline bitboards::Mask FileSquares(unsigned files) {
  return files * bitboards::FileA;
}

// Each file's neighbours, and the file with its neighbours, as file bits.
constexpr unsigned NeighbourFiles(int f) {
  return ((1u << f) << 1 | (1u << f) >> 1) & 0xFF;
}

}  // namespace

// Doubled, isolated and passed pawn terms of one side, worked out per file: every pawn of a file is
// doubled, isolated or passed alike, and a file's passed bonus is twice its pawns' placement values.
void TSearchBoard::PawnTerms(unsigned own, unsigned foe, int c, int& score) const {
  const bitboards::Mask pawns = PieceSet[c][kPawn];
  for (unsigned bits = own; bits; bits &= bits - 1) {
    const int f = std::countr_zero(bits);
    const bitboards::Mask onFile = pawns & (bitboards::FileA << f);
    const int n = bitboards::CountSquares(onFile);
    const unsigned near = NeighbourFiles(f);
    if (n > 1) score -= 5 * n;
    if (!(own & near)) score -= n * ((foe >> f) & 1 ? 20 : 30);
    if (!(foe & (near | 1u << f))) {
      for (bitboards::Mask m = onFile; m; m &= m - 1)
        score += 2 * SquareBonus[c][kPawn][bitboards::FirstSquare(m)];
    }
  }
}

// The pawn terms of a placement of both sides' pawns. Quiescence rarely moves pawns, so this ply's
// last answer, or the ply above's, is nearly always the one wanted; the table below them remembers
// every placement of this search.
const TSearchBoard::TPawnEntry& TSearchBoard::PawnEntryFor(bitboards::Mask white, bitboards::Mask black,
                                                           const unsigned* files) const {
  auto holds = [&](const TPawnEntry& e) {
    return e.Pawns[cWhite] == white && e.Pawns[cBlack] == black && e.Generation == PawnGeneration;
  };
  TPawnEntry& memo = PawnMemo[Ply];
  if (holds(memo)) return memo;
  if (Ply > 0 && holds(PawnMemo[Ply - 1])) return memo = PawnMemo[Ply - 1];
  const std::uint64_t key = (white * 0x9E3779B97F4A7C15ull) ^ (black * 0xC2B2AE3D27D4EB4Full);
  TPawnEntry& e = PawnCache[key >> (64 - PawnCacheBits)];
  if (!holds(e)) {
    e.Pawns[cWhite] = white;
    e.Pawns[cBlack] = black;
    e.Generation = PawnGeneration;
    e.Score[cWhite] = e.Score[cBlack] = 0;
    PawnTerms(files[cWhite], files[cBlack], cWhite, e.Score[cWhite]);
    PawnTerms(files[cBlack], files[cWhite], cBlack, e.Score[cBlack]);
  }
  return memo = e;
}

// Score of the side to move minus the other side's, in centipawns: the running placement sums, the
// pawn terms and the rook files.
int TSearchBoard::Evaluate() const {
  const bitboards::Mask white = PieceSet[cWhite][kPawn];
  const bitboards::Mask black = PieceSet[cBlack][kPawn];
  const unsigned files[2] = {FilesOf(white), FilesOf(black)};
  const TPawnEntry& e = PawnEntryFor(white, black, files);
  int score[2] = {BonusSum[cWhite] + e.Score[cWhite], BonusSum[cBlack] + e.Score[cBlack]};
  // A rook on a file without a pawn of its own side: 15, or 10 when an enemy pawn stands there.
  for (int c = cWhite; c <= cBlack; ++c) {
    const bitboards::Mask rooks = PieceSet[c][kRook];
    if (!rooks) continue;
    const unsigned noOwn = ~files[c] & 0xFFu;
    const unsigned foe = files[c ^ 1];
    score[c] += 15 * bitboards::CountSquares(rooks & FileSquares(noOwn & ~foe)) +
                10 * bitboards::CountSquares(rooks & FileSquares(noOwn & foe));
  }
  return score[Side] - score[Other];
}

}  // namespace zelmar
