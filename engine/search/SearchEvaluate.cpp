// Static evaluation: material and placement from tables built once per search, plus the pawn
// structure and rook-file terms.
#include <cstring>

#include "engine/search/ChessSearch.h"
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

// Fills the value of every piece on every square for this search's root position: placement tables,
// the king table chosen by the opponent's material, and the pawn shield on the king's wing.
void TChessSearch::BuildSquareBonus() {
  using namespace tables;
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

// Score of the side to move minus the other side's, in centipawns.
int TChessSearch::Evaluate() const {
  int score[2] = {BonusSum[cWhite], BonusSum[cBlack]};
  for (int c = cWhite; c <= cBlack; ++c) {
    const int o = c ^ 1;
    const int* own = PawnsOnFile[c];
    const int* foe = PawnsOnFile[o];
    for (bitboards::Mask pawns = PieceSet[c][kPawn]; pawns; pawns &= pawns - 1) {
      const int s = bitboards::FirstSquare(pawns);
      const int f = FileOfSq(s) + 1;
      if (own[f] > 1) score[c] -= 5;
      if (own[f - 1] == 0 && own[f + 1] == 0) score[c] -= foe[f] == 0 ? 30 : 20;
      if (foe[f - 1] == 0 && foe[f] == 0 && foe[f + 1] == 0) score[c] += 2 * SquareBonus[c][kPawn][s];
    }
    for (bitboards::Mask rooks = PieceSet[c][kRook]; rooks; rooks &= rooks - 1) {
      const int f = FileOfSq(bitboards::FirstSquare(rooks)) + 1;
      if (own[f] == 0) score[c] += foe[f] == 0 ? 15 : 10;
    }
  }
  return score[Side] - score[Other];
}

}  // namespace zelmar
