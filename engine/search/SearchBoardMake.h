// Make, take-back and attack tests of the search board, kept inline because every node uses them.
#pragma once

#include <cstring>

#include "engine/search/SearchBoard.h"

namespace zelmar {

// Places a piece on an empty square and keeps the sets and evaluation sums in step.
inline void TSearchBoard::Put(int s, int color, int kind) {
  BoardColor[s] = static_cast<std::int8_t>(color);
  BoardPiece[s] = static_cast<std::int8_t>(kind);
  const bitboards::Mask bit = bitboards::Bit(s);
  ColorSet[color] |= bit;
  PieceSet[color][kind] |= bit;
  BonusSum[color] += SquareBonus[color][kind][s];
}

// Empties an occupied square, undoing what Put added.
inline void TSearchBoard::Remove(int s) {
  const int color = BoardColor[s];
  const int kind = BoardPiece[s];
  const bitboards::Mask bit = bitboards::Bit(s);
  ColorSet[color] &= ~bit;
  PieceSet[color][kind] &= ~bit;
  BonusSum[color] -= SquareBonus[color][kind][s];
  BoardColor[s] = cEmpty;
  BoardPiece[s] = kNone;
}

// Moves the piece on from to the empty square to, keeping the sets and sums in step.
inline void TSearchBoard::Shift(int from, int to) {
  const int color = BoardColor[from];
  const int kind = BoardPiece[from];
  const bitboards::Mask both = bitboards::Bit(from) | bitboards::Bit(to);
  ColorSet[color] ^= both;
  PieceSet[color][kind] ^= both;
  const int* bonus = SquareBonus[color][kind];
  BonusSum[color] += bonus[to] - bonus[from];
  BoardColor[to] = static_cast<std::int8_t>(color);
  BoardPiece[to] = static_cast<std::int8_t>(kind);
  BoardColor[from] = cEmpty;
  BoardPiece[from] = kNone;
}

// Whether a piece of bySide reaches the square, looking outward from it along every way of moving.
inline bool TSearchBoard::IsAttacked(int square, int bySide) const {
  using namespace bitboards;
  const Mask* own = PieceSet[bySide];
  if (PawnAttackers[bySide][square] & own[kPawn]) return true;
  const Mask jumpers = own[kKnight] | (ZelmarMode ? own[kQueen] : 0);
  if (KnightMask[square] & jumpers) return true;
  if (KingMask[square] & own[kKing]) return true;
  const Mask occupied = ColorSet[cWhite] | ColorSet[cBlack];
  // A ray matters only when a slider of the right kind stands somewhere on it.
  const Mask straight = own[kRook] | own[kQueen];
  if (StraightLines[square] & straight) {
    for (int r = 0; r < 8; r += 2) {
      if (!(Rays[r][square] & straight)) continue;
      const int b = FirstBlocker(r, square, occupied);
      if (straight & Bit(b)) return true;
    }
  }
  const Mask diagonal = own[kBishop] | own[kQueen];
  if (DiagonalLines[square] & diagonal) {
    for (int r = 1; r < 8; r += 2) {
      if (!(Rays[r][square] & diagonal)) continue;
      const int b = FirstBlocker(r, square, occupied);
      if (diagonal & Bit(b)) return true;
    }
  }
  return false;
}

// The pieces of bySide that reach the square, found the way IsAttacked looks for the first one.
inline bitboards::Mask TSearchBoard::Attackers(int square, int bySide) const {
  using namespace bitboards;
  const Mask* own = PieceSet[bySide];
  const Mask jumpers = own[kKnight] | (ZelmarMode ? own[kQueen] : 0);
  Mask found = (PawnAttackers[bySide][square] & own[kPawn]) | (KnightMask[square] & jumpers) |
               (KingMask[square] & own[kKing]);
  const Mask occupied = ColorSet[cWhite] | ColorSet[cBlack];
  const Mask straight = own[kRook] | own[kQueen];
  const Mask diagonal = own[kBishop] | own[kQueen];
  for (int r = 0; r < 8; ++r) {
    const Mask sliders = RayStraight[r] ? straight : diagonal;
    if (!(Rays[r][square] & sliders)) continue;
    const int b = FirstBlocker(r, square, occupied);
    if (sliders & Bit(b)) found |= Bit(b);
  }
  return found;
}

// For a side in check: the target squares that may answer the check with a piece other than the
// king (taking the single checker or stepping between it and the king). Any other move of such a
// piece leaves the king attacked, so it can be passed over without playing it. All squares when the
// side has more than one king.
inline bitboards::Mask TSearchBoard::EvasionTargets() const {
  using namespace bitboards;
  const Mask kings = PieceSet[Side][kKing];
  if (!kings || (kings & (kings - 1))) return ~Mask{0};
  const int k = FirstSquare(kings);
  const Mask checkers = Attackers(k, Other);
  if (!checkers || (checkers & (checkers - 1))) return checkers ? 0 : ~Mask{0};
  const int c = FirstSquare(checkers);
  const int r = RayTowards[k][c];
  return checkers | (r < 0 ? 0 : Rays[r][k] & Rays[r ^ 4][c]);
}

// Whether a move of the side in check surely leaves its king attacked: a move of a piece other than
// the king, not en passant (it may take the checker beside its target), onto no evasion target.
inline bool TSearchBoard::MissesEvasion(TSearchMove m, bitboards::Mask targets) const {
  return !(targets & bitboards::Bit(m.To)) && !(m.Flags & mfEnPassant) && BoardPiece[m.From] != kKing;
}

// Whether the first king of the side (in square order) is attacked; false without a king.
inline bool TSearchBoard::InCheck(int side) const {
  const bitboards::Mask kings = PieceSet[side][kKing];
  if (!kings) return false;
  return IsAttacked(bitboards::FirstSquare(kings), side ^ 1);
}

// Whether castling to the given target may pass: the squares between empty and the king's path safe.
inline bool TSearchBoard::CastleSquaresFree(int to) const {
  auto empty = [this](int s) { return BoardColor[s] == cEmpty; };
  switch (to) {
    case 62:
      return empty(61) && empty(62) && !IsAttacked(61, Other) && !IsAttacked(62, Other);
    case 58:
      return empty(57) && empty(58) && empty(59) && !IsAttacked(58, Other) && !IsAttacked(59, Other);
    case 6:
      return empty(5) && empty(6) && !IsAttacked(5, Other) && !IsAttacked(6, Other);
    case 2:
      return empty(1) && empty(2) && empty(3) && !IsAttacked(2, Other) && !IsAttacked(3, Other);
    default:
      return false;
  }
}

// Plays a pseudo-legal move; refuses (position unchanged) a castling that may not pass or any move
// that leaves the mover's king attacked.
inline bool TSearchBoard::DoMove(TSearchMove m) {
  return DoMoveKnowingCheck(m, InCheck(Side));
}

// Whether the mover's king is attacked after a move, given that it was not attacked before. Only a
// king move, a second king, a castling or an en-passant capture (two squares emptied) needs the full
// test; any other move can only open the one line from the king through the square it left.
inline bool TSearchBoard::MoverLeftInCheck(TSearchMove m, int mover) const {
  using namespace bitboards;
  const Mask kings = PieceSet[mover][kKing];
  if (!kings) return false;
  if ((kings & (kings - 1)) || (m.Flags & (mfCastle | mfEnPassant)) || (kings & Bit(m.To)))
    return InCheck(mover);
  const int k = FirstSquare(kings);
  const int r = RayTowards[k][m.From];
  if (r < 0) return false;
  const Mask* foe = PieceSet[mover ^ 1];
  const Mask sliders = foe[kQueen] | (RayStraight[r] ? foe[kRook] : foe[kBishop]);
  if (!(Rays[r][k] & sliders)) return false;
  const int b = FirstBlocker(r, k, ColorSet[cWhite] | ColorSet[cBlack]);
  return (sliders & Bit(b)) != 0;
}

// DoMove for a caller that already knows whether the side to move is in check.
inline bool TSearchBoard::DoMoveKnowingCheck(TSearchMove m, bool sideInCheck) {
  const int from = m.From;
  const int to = m.To;
  // 1. Castling: the king may not be in check nor cross or land on an attacked square; the rook jumps.
  if (m.Flags & mfCastle) {
    if (sideInCheck || !CastleSquaresFree(to)) return false;
  }
  // 2. Record what take-back needs.
  TUndo& u = UndoStack[Ply];
  u.Move = m;
  u.Captured = BoardPiece[to];
  u.CastleRights = CastleRights;
  u.EpSquare = EpSquare;
  std::memcpy(u.ColorSet, ColorSet, sizeof ColorSet);
  std::memcpy(u.PieceSet, PieceSet, sizeof PieceSet);
  std::memcpy(u.BonusSum, BonusSum, sizeof BonusSum);
  ++Ply;
  if (m.Flags & mfCastle) {
    const int rookFrom = to == 62 ? 63 : to == 58 ? 56 : to == 6 ? 7 : 0;
    const int rookTo = to == 62 ? 61 : to == 58 ? 59 : to == 6 ? 5 : 3;
    Shift(rookFrom, rookTo);
  }
  // 3.-4. Rights and en-passant square.
  CastleRights &= tables::CastleKeepMask[from] & tables::CastleKeepMask[to];
  EpSquare = (m.Flags & mfDoublePush) ? (Side == cWhite ? to + 8 : to - 8) : -1;
  // 5. Move the piece, promoting when asked.
  if (BoardColor[to] != cEmpty) Remove(to);
  if (m.Flags & mfPromotion) {
    Remove(from);
    Put(to, Side, m.Promotion);
  } else {
    Shift(from, to);
  }
  // 6. The pawn taken en passant stands beside the target.
  if (m.Flags & mfEnPassant) Remove(Side == cWhite ? to + 8 : to - 8);
  // 7.-8. Hand over the move; a mover left in check takes it back.
  Other = Side;
  Side ^= 1;
  if (sideInCheck ? InCheck(Other) : MoverLeftInCheck(m, Other)) {
    UndoMove();
    return false;
  }
  return true;
}

// Takes back the last move played by DoMove: the sets and sums come back from the record, the board
// squares are put back one by one.
inline void TSearchBoard::UndoMove() {
  Other = Side;
  Side ^= 1;
  --Ply;
  const TUndo& u = UndoStack[Ply];
  CastleRights = u.CastleRights;
  EpSquare = u.EpSquare;
  std::memcpy(ColorSet, u.ColorSet, sizeof ColorSet);
  std::memcpy(PieceSet, u.PieceSet, sizeof PieceSet);
  std::memcpy(BonusSum, u.BonusSum, sizeof BonusSum);
  const int from = u.Move.From;
  const int to = u.Move.To;
  BoardColor[from] = static_cast<std::int8_t>(Side);
  BoardPiece[from] = (u.Move.Flags & mfPromotion) ? std::int8_t{kPawn} : BoardPiece[to];
  BoardColor[to] = static_cast<std::int8_t>(u.Captured == kNone ? cEmpty : Other);
  BoardPiece[to] = static_cast<std::int8_t>(u.Captured);
  if (u.Move.Flags & mfCastle) {
    const int rookHome = to == 62 ? 63 : to == 58 ? 56 : to == 6 ? 7 : 0;
    const int rookNow = to == 62 ? 61 : to == 58 ? 59 : to == 6 ? 5 : 3;
    BoardColor[rookHome] = static_cast<std::int8_t>(Side);
    BoardPiece[rookHome] = kRook;
    BoardColor[rookNow] = cEmpty;
    BoardPiece[rookNow] = kNone;
  }
  if (u.Move.Flags & mfEnPassant) {
    const int victim = Side == cWhite ? to + 8 : to - 8;
    BoardColor[victim] = static_cast<std::int8_t>(Other);
    BoardPiece[victim] = kPawn;
  }
}

}  // namespace zelmar
