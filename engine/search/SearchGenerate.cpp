// Pseudo-legal move generation of the search, in the fixed order that move ordering relies on:
// squares 0..63, directions in table order, then castling, then en passant.
#include <array>

#include "engine/search/ChessSearch.h"
#include "engine/search/SearchTables.h"

namespace zelmar {

namespace {
constexpr int CaptureBase = 1000000;

// The ray of the bit sets that follows a sliding direction given as a mailbox offset.
constexpr int RayOfOffset(int offset) {
  for (int r = 0; r < 8; ++r)
    if (bitboards::RayOffsets[r] == offset) return r;
  return 0;
}

// Ray index of each sliding direction place of each kind.
constexpr auto SlideRay = [] {
  std::array<std::array<int, 8>, 6> rays{};
  for (int k = 0; k < 6; ++k)
    for (int j = 0; j < 8; ++j) rays[k][j] = RayOfOffset(tables::Directions[k][j]);
  return rays;
}();
}  // namespace

// Appends one move with its ordering score; a pawn reaching the last rank becomes four promotions.
void TChessSearch::AddMove(int from, int to, int flags) {
  if ((flags & mfPawnMove) && (Side == cWhite ? to <= 7 : to >= 56)) {
    AddPromotions(from, to, flags);
    return;
  }
  int& end = ListEnd[Ply];
  if (end >= MaxMoveList) return;
  TScoredMove& e = MoveList[end++];
  e.Move = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), 0,
            static_cast<std::uint8_t>(flags)};
  e.Score =
      (flags & mfCapture) ? CaptureBase + 10 * BoardPiece[to] - BoardPiece[from] : HistoryScore[from][to];
}

// Appends the four promotions (knight, bishop, rook, queen), each scored by the piece it makes.
void TChessSearch::AddPromotions(int from, int to, int flags) {
  int& end = ListEnd[Ply];
  for (int k = kKnight; k <= kQueen; ++k) {
    if (end >= MaxMoveList) return;
    TScoredMove& e = MoveList[end++];
    e.Move = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), static_cast<std::uint8_t>(k),
              static_cast<std::uint8_t>(flags | mfPromotion)};
    e.Score = CaptureBase + 10 * k;
  }
}

// Every square a piece of the kind could reach from s on an empty board.
inline bitboards::Mask TChessSearch::ReachMask(int kind, int s) const {
  using namespace bitboards;
  switch (kind) {
    case kKnight:
      return KnightMask[s];
    case kBishop:
      return DiagonalLines[s];
    case kRook:
      return StraightLines[s];
    case kQueen:
      return DiagonalLines[s] | StraightLines[s] | (ZelmarMode ? KnightMask[s] : 0);
    default:
      return KingMask[s];
  }
}

// AddMove for a piece other than a pawn: never a promotion.
inline void TChessSearch::AddPieceMove(int from, int to, int flags) {
  int& end = ListEnd[Ply];
  if (end >= MaxMoveList) return;
  TScoredMove& e = MoveList[end++];
  e.Move = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), 0,
            static_cast<std::uint8_t>(flags)};
  e.Score = flags ? CaptureBase + 10 * BoardPiece[to] - BoardPiece[from] : HistoryScore[from][to];
}

// Pawn moves of one square; a pawn already on its last rank has none.
void TChessSearch::GeneratePawn(int s, bool capturesOnly) {
  const int f = FileOfSq(s);
  if (Side == cWhite) {
    if (s <= 7) return;
    if (f != 0 && BoardColor[s - 9] == cBlack) AddMove(s, s - 9, mfCapture | mfPawnMove);
    if (f != 7 && BoardColor[s - 7] == cBlack) AddMove(s, s - 7, mfCapture | mfPawnMove);
    if (BoardColor[s - 8] == cEmpty && (!capturesOnly || s <= 15)) {
      AddMove(s, s - 8, mfPawnMove);
      if (!capturesOnly && s >= 48 && BoardColor[s - 16] == cEmpty)
        AddMove(s, s - 16, mfPawnMove | mfDoublePush);
    }
  } else {
    if (s >= 56) return;
    if (f != 0 && BoardColor[s + 7] == cWhite) AddMove(s, s + 7, mfCapture | mfPawnMove);
    if (f != 7 && BoardColor[s + 9] == cWhite) AddMove(s, s + 9, mfCapture | mfPawnMove);
    if (BoardColor[s + 8] == cEmpty && (!capturesOnly || s >= 48)) {
      AddMove(s, s + 8, mfPawnMove);
      if (!capturesOnly && s <= 15 && BoardColor[s + 16] == cEmpty)
        AddMove(s, s + 16, mfPawnMove | mfDoublePush);
    }
  }
}

// Castling from the rights, offered only while king and rook stand on their home squares.
void TChessSearch::AddCastlings() {
  auto holds = [this](int s, int kind) { return BoardColor[s] == Side && BoardPiece[s] == kind; };
  if (Side == cWhite) {
    if (!holds(60, kKing)) return;
    if ((CastleRights & crWhiteKingSide) && holds(63, kRook)) AddMove(60, 62, mfCastle);
    if ((CastleRights & crWhiteQueenSide) && holds(56, kRook)) AddMove(60, 58, mfCastle);
  } else {
    if (!holds(4, kKing)) return;
    if ((CastleRights & crBlackKingSide) && holds(7, kRook)) AddMove(4, 6, mfCastle);
    if ((CastleRights & crBlackQueenSide) && holds(0, kRook)) AddMove(4, 2, mfCastle);
  }
}

