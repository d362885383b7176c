// The search board's set-up from a root and back, and the walks over its legal moves.
#include "engine/search/SearchBoard.h"

#include <algorithm>
#include <cstring>

namespace zelmar {

namespace {

// Colour and kind of a board letter: upper case White, lower case Black, anything else empty.
void DecodeLetter(char letter, int& color, int& kind) {
  static constexpr char Letters[] = "pnbrqk";
  color = cEmpty;
  kind = kNone;
  for (int k = 0; k < 6; ++k) {
    if (letter == Letters[k]) {
      color = cBlack;
      kind = k;
    } else if (letter == Letters[k] - 'a' + 'A') {
      color = cWhite;
      kind = k;
    }
  }
}

}  // namespace

const TSearchBoard::THistoryTable TSearchBoard::NoHistory = {};

TSearchBoard::TSearchBoard() {
  ClearBoard();
  std::memset(SquareBonus, 0, sizeof SquareBonus);
  for (TScoredMove& e : MoveList) e = {};
  for (TPawnEntry& e : PawnCache) e = {};
  for (TPawnEntry& e : PawnMemo) e = {};
  std::memset(ListStart, 0, sizeof ListStart);
  std::memset(ListEnd, 0, sizeof ListEnd);
  for (TUndo& u : UndoStack) u = {};
}

// Empties the board and its derived sets and sums.
void TSearchBoard::ClearBoard() {
  std::memset(BoardColor, cEmpty, sizeof BoardColor);
  std::memset(BoardPiece, kNone, sizeof BoardPiece);
  std::memset(ColorSet, 0, sizeof ColorSet);
  std::memset(PieceSet, 0, sizeof PieceSet);
  std::memset(BonusSum, 0, sizeof BonusSum);
}

// Copies the root position, then builds the placement tables for it and the sums they give.
void TSearchBoard::LoadRoot(const TSearchRoot& root) {
  // 1. Squares from the board letters.
  ClearBoard();
  for (int s = 0; s < 64; ++s) {
    int color, kind;
    DecodeLetter(root.Squares[s], color, kind);
    BoardColor[s] = static_cast<std::int8_t>(color);
    BoardPiece[s] = static_cast<std::int8_t>(kind);
  }
  // 2.-5. Side, rights, en-passant square, ply.
  Side = root.WhiteToMove ? cWhite : cBlack;
  Other = Side ^ 1;
  CastleRights = root.CastleRights & 15;
  EpSquare = root.EnPassant - 1;
  if (EpSquare < -1 || EpSquare > 63) EpSquare = -1;
  Ply = 0;
  ListStart[0] = 0;
  // 6. Placement tables for this root; the sets and running sums follow from them.
  BuildSquareBonus();
  for (int s = 0; s < 64; ++s)
    if (BoardColor[s] != cEmpty) Put(s, BoardColor[s], BoardPiece[s]);
}

TSearchRoot TSearchBoard::CurrentRoot(int depth) const {
  static constexpr char White[] = "PNBRQK";
  static constexpr char Black[] = "pnbrqk";
  TSearchRoot root;
  for (int s = 0; s < 64; ++s) {
    const int c = BoardColor[s];
    root.Squares[s] = c == cWhite ? White[BoardPiece[s]] : c == cBlack ? Black[BoardPiece[s]] : ' ';
  }
  root.WhiteToMove = Side == cWhite;
  root.CastleRights = CastleRights;
  root.EnPassant = EpSquare + 1;
  root.Depth = depth;
  root.ZelmarMode = ZelmarMode;
  return root;
}

// Loads the root, finds the legal move among the generated ones and plays it.
bool TSearchBoard::RootAfter(const TSearchRoot& root, int from, int to, int promotion, TSearchRoot& after) {
  SetZelmarMode(root.ZelmarMode);
  LoadRoot(root);
  const bool inCheck = InCheck(Side);
  GenerateMoves(NoHistory);
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    const TSearchMove m = MoveList[i].Move;
    if (m.From != from || m.To != to) continue;
    if ((m.Flags & mfPromotion) && m.Promotion != promotion) continue;
    if (!DoMoveKnowingCheck(m, inCheck)) return false;
    after = CurrentRoot(root.Depth);
    UndoMove();
    return true;
  }
  return false;
}

// Leaf count of the legal move tree below the loaded position.
std::uint64_t TSearchBoard::Perft(int depth) {
  if (depth <= 0 || Ply >= PlyBound) return 1;
  const bool inCheck = InCheck(Side);
  GenerateMoves(NoHistory);
  std::uint64_t count = 0;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (!DoMoveKnowingCheck(MoveList[i].Move, inCheck)) continue;
    count += depth == 1 ? 1 : Perft(depth - 1);
    UndoMove();
  }
  return count;
}

void TSearchBoard::RemoveFromList(TSearchMove m) {
  TScoredMove* begin = MoveList + ListStart[Ply];
  TScoredMove* end = MoveList + ListEnd[Ply];
  const auto same = [m](const TScoredMove& e) { return e.Move == m; };
  ListEnd[Ply] = static_cast<int>(std::remove_if(begin, end, same) - MoveList);
}

}  // namespace zelmar
