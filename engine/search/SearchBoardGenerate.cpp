// Pseudo-legal move generation of the search board, in the fixed order that move ordering relies on:
// squares 0..63, directions in table order (each ray nearest square first), then castling, then en
// passant. Entries are written without a bound check: the list has room for one whole position past
// MaxMoveList, and each generator cuts its list back to MaxMoveList when it ends. For the search in
// check, GenerateEvasions writes only the part of the whole list that may answer the check, and
// counts the whole list's length.
#include <algorithm>
#include <array>

#include "engine/search/SearchBoard.h"
#include "engine/search/SearchTables.h"

namespace zelmar {

using bitboards::FileA;
using bitboards::FileH;
using bitboards::Mask;

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

// A slider's rays in its table order: the rays toward lower squares come first for every kind.
constexpr int BishopRays[4] = {SlideRay[kBishop][0], SlideRay[kBishop][1], SlideRay[kBishop][2],
                               SlideRay[kBishop][3]};
constexpr int RookRays[4] = {SlideRay[kRook][0], SlideRay[kRook][1], SlideRay[kRook][2], SlideRay[kRook][3]};
static_assert(BishopRays[0] >= 4 && BishopRays[1] >= 4 && BishopRays[2] < 4 && BishopRays[3] < 4);
static_assert(RookRays[0] >= 4 && RookRays[1] >= 4 && RookRays[2] < 4 && RookRays[3] < 4);
static_assert(SlideRay[kQueen][3] >= 4 && SlideRay[kQueen][4] < 4);

// The knight's and the king's table orders are ascending square order, so their targets can be taken
// from a set lowest square first.
constexpr bool AscendingSteps(int kind) {
  constexpr int centre = 27;  // every step from here stays on the board
  int previous = -1;
  for (int j = 0; j < 8; ++j) {
    const int t = tables::MailboxCells[tables::MailboxIndex[centre] + tables::Directions[kind][j]];
    if (t <= previous) return false;
    previous = t;
  }
  return true;
}
static_assert(AscendingSteps(kKnight) && AscendingSteps(kKing) &&
              tables::Directions[kQueen][8] == tables::Directions[kKnight][0]);

// Writes one entry and moves the write position on.
inline void Emit(TScoredMove*& out, int from, int to, int flags, std::int32_t score) {
  out->Move = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), 0,
               static_cast<std::uint8_t>(flags)};
  out->Score = score;
  ++out;
}

// Squares of a set, nearest to the ray's start first: lowest first on rays toward higher squares.
template <bool Up>
inline int NextOnRay(Mask m) {
  return Up ? bitboards::FirstSquare(m) : bitboards::LastSquare(m);
}
}  // namespace

// Ordering score of a capture: the victim's kind first, then the cheaper attacker.
inline std::int32_t TSearchBoard::CaptureScore(int from, int to) const {
  return CaptureBase + 10 * BoardPiece[to] - BoardPiece[from];
}

// Appends a pawn move; a pawn reaching the last rank becomes four promotions (knight, bishop, rook,
// queen), each scored by the piece it makes.
inline void TSearchBoard::AddPawnMove(TScoredMove*& out, int from, int to, int flags,
                                      const THistoryTable& history) const {
  if (Side == cWhite ? to <= 7 : to >= 56) {
    for (int k = kKnight; k <= kQueen; ++k) {
      out->Move = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                   static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(flags | mfPromotion)};
      out->Score = CaptureBase + 10 * k;
      ++out;
    }
    return;
  }
  Emit(out, from, to, flags, (flags & mfCapture) ? CaptureScore(from, to) : history[from][to]);
}