// En-passant captures onto the empty passed-over square, when the enemy pawn stands behind it.
void TChessSearch::AddEnPassant() {
  const int e = EpSquare;
  if (e < 0 || BoardColor[e] != cEmpty) return;
  const int f = FileOfSq(e);
  constexpr int flags = mfCapture | mfEnPassant | mfPawnMove;
  auto pawnOf = [this](int s, int color) {
    return s >= 0 && s < 64 && BoardColor[s] == color && BoardPiece[s] == kPawn;
  };
  if (Side == cWhite) {
    if (!pawnOf(e + 8, cBlack)) return;
    if (f != 0 && pawnOf(e + 7, cWhite)) AddMove(e + 7, e, flags);
    if (f != 7 && pawnOf(e + 9, cWhite)) AddMove(e + 9, e, flags);
  } else {
    if (!pawnOf(e - 8, cWhite)) return;
    if (f != 0 && pawnOf(e - 9, cBlack)) AddMove(e - 9, e, flags);
    if (f != 7 && pawnOf(e - 7, cBlack)) AddMove(e - 7, e, flags);
  }
}

// All pseudo-legal moves of the side to move, appended as the current ply's list.
void TChessSearch::GenerateMoves() {
  ListEnd[Ply] = ListStart[Ply];
  for (bitboards::Mask own = ColorSet[Side]; own; own &= own - 1) {
    const int s = bitboards::FirstSquare(own);
    const int kind = BoardPiece[s];
    if (kind == kPawn) {
      GeneratePawn(s, false);
      continue;
    }
    const int* dirs = tables::Directions[kind];
    const int count = DirectionCount[kind];
    const bool slides = tables::Slides[kind];
    const int home = tables::MailboxIndex[s];
    for (int j = 0; j < count; ++j) {
      const int step = dirs[j];
      const bool ray = slides && j <= 7;
      for (int cell = home + step;; cell += step) {
        const int t = tables::MailboxCells[cell];
        if (t < 0) break;
        if (BoardColor[t] != cEmpty) {
          if (BoardColor[t] == Other) AddPieceMove(s, t, mfCapture);
          break;
        }
        AddPieceMove(s, t, 0);
        if (!ray) break;
      }
    }
  }
  AddCastlings();
  AddEnPassant();
  ListStart[Ply + 1] = ListEnd[Ply];
}

// The side's pawns that have a capture or a step onto the last rank: exactly those for which the
// captures-only pawn generator adds something.
bitboards::Mask TChessSearch::ActivePawns(bitboards::Mask pawns, bitboards::Mask enemy,
                                          bitboards::Mask empty) const {
  constexpr bitboards::Mask FileA = 0x0101010101010101ull;
  constexpr bitboards::Mask FileH = 0x8080808080808080ull;
  constexpr bitboards::Mask SeventhRow = 0x000000000000FF00ull;  // White's last step starts here
  constexpr bitboards::Mask SecondRow = 0x00FF000000000000ull;   // and Black's here
  if (Side == cWhite)
    return pawns & (((enemy << 9) & ~FileA) | ((enemy << 7) & ~FileH) | ((empty << 8) & SeventhRow));
  return pawns & (((enemy >> 7) & ~FileA) | ((enemy >> 9) & ~FileH) | ((empty >> 8) & SecondRow));
}

// Captures only (and pawn steps onto the last rank), for the quiescence search. A slider's capture
// along a ray is the first occupied square of that ray, found from the occupancy at once.
void TChessSearch::GenerateCaptures() {
  ListEnd[Ply] = ListStart[Ply];
  const bitboards::Mask occupied = ColorSet[cWhite] | ColorSet[cBlack];
  const bitboards::Mask enemy = ColorSet[Other];
  const bitboards::Mask pawns = PieceSet[Side][kPawn];
  // Pawns without a capture or a step onto the last rank add nothing: leave them out at once.
  const bitboards::Mask busy = (ColorSet[Side] & ~pawns) | ActivePawns(pawns, enemy, ~occupied);
  for (bitboards::Mask own = busy; own; own &= own - 1) {
    const int s = bitboards::FirstSquare(own);
    const int kind = BoardPiece[s];
    if (kind == kPawn) {
      GeneratePawn(s, true);
      continue;
    }
    const bitboards::Mask reach = ReachMask(kind, s) & enemy;
    if (!reach) continue;  // nothing of the enemy in reach at all
    int j = 0;
    // 1. Sliding directions: the capture is the first occupied square, when the ray holds an enemy.
    if (tables::Slides[kind]) {
      const int slideCount = kind == kQueen ? 8 : 4;
      for (; j < slideCount; ++j) {
        const int r = SlideRay[kind][j];
        if (!(bitboards::Rays[r][s] & enemy)) continue;
        const int t = bitboards::FirstBlocker(r, s, occupied);
        if (enemy & bitboards::Bit(t)) AddPieceMove(s, t, mfCapture);
      }
    }
    // 2. Jumps and king steps, in table order, until no enemy is left among their targets.
    const int count = DirectionCount[kind];
    if (j >= count) continue;
    bitboards::Mask left = kind == kQueen ? reach & bitboards::KnightMask[s] : reach;
    const int* dirs = tables::Directions[kind];
    const int home = tables::MailboxIndex[s];
    for (; left && j < count; ++j) {
      const int t = tables::MailboxCells[home + dirs[j]];
      if (t < 0 || !(left & bitboards::Bit(t))) continue;
      AddPieceMove(s, t, mfCapture);
      left &= ~bitboards::Bit(t);
    }
  }
  AddEnPassant();
  ListStart[Ply + 1] = ListEnd[Ply];
}

}  // namespace zelmar
