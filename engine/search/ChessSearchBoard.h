// Make, take-back and attack tests of the search board, kept inline because every node uses them.
#pragma once

#include "engine/search/ChessSearch.h"

namespace zelmar {

// Places a piece on an empty square and keeps the sets and evaluation sums in step.
inline void TChessSearch::Put(int s, int color, int kind) {
  BoardColor[s] = static_cast<std::int8_t>(color);
  BoardPiece[s] = static_cast<std::int8_t>(kind);
  const bitboards::Mask bit = bitboards::Bit(s);
  ColorSet[color] |= bit;
  PieceSet[color][kind] |= bit;
  BonusSum[color] += SquareBonus[color][kind][s];
  if (kind == kPawn) ++PawnsOnFile[color][FileOfSq(s) + 1];
}

// Empties an occupied square, undoing what Put added.
inline void TChessSearch::Remove(int s) {
  const int color = BoardColor[s];
  const int kind = BoardPiece[s];
  const bitboards::Mask bit = bitboards::Bit(s);
  ColorSet[color] &= ~bit;
  PieceSet[color][kind] &= ~bit;
  BonusSum[color] -= SquareBonus[color][kind][s];
  if (kind == kPawn) --PawnsOnFile[color][FileOfSq(s) + 1];
  BoardColor[s] = cEmpty;
  BoardPiece[s] = kNone;
}

// Whether a piece of bySide reaches the square, looking outward from it along every way of moving.
inline bool TChessSearch::IsAttacked(int square, int bySide) const {
  using namespace bitboards;
  const Mask* own = PieceSet[bySide];
  if (PawnAttackers[bySide][square] & own[kPawn]) return true;
  const Mask jumpers = own[kKnight] | (ZelmarMode ? own[kQueen] : 0);
  if (KnightMask[square] & jumpers) return true;
  if (KingMask[square] & own[kKing]) return true;
  const Mask occupied = ColorSet[cWhite] | ColorSet[cBlack];
  const Mask straight = own[kRook] | own[kQueen];
  if (StraightLines[square] & straight) {
    for (int r = 0; r < 8; r += 2) {
      const int b = FirstBlocker(r, square, occupied);
      if (b >= 0 && (straight & Bit(b))) return true;
    }
  }
  const Mask diagonal = own[kBishop] | own[kQueen];
  if (DiagonalLines[square] & diagonal) {
    for (int r = 1; r < 8; r += 2) {
      const int b = FirstBlocker(r, square, occupied);
      if (b >= 0 && (diagonal & Bit(b))) return true;
    }
  }
  return false;
}

// Whether the first king of the side (in square order) is attacked; false without a king.
inline bool TChessSearch::InCheck(int side) const {
  const bitboards::Mask kings = PieceSet[side][kKing];
  if (!kings) return false;
  return IsAttacked(bitboards::FirstSquare(kings), side ^ 1);
}

// Whether castling to the given target may pass: the squares between empty and the king's path safe.
inline bool TChessSearch::CastleSquaresFree(int to) const {
  auto empty = [this](int s) { return BoardColor[s] == cEmpty; };
  switch (to) {
    case 62: return empty(61) && empty(62) && !IsAttacked(61, Other) && !IsAttacked(62, Other);
    case 58:
      return empty(57) && empty(58) && empty(59) && !IsAttacked(58, Other) && !IsAttacked(59, Other);
    case 6: return empty(5) && empty(6) && !IsAttacked(5, Other) && !IsAttacked(6, Other);
    case 2: return empty(1) && empty(2) && empty(3) && !IsAttacked(2, Other) && !IsAttacked(3, Other);
    default: return false;
  }
}

// Plays a pseudo-legal move; refuses (position unchanged) a castling that may not pass or any move
// that leaves the mover's king attacked.
inline bool TChessSearch::DoMove(TSearchMove m) {
  const int from = m.From;
  const int to = m.To;
  // 1. Castling: the king may not be in check nor cross or land on an attacked square; the rook jumps.
  if (m.Flags & mfCastle) {
    if (InCheck(Side) || !CastleSquaresFree(to)) return false;
    const int rookFrom = to == 62 ? 63 : to == 58 ? 56 : to == 6 ? 7 : 0;
    const int rookTo = to == 62 ? 61 : to == 58 ? 59 : to == 6 ? 5 : 3;
    Remove(rookFrom);
    Put(rookTo, Side, kRook);
  }
  // 2. Record what take-back needs.
  UndoStack[Ply] = {m, BoardPiece[to], CastleRights, EpSquare};
  ++Ply;
  // 3.-4. Rights and en-passant square.
  CastleRights &= tables::CastleKeepMask[from] & tables::CastleKeepMask[to];
  EpSquare = (m.Flags & mfDoublePush) ? (Side == cWhite ? to + 8 : to - 8) : -1;
  // 5. Move the piece, promoting when asked.
  const int kind = (m.Flags & mfPromotion) ? m.Promotion : BoardPiece[from];
  if (BoardColor[to] != cEmpty) Remove(to);
  Remove(from);
  Put(to, Side, kind);
  // 6. The pawn taken en passant stands beside the target.
  if (m.Flags & mfEnPassant) Remove(Side == cWhite ? to + 8 : to - 8);
  // 7.-8. Hand over the move; a mover left in check takes it back.
  Other = Side;
  Side ^= 1;
  if (InCheck(Other)) {
    UndoMove();
    return false;
  }
  return true;
}

// Takes back the last move played by DoMove.
inline void TChessSearch::UndoMove() {
  Other = Side;
  Side ^= 1;
  --Ply;
  const TUndo& u = UndoStack[Ply];
  CastleRights = u.CastleRights;
  EpSquare = u.EpSquare;
  const int from = u.Move.From;
  const int to = u.Move.To;
  const int kind = (u.Move.Flags & mfPromotion) ? int{kPawn} : int{BoardPiece[to]};
  Remove(to);
  Put(from, Side, kind);
  if (u.Captured != kNone) Put(to, Other, u.Captured);
  if (u.Move.Flags & mfCastle) {
    const int rookHome = to == 62 ? 63 : to == 58 ? 56 : to == 6 ? 7 : 0;
    const int rookNow = to == 62 ? 61 : to == 58 ? 59 : to == 6 ? 5 : 3;
    Remove(rookNow);
    Put(rookHome, Side, kRook);
  }
  if (u.Move.Flags & mfEnPassant) Put(Side == cWhite ? to + 8 : to - 8, Other, kPawn);
}

}  // namespace zelmar