// Every square a piece of the kind could reach from s on an empty board.
inline Mask TSearchBoard::ReachMask(int kind, int s) const {
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

// Pawn moves of one square; a pawn already on its last rank has none.
inline void TSearchBoard::GeneratePawn(TScoredMove*& out, int s, bool capturesOnly,
                                       const THistoryTable& history) const {
  const int f = FileOfSq(s);
  constexpr int capture = mfCapture | mfPawnMove;
  if (Side == cWhite) {
    if (s <= 7) return;
    if (f != 0 && BoardColor[s - 9] == cBlack) AddPawnMove(out, s, s - 9, capture, history);
    if (f != 7 && BoardColor[s - 7] == cBlack) AddPawnMove(out, s, s - 7, capture, history);
    if (BoardColor[s - 8] == cEmpty && (!capturesOnly || s <= 15)) {
      AddPawnMove(out, s, s - 8, mfPawnMove, history);
      if (!capturesOnly && s >= 48 && BoardColor[s - 16] == cEmpty)
        AddPawnMove(out, s, s - 16, mfPawnMove | mfDoublePush, history);
    }
  } else {
    if (s >= 56) return;
    if (f != 0 && BoardColor[s + 7] == cWhite) AddPawnMove(out, s, s + 7, capture, history);
    if (f != 7 && BoardColor[s + 9] == cWhite) AddPawnMove(out, s, s + 9, capture, history);
    if (BoardColor[s + 8] == cEmpty && (!capturesOnly || s >= 48)) {
      AddPawnMove(out, s, s + 8, mfPawnMove, history);
      if (!capturesOnly && s <= 15 && BoardColor[s + 16] == cEmpty)
        AddPawnMove(out, s, s + 16, mfPawnMove | mfDoublePush, history);
    }
  }
}

// The nearest square of a ray's occupied squares; some square of the board when there is none.
template <bool Up>
inline int NearestOrAny(Mask hits) {
  return Up ? bitboards::FirstSquare(hits | bitboards::Bit(63))
            : bitboards::LastSquare(hits | bitboards::Bit(0));
}

// The squares along ray r from s up to and including the first occupied one (to the edge when none).
template <bool Up>
inline Mask RayReach(int r, int s, Mask occupied) {
  const Mask ray = bitboards::Rays[r][s];
  const Mask hits = ray & occupied;
  return hits ? ray & ~bitboards::Rays[r][NearestOrAny<Up>(hits)] : ray;
}

// A slider's capture along one ray: the nearest occupied square, when it holds an enemy. The entry is
// written in any case and kept only then, which spares a branch the predictor often loses.
template <bool Up>
inline void TSearchBoard::AddRayCapture(TScoredMove*& out, int s, int r, Mask occupied, Mask enemy) const {
  const Mask hits = bitboards::Rays[r][s] & occupied;
  const int blocker = NearestOrAny<Up>(hits);
  Emit(out, s, blocker, mfCapture, CaptureScore(s, blocker));
  out -= (hits & enemy & bitboards::Bit(blocker)) == 0;
}

// A slider's moves along one ray: the empty squares nearest first, then the first occupied square
// when it holds an enemy.
template <bool Up>
inline void TSearchBoard::AddRayMoves(TScoredMove*& out, int s, int r, Mask occupied, Mask enemy,
                                      const THistoryTable& history) const {
  using namespace bitboards;
  const Mask ray = Rays[r][s];
  const Mask hits = ray & occupied;
  const int blocker = NearestOrAny<Up>(hits);
  Mask quiet = hits ? ray & ~(Rays[r][blocker] | Bit(blocker)) : ray;
  const std::int32_t* scores = history[s];
  while (quiet) {
    const int t = NextOnRay<Up>(quiet);
    quiet &= ~Bit(t);
    Emit(out, s, t, 0, scores[t]);
  }
  Emit(out, s, blocker, mfCapture, CaptureScore(s, blocker));
  out -= (hits & enemy & Bit(blocker)) == 0;
}

// Moves onto a set of single-step targets (knight jumps, king steps), lowest square first.
inline void TSearchBoard::AddStepMoves(TScoredMove*& out, int s, Mask targets,
                                       const THistoryTable& history) const {
  const std::int32_t* scores = history[s];
  for (; targets; targets &= targets - 1) {
    const int t = bitboards::FirstSquare(targets);
    if (BoardColor[t] == Other)
      Emit(out, s, t, mfCapture, CaptureScore(s, t));
    else
      Emit(out, s, t, 0, scores[t]);
  }
}

// Castling from the rights, offered only while king and rook stand on their home squares.
inline void TSearchBoard::AddCastlings(TScoredMove*& out, const THistoryTable& history) const {
  auto holds = [this](int s, int kind) { return BoardColor[s] == Side && BoardPiece[s] == kind; };
  if (Side == cWhite) {
    if (!holds(60, kKing)) return;
    if ((CastleRights & crWhiteKingSide) && holds(63, kRook)) Emit(out, 60, 62, mfCastle, history[60][62]);
    if ((CastleRights & crWhiteQueenSide) && holds(56, kRook)) Emit(out, 60, 58, mfCastle, history[60][58]);
  } else {
    if (!holds(4, kKing)) return;
    if ((CastleRights & crBlackKingSide) && holds(7, kRook)) Emit(out, 4, 6, mfCastle, history[4][6]);
    if ((CastleRights & crBlackQueenSide) && holds(0, kRook)) Emit(out, 4, 2, mfCastle, history[4][2]);
  }
}

// En-passant captures onto the empty passed-over square, when the enemy pawn stands behind it.
inline void TSearchBoard::AddEnPassant(TScoredMove*& out, const THistoryTable& history) const {
  const int e = EpSquare;
  if (e < 0 || BoardColor[e] != cEmpty) return;
  const int f = FileOfSq(e);
  constexpr int flags = mfCapture | mfEnPassant | mfPawnMove;
  auto pawnOf = [this](int s, int color) {
    return s >= 0 && s < 64 && BoardColor[s] == color && BoardPiece[s] == kPawn;
  };
  if (Side == cWhite) {
    if (!pawnOf(e + 8, cBlack)) return;
    if (f != 0 && pawnOf(e + 7, cWhite)) AddPawnMove(out, e + 7, e, flags, history);
    if (f != 7 && pawnOf(e + 9, cWhite)) AddPawnMove(out, e + 9, e, flags, history);
  } else {
    if (!pawnOf(e - 8, cWhite)) return;
    if (f != 0 && pawnOf(e - 9, cBlack)) AddPawnMove(out, e - 9, e, flags, history);
    if (f != 7 && pawnOf(e - 7, cBlack)) AddPawnMove(out, e - 7, e, flags, history);
  }
}

// Ends the current ply's list at the write position, cut back to the list's bound.
inline void TSearchBoard::CloseList(const TScoredMove* out) {
  ListEnd[Ply] = std::min(static_cast<int>(out - MoveList), MaxMoveList);
  ListStart[Ply + 1] = ListEnd[Ply];
}

// All pseudo-legal moves of the side to move, appended as the current ply's list.
void TSearchBoard::GenerateMoves(const THistoryTable& history) {
  using namespace bitboards;
  TScoredMove* out = MoveList + ListStart[Ply];
  const Mask ownSet = ColorSet[Side];
  const Mask enemy = ColorSet[Other];
  const Mask occupied = ownSet | enemy;
  for (Mask own = ownSet; own; own &= own - 1) {
    const int s = FirstSquare(own);
    switch (BoardPiece[s]) {
      case kPawn:
        GeneratePawn(out, s, false, history);
        break;
      case kKnight:
        AddStepMoves(out, s, KnightMask[s] & ~ownSet, history);
        break;
      case kBishop:
        AddRayMoves<false>(out, s, BishopRays[0], occupied, enemy, history);
        AddRayMoves<false>(out, s, BishopRays[1], occupied, enemy, history);
        AddRayMoves<true>(out, s, BishopRays[2], occupied, enemy, history);
        AddRayMoves<true>(out, s, BishopRays[3], occupied, enemy, history);
        break;
      case kRook:
        AddRayMoves<false>(out, s, RookRays[0], occupied, enemy, history);
        AddRayMoves<false>(out, s, RookRays[1], occupied, enemy, history);
        AddRayMoves<true>(out, s, RookRays[2], occupied, enemy, history);
        AddRayMoves<true>(out, s, RookRays[3], occupied, enemy, history);
        break;
      case kQueen:
        AddRayMoves<false>(out, s, SlideRay[kQueen][0], occupied, enemy, history);
        AddRayMoves<false>(out, s, SlideRay[kQueen][1], occupied, enemy, history);
        AddRayMoves<false>(out, s, SlideRay[kQueen][2], occupied, enemy, history);
        AddRayMoves<false>(out, s, SlideRay[kQueen][3], occupied, enemy, history);
        AddRayMoves<true>(out, s, SlideRay[kQueen][4], occupied, enemy, history);
        AddRayMoves<true>(out, s, SlideRay[kQueen][5], occupied, enemy, history);
        AddRayMoves<true>(out, s, SlideRay[kQueen][6], occupied, enemy, history);
        AddRayMoves<true>(out, s, SlideRay[kQueen][7], occupied, enemy, history);
        if (ZelmarMode) AddStepMoves(out, s, KnightMask[s] & ~ownSet, history);
        break;
      default:
        AddStepMoves(out, s, KingMask[s] & ~ownSet, history);
        break;
    }
  }
  AddCastlings(out, history);
  AddEnPassant(out, history);
  CloseList(out);
}

// The side's pawns that have a capture or a step onto the last rank: exactly those for which the
// captures-only pawn generator adds something.
Mask TSearchBoard::ActivePawns(Mask pawns, Mask enemy, Mask empty) const {
  constexpr Mask SeventhRow = bitboards::RowSquares(1);  // White's last step starts here
  constexpr Mask SecondRow = bitboards::RowSquares(6);   // and Black's here
  if (Side == cWhite)
    return pawns & (((enemy << 9) & ~FileA) | ((enemy << 7) & ~FileH) | ((empty << 8) & SeventhRow));
  return pawns & (((enemy >> 7) & ~FileA) | ((enemy >> 9) & ~FileH) | ((empty >> 8) & SecondRow));
}

// Captures only (and pawn steps onto the last rank), for the quiescence search. A slider's capture
// along a ray is the first occupied square of that ray, found from the occupancy at once. Every entry
// is scored by its pieces, none by the history.
void TSearchBoard::GenerateCaptures() {
  using namespace bitboards;
  const THistoryTable& history = NoHistory;
  TScoredMove* out = MoveList + ListStart[Ply];
  const Mask occupied = ColorSet[cWhite] | ColorSet[cBlack];
  const Mask enemy = ColorSet[Other];
  const Mask pawns = PieceSet[Side][kPawn];
  // Pawns without a capture or a step onto the last rank add nothing: leave them out at once.
  const Mask busy = (ColorSet[Side] & ~pawns) | ActivePawns(pawns, enemy, ~occupied);
  for (Mask own = busy; own; own &= own - 1) {
    const int s = FirstSquare(own);
    const int kind = BoardPiece[s];
    if (kind == kPawn) {
      GeneratePawn(out, s, true, history);
      continue;
    }
    const Mask reach = ReachMask(kind, s) & enemy;
    if (!reach) continue;  // nothing of the enemy in reach at all
    // 1. Sliding directions in table order: the capture is the first occupied square of a ray.
    Mask jumps = reach;
    if (kind == kBishop || kind == kRook) {
      const int* rays = kind == kBishop ? BishopRays : RookRays;
      AddRayCapture<false>(out, s, rays[0], occupied, enemy);
      AddRayCapture<false>(out, s, rays[1], occupied, enemy);
      AddRayCapture<true>(out, s, rays[2], occupied, enemy);
      AddRayCapture<true>(out, s, rays[3], occupied, enemy);
      continue;
    }
    if (kind == kQueen) {
      AddRayCapture<false>(out, s, SlideRay[kQueen][0], occupied, enemy);
      AddRayCapture<false>(out, s, SlideRay[kQueen][1], occupied, enemy);
      AddRayCapture<false>(out, s, SlideRay[kQueen][2], occupied, enemy);
      AddRayCapture<false>(out, s, SlideRay[kQueen][3], occupied, enemy);
      AddRayCapture<true>(out, s, SlideRay[kQueen][4], occupied, enemy);
      AddRayCapture<true>(out, s, SlideRay[kQueen][5], occupied, enemy);
      AddRayCapture<true>(out, s, SlideRay[kQueen][6], occupied, enemy);
      AddRayCapture<true>(out, s, SlideRay[kQueen][7], occupied, enemy);
      jumps &= ZelmarMode ? KnightMask[s] : 0;
    }
    // 2. Jumps and king steps, lowest square first (their table order).
    for (; jumps; jumps &= jumps - 1) {
      const int t = FirstSquare(jumps);
      Emit(out, s, t, mfCapture, CaptureScore(s, t));
    }
  }
  AddEnPassant(out, history);
  CloseList(out);
}

// The squares a bishop, rook or queen (its sliding lines only) on s reaches: each ray's empty squares
// and its first occupied one.
Mask TSearchBoard::SlideAttacks(int kind, int s, Mask occupied) const {
  Mask reach = 0;
  if (kind != kBishop)
    reach |= RayReach<true>(0, s, occupied) | RayReach<true>(2, s, occupied) |
             RayReach<false>(4, s, occupied) | RayReach<false>(6, s, occupied);
  if (kind != kRook)
    reach |= RayReach<true>(1, s, occupied) | RayReach<true>(3, s, occupied) |
             RayReach<false>(5, s, occupied) | RayReach<false>(7, s, occupied);
  return reach;
}

// For a side in check: the entries of GenerateMoves' list that may answer the check onto the targets
// (see EvasionTargets), written from out on in no particular order, and the length of that whole
// list, counted from the sets. The answers are every king move but castling (never allowed in check),
// any other move onto a target, and en passant. The pawns are counted all at once (a promotion is four
// entries), every other piece by the squares it reaches that its side does not hold.
TScoredMove* TSearchBoard::GenerateEvasions(TScoredMove* out, Mask targets, int& whole,
                                            const THistoryTable& history) const {
  using namespace bitboards;
  const Mask ownSet = ColorSet[Side];
  const Mask enemy = ColorSet[Other];
  const Mask occupied = ownSet | enemy;
  const Mask empty = ~occupied;
  const Mask pawns = PieceSet[Side][kPawn];
  // 1. Pawns: steps, double steps from the two home rows, captures to either side (a pawn already on
  //    its last row has none). Those that may reach a target are written, keeping the moves onto one.
  Mask step, twice, left, right, lastRow, nearTargets;
  if (Side == cWhite) {
    lastRow = RowSquares(0);
    const Mask p = pawns & ~lastRow;
    step = (p >> 8) & empty;
    twice = ((((p & (RowSquares(6) | RowSquares(7))) >> 8) & empty) >> 8) & empty;
    left = ((p & ~FileA) >> 9) & enemy;
    right = ((p & ~FileH) >> 7) & enemy;
    nearTargets = (targets << 7) | (targets << 8) | (targets << 9) | (targets << 16);
  } else {
    lastRow = RowSquares(7);
    const Mask p = pawns & ~lastRow;
    step = (p << 8) & empty;
    twice = ((((p & (RowSquares(0) | RowSquares(1))) << 8) & empty) << 8) & empty;
    left = ((p & ~FileA) << 7) & enemy;
    right = ((p & ~FileH) << 9) & enemy;
    nearTargets = (targets >> 7) | (targets >> 8) | (targets >> 9) | (targets >> 16);
  }
  int n = CountSquares(step) + CountSquares(twice) + CountSquares(left) + CountSquares(right);
  if ((step | left | right) & lastRow)
    n += 3 * (CountSquares(step & lastRow) + CountSquares(left & lastRow) + CountSquares(right & lastRow));
  for (Mask near = pawns & nearTargets; near; near &= near - 1) {
    TScoredMove* const begin = out;
    GeneratePawn(out, FirstSquare(near), false, history);
    out = std::remove_if(begin, out, [targets](const TScoredMove& e) { return !(targets & Bit(e.Move.To)); });
  }
  // 2. Every other piece: all the squares it reaches counted, those on a target (any, for the king)
  //    written.
  for (Mask rest = ownSet & ~pawns; rest; rest &= rest - 1) {
    const int s = FirstSquare(rest);
    const int kind = BoardPiece[s];
    Mask reach;
    if (kind == kKnight) {
      reach = KnightMask[s];
    } else if (kind == kKing) {
      reach = KingMask[s];
    } else {
      reach = SlideAttacks(kind, s, occupied) | (kind == kQueen && ZelmarMode ? KnightMask[s] : 0);
    }
    reach &= ~ownSet;
    n += CountSquares(reach);
    AddStepMoves(out, s, kind == kKing ? reach : reach & targets, history);
  }
  // 3. Castling, counted only, and en passant.
  TScoredMove castlings[2];
  TScoredMove* castlingEnd = castlings;
  AddCastlings(castlingEnd, history);
  TScoredMove* const enPassant = out;
  AddEnPassant(out, history);
  whole = n + static_cast<int>(castlingEnd - castlings) + static_cast<int>(out - enPassant);
  return out;
}

int TSearchBoard::ListEvasions(const THistoryTable& history) {
  int whole = 0;
  CloseList(GenerateEvasions(MoveList + ListStart[Ply], EvasionTargets(), whole, history));
  return whole;
}

}  // namespace zelmar
