// The search driver: root loading, iterative deepening, the alpha-beta and quiescence searches and
// the move ordering helpers.
#include "engine/search/ChessSearch.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "engine/search/SearchTables.h"

namespace zelmar {

namespace {
constexpr int BestLineBonus = 10000000;

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

TChessSearch::TChessSearch() {
  ClearBoard();
  std::memcpy(DirectionCount, tables::DirectionCountPlain, sizeof DirectionCount);
  std::memset(SquareBonus, 0, sizeof SquareBonus);
  for (TScoredMove& e : MoveList) e = {};
  for (TPawnEntry& e : PawnCache) e = {};
  for (TPawnEntry& e : PawnMemo) e = {};
  std::memset(ListStart, 0, sizeof ListStart);
  std::memset(ListEnd, 0, sizeof ListEnd);
  std::memset(HistoryScore, 0, sizeof HistoryScore);
  for (TUndo& u : UndoStack) u = {};
  for (auto& row : BestLine)
    for (TSearchMove& m : row) m = {};
  std::memset(BestLineLength, 0, sizeof BestLineLength);
  std::fill(std::begin(PickAheadAt), std::end(PickAheadAt), -1);
  std::memset(PickAheadEntry, 0, sizeof PickAheadEntry);
}

// Empties the board and its derived sets and sums.
void TChessSearch::ClearBoard() {
  std::memset(BoardColor, cEmpty, sizeof BoardColor);
  std::memset(BoardPiece, kNone, sizeof BoardPiece);
  std::memset(ColorSet, 0, sizeof ColorSet);
  std::memset(PieceSet, 0, sizeof PieceSet);
  std::memset(BonusSum, 0, sizeof BonusSum);
}

void TChessSearch::SetZelmarMode(bool on) {
  ZelmarMode = on;
  DirectionCount[kQueen] = on ? 16 : 8;
}

// Copies the root position, then builds the placement tables for it and the sums they give.
void TChessSearch::LoadRoot(const TSearchRoot& root) {
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

TSearchRoot TChessSearch::CurrentRoot(int depth) const {
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

// Searches the root to the requested depth, one iteration per depth, each from the full window.
void TChessSearch::RunSearch(const TSearchRoot& root) {
  LoadRoot(root);
  std::memset(HistoryScore, 0, sizeof HistoryScore);
  NodeCount = 0;
  LastCompleted = {};
  FollowBestLine = true;
  for (int d = 1; d <= root.Depth; ++d) {
    if (StopRequest.load(std::memory_order_relaxed)) continue;
    FollowBestLine = true;
    LastIterationScore = Search(-Infinity, Infinity, d);
    // An iteration counts as completed only when no stop came during it.
    if (StopRequest.load(std::memory_order_relaxed)) continue;
    LastCompleted.Depth = d;
    LastCompleted.Score = LastIterationScore;
    LastCompleted.Nodes = NodeCount;
    LastCompleted.LineLength = std::clamp(BestLineLength[0], 0, MaxPly);
    std::copy_n(BestLine[0], LastCompleted.LineLength, LastCompleted.Line);
    if (IterationHook) IterationHook(LastCompleted);
  }
}

// Gives the previous iteration's move at this ply the first place, while the line is followed. Every
// iteration follows the line at the root, so the root's excluded move is taken out here.
void TChessSearch::MarkBestLineMove() {
  FollowBestLine = false;
  if (Ply == 0 && ExcludedRootMove != TSearchMove{}) {
    TScoredMove* begin = MoveList + ListStart[0];
    TScoredMove* end = MoveList + ListEnd[0];
    const auto excluded = [this](const TScoredMove& e) { return e.Move == ExcludedRootMove; };
    ListEnd[0] = static_cast<int>(std::remove_if(begin, end, excluded) - MoveList);
  }
  const TSearchMove target = BestLine[0][Ply];
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    TScoredMove& e = MoveList[i];
    if (e.Move.From == target.From && e.Move.To == target.To) {
      e.Score += BestLineBonus;
      FollowBestLine = true;
      return;
    }
  }
}

// Swaps the first best-scored of the remaining entries into place i. The entry picked before this
// one (now at i - 1) scored at least as much as every remaining entry, so the first entry that
// matches its score is the answer at once. A full scan also finds the runner-up, and with it the
// answer of the next call, which then needs no scan of its own.
inline void TChessSearch::PickBest(int i) {
  int best = i;
  if (i == PickAheadAt[Ply]) {
    best = PickAheadEntry[Ply];
  } else {
    best = ScanForBest(i);
  }
  if (best != i) std::swap(MoveList[i], MoveList[best]);
}

// The first best-scored entry from i on; when every entry was looked at, also notes the answer the
// call for i + 1 will need after the swap.
inline int TChessSearch::ScanForBest(int i) {
  const TScoredMove* list = MoveList;
  const int end = ListEnd[Ply];
  const std::int32_t first = list[i].Score;
  PickAheadAt[Ply] = -1;
  // 1. Nothing outscores the entry picked last: the first entry that equals it is the answer.
  std::int64_t ceiling = std::numeric_limits<std::int64_t>::max();
  if (i > ListStart[Ply]) {
    ceiling = list[i - 1].Score;
    if (first == ceiling) return i;
  }
  // 2. The first best and the first runner-up of the entries after i.
  constexpr std::int32_t none = std::numeric_limits<std::int32_t>::min();
  std::int32_t top = none, second = none;
  int topAt = -1, secondAt = -1;
  for (int j = i + 1; j < end; ++j) {
    const std::int32_t s = list[j].Score;
    if (s <= second) continue;
    if (s > top) {
      if (s == ceiling) return j;
      second = top;
      secondAt = topAt;
      top = s;
      topAt = j;
    } else {
      second = s;
      secondAt = j;
    }
  }
  // 3. Entry i wins ties, being first. After the swap it stands where the winner stood.
  PickAheadAt[Ply] = i + 1;
  if (topAt < 0 || first >= top) {
    PickAheadEntry[Ply] = topAt;
    return i;
  }
  const bool firstNext = secondAt < 0 || first > second || (first == second && topAt < secondAt);
  PickAheadEntry[Ply] = firstNext ? topAt : secondAt;
  return topAt;
}

// Makes the move the head of this ply's best line, followed by the child's line.
void TChessSearch::UpdateBestLine(TSearchMove m) {
  BestLine[Ply][Ply] = m;
  const int childLength = BestLineLength[Ply + 1];
  for (int j = Ply + 1; j < childLength; ++j) BestLine[Ply][j] = BestLine[Ply + 1][j];
  BestLineLength[Ply] = childLength;
}

// Search at depth 0, as its own node before quiescence's, without the call and tests of the full search.
inline int TChessSearch::SearchLeaf(int alpha, int beta) {
  ++NodeCount;
  if (Ply >= PlyBound) return Evaluate();
  if (StopRequest.load(std::memory_order_relaxed)) return 0;
  return Quiesce(alpha, beta);
}

// Fail-hard negamax with a check extension; returns 0 at once when a stop is requested.
int TChessSearch::Search(int alpha, int beta, int depth) {
  if (depth == 0) return SearchLeaf(alpha, beta);
  ++NodeCount;
  if (Ply >= PlyBound) return Evaluate();
  if (StopRequest.load(std::memory_order_relaxed)) return 0;
  BestLineLength[Ply] = Ply;
  const bool inCheck = InCheck(Side);
  if (inCheck) ++depth;
  GenerateMoves();
  if (FollowBestLine) MarkBestLineMove();
  const bitboards::Mask evasions = inCheck ? EvasionTargets() : 0;
  bool anyLegal = false;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (StopRequest.load(std::memory_order_relaxed)) break;
    PickBest(i);
    const TSearchMove m = MoveList[i].Move;
    if (inCheck && MissesEvasion(m, evasions)) continue;
    if (!DoMoveKnowingCheck(m, inCheck)) continue;
    anyLegal = true;
    const int score = depth > 1 ? -Search(-beta, -alpha, depth - 1) : -SearchLeaf(-beta, -alpha);
    UndoMove();
    if (score > alpha) {
      HistoryScore[m.From][m.To] += depth;
      if (score >= beta) return beta;
      alpha = score;
      UpdateBestLine(m);
    }
  }
  if (!anyLegal) return inCheck ? Ply - Infinity : 0;
  return alpha;
}

// Plays a move of the quiescence search and searches on below it: Refused when the board refuses
// the move, CutOff when its score reaches beta, else Searched, with alpha and the best line raised
// by a better score.
inline TChessSearch::TTried TChessSearch::QuiesceMove(TSearchMove m, bool inCheck, int& alpha, int beta) {
  if (!DoMoveKnowingCheck(m, inCheck)) return TTried::Refused;
  const int x = -Quiesce(-beta, -alpha);
  UndoMove();
  if (x <= alpha) return TTried::Searched;
  if (x >= beta) return TTried::CutOff;
  alpha = x;
  UpdateBestLine(m);
  return TTried::Searched;
}

// Captures-only search with standing pat; in check every move is tried and mate is seen.
int TChessSearch::Quiesce(int alpha, int beta) {
  ++NodeCount;
  if (Ply >= PlyBound) return Evaluate();
  BestLineLength[Ply] = Ply;
  const bool inCheck = InCheck(Side);
  bitboards::Mask evasions = 0;
  if (inCheck) {
    evasions = EvasionTargets();
    if (!FollowBestLine && evasions != ~bitboards::Mask{0}) return QuiesceEvasions(alpha, beta, evasions);
    GenerateMoves();
  } else {
    const int x = Evaluate();
    if (x >= beta) return beta;
    if (x > alpha) alpha = x;
    GenerateCaptures();
  }
  if (FollowBestLine) MarkBestLineMove();
  return QuiescePicks(alpha, beta, inCheck, evasions, ListStart[Ply], false, false);
}

// Quiescence's loop over this ply's list from place i on, in picking order (place i already picked
// when told so), given whether a legal move was already tried.
int TChessSearch::QuiescePicks(int alpha, int beta, bool inCheck, bitboards::Mask evasions, int i,
                               bool picked, bool anyLegal) {
  for (; i < ListEnd[Ply]; ++i, picked = false) {
    if (!picked) PickBest(i);
    const TSearchMove m = MoveList[i].Move;
    if (inCheck && MissesEvasion(m, evasions)) continue;
    const TTried tried = QuiesceMove(m, inCheck, alpha, beta);
    if (tried == TTried::Refused) continue;
    anyLegal = true;
    if (tried == TTried::CutOff) return beta;
  }
  if (!anyLegal && inCheck) return Ply - Infinity;
  return alpha;
}

// Quiescence in check, off the best line, trying the same moves in the same order as the loop over
// the whole list, without writing or picking that list. The picking order takes moves by falling
// score, so only its order among equal scores needs the whole list: when two moves of one score are
// both legal, the list is written and its picks replayed down to that score, and the loop goes on.
int TChessSearch::QuiesceEvasions(int alpha, int beta, bitboards::Mask targets) {
  // 1. The answers, and the whole list's length, which fixes where the next ply's list begins. A
  //    list cut at the bound has lost moves, and only the whole list says which.
  TScoredMove* const first = MoveList + ListStart[Ply];
  int whole = 0;
  TScoredMove* const last = GenerateEvasions(first, targets, whole);
  const int wholeEnd = ListStart[Ply] + whole;
  if (wholeEnd > MaxMoveList) {
    GenerateMoves();
    return QuiescePicks(alpha, beta, true, targets, ListStart[Ply], false, false);
  }
  ListEnd[Ply] = ListStart[Ply + 1] = wholeEnd;
  PickAheadAt[Ply] = -1;
  // 2. The answers by falling score.
  for (TScoredMove* e = first + 1; e < last; ++e) {
    const TScoredMove held = *e;
    TScoredMove* hole = e;
    for (; hole > first && hole[-1].Score < held.Score; --hole) *hole = hole[-1];
    *hole = held;
  }
  // 3. One group of equal scores at a time: its one legal move is tried. When two are legal, the
  //    whole list is written and its picks above this score (the moves already tried) replayed.
  bool anyLegal = false;
  for (TScoredMove* group = first; group < last;) {
    TScoredMove* groupEnd = group + 1;
    while (groupEnd < last && groupEnd->Score == group->Score) ++groupEnd;
    const std::int32_t score = group->Score;
    TSearchMove move = group->Move;
    int legal = 1;  // a group of one is tried as it is
    if (groupEnd - group > 1) {
      legal = 0;
      for (const TScoredMove* e = group; e < groupEnd; ++e) {
        if (!DoMoveKnowingCheck(e->Move, true)) continue;
        UndoMove();
        move = e->Move;
        ++legal;
      }
    }
    group = groupEnd;
    if (legal > 1) {
      GenerateMoves();
      int i = ListStart[Ply];
      for (; i < ListEnd[Ply]; ++i) {
        PickBest(i);
        if (MoveList[i].Score <= score) break;
      }
      return QuiescePicks(alpha, beta, true, targets, i, true, anyLegal);
    }
    if (legal == 0) continue;
    const TTried tried = QuiesceMove(move, true, alpha, beta);
    if (tried == TTried::Refused) continue;
    anyLegal = true;
    if (tried == TTried::CutOff) return beta;
  }
  return anyLegal ? alpha : Ply - Infinity;
}

const TScoredMove& TChessSearch::PickEntry(int i) {
  PickBest(i);
  return MoveList[i];
}

int TChessSearch::SearchAtPly(int ply, int depth) {
  const int saved = Ply;
  Ply = ply;
  NodeCount = 0;
  const int score = Search(-Infinity, Infinity, depth);
  Ply = saved;
  return score;
}

// Leaf count of the legal move tree below the loaded position.
std::uint64_t TChessSearch::Perft(int depth) {
  if (depth <= 0 || Ply >= PlyBound) return 1;
  const bool inCheck = InCheck(Side);
  GenerateMoves();
  std::uint64_t count = 0;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (!DoMoveKnowingCheck(MoveList[i].Move, inCheck)) continue;
    count += depth == 1 ? 1 : Perft(depth - 1);
    UndoMove();
  }
  return count;
}

}  // namespace zelmar
