// The search driver: iterative deepening, the alpha-beta and quiescence searches over the board and
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
}  // namespace

TChessSearch::TChessSearch() {
  std::memset(HistoryScore, 0, sizeof HistoryScore);
  for (auto& row : BestLine)
    for (TSearchMove& m : row) m = {};
  std::memset(BestLineLength, 0, sizeof BestLineLength);
  std::fill(std::begin(PickAheadAt), std::end(PickAheadAt), -1);
  std::memset(PickAheadEntry, 0, sizeof PickAheadEntry);
}

// Searches the root to the requested depth, one iteration per depth, each from the full window.
void TChessSearch::RunSearch(const TSearchRoot& root) {
  board_.LoadRoot(root);
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
  const int ply = board_.CurrentPly();
  if (ply == 0 && ExcludedRootMove != TSearchMove{}) board_.RemoveFromList(ExcludedRootMove);
  const TSearchMove target = BestLine[0][ply];
  TScoredMove* const list = board_.Entries();
  for (int i = board_.ListBegin(); i < board_.ListFinish(); ++i) {
    TScoredMove& e = list[i];
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
  if (i == PickAheadAt[board_.CurrentPly()]) {
    best = PickAheadEntry[board_.CurrentPly()];
  } else {
    best = ScanForBest(i);
  }
  TScoredMove* const list = board_.Entries();
  if (best != i) std::swap(list[i], list[best]);
}

// The first best-scored entry from i on; when every entry was looked at, also notes the answer the
// call for i + 1 will need after the swap.
inline int TChessSearch::ScanForBest(int i) {
  const int ply = board_.CurrentPly();
  const TScoredMove* list = board_.Entries();
  const int end = board_.ListFinish();
  const std::int32_t first = list[i].Score;
  PickAheadAt[ply] = -1;
  // 1. Nothing outscores the entry picked last: the first entry that equals it is the answer.
  std::int64_t ceiling = std::numeric_limits<std::int64_t>::max();
  if (i > board_.ListBegin()) {
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
  PickAheadAt[ply] = i + 1;
  if (topAt < 0 || first >= top) {
    PickAheadEntry[ply] = topAt;
    return i;
  }
  const bool firstNext = secondAt < 0 || first > second || (first == second && topAt < secondAt);
  PickAheadEntry[ply] = firstNext ? topAt : secondAt;
  return topAt;
}

// Makes the move the head of this ply's best line, followed by the child's line.
void TChessSearch::UpdateBestLine(TSearchMove m) {
  const int ply = board_.CurrentPly();
  BestLine[ply][ply] = m;
  const int childLength = BestLineLength[ply + 1];
  for (int j = ply + 1; j < childLength; ++j) BestLine[ply][j] = BestLine[ply + 1][j];
  BestLineLength[ply] = childLength;
}

// Search at depth 0, as its own node before quiescence's, without the call and tests of the full search.
inline int TChessSearch::SearchLeaf(int alpha, int beta) {
  ++NodeCount;
  if (board_.CurrentPly() >= PlyBound) return board_.Evaluate();
  if (StopRequest.load(std::memory_order_relaxed)) return 0;
  return Quiesce(alpha, beta);
}

// Fail-hard negamax with a check extension; returns 0 at once when a stop is requested.
int TChessSearch::Search(int alpha, int beta, int depth) {
  if (depth == 0) return SearchLeaf(alpha, beta);
  ++NodeCount;
  const int ply = board_.CurrentPly();
  if (ply >= PlyBound) return board_.Evaluate();
  if (StopRequest.load(std::memory_order_relaxed)) return 0;
  BestLineLength[ply] = ply;
  const bool inCheck = board_.InCheck(board_.SideToMove());
  if (inCheck) ++depth;
  GenerateMoves();
  if (FollowBestLine) MarkBestLineMove();
  const bitboards::Mask evasions = inCheck ? board_.EvasionTargets() : 0;
  bool anyLegal = false;
  for (int i = board_.ListBegin(); i < board_.ListFinish(); ++i) {
    if (StopRequest.load(std::memory_order_relaxed)) break;
    PickBest(i);
    const TSearchMove m = board_.Entries()[i].Move;
    if (inCheck && board_.MissesEvasion(m, evasions)) continue;
    if (!board_.DoMoveKnowingCheck(m, inCheck)) continue;
    anyLegal = true;
    const int score = depth > 1 ? -Search(-beta, -alpha, depth - 1) : -SearchLeaf(-beta, -alpha);
    board_.UndoMove();
    if (score > alpha) {
      HistoryScore[m.From][m.To] += depth;
      if (score >= beta) return beta;
      alpha = score;
      UpdateBestLine(m);
    }
  }
  if (!anyLegal) return inCheck ? ply - Infinity : 0;
  return alpha;
}

// Plays a move of the quiescence search and searches on below it: Refused when the board refuses
// the move, CutOff when its score reaches beta, else Searched, with alpha and the best line raised
// by a better score.
inline TChessSearch::TTried TChessSearch::QuiesceMove(TSearchMove m, bool inCheck, int& alpha, int beta) {
  if (!board_.DoMoveKnowingCheck(m, inCheck)) return TTried::Refused;
  const int x = -Quiesce(-beta, -alpha);
  board_.UndoMove();
  if (x <= alpha) return TTried::Searched;
  if (x >= beta) return TTried::CutOff;
  alpha = x;
  UpdateBestLine(m);
  return TTried::Searched;
}

// Captures-only search with standing pat; in check every move is tried and mate is seen.
int TChessSearch::Quiesce(int alpha, int beta) {
  ++NodeCount;
  const int ply = board_.CurrentPly();
  if (ply >= PlyBound) return board_.Evaluate();
  BestLineLength[ply] = ply;
  const bool inCheck = board_.InCheck(board_.SideToMove());
  bitboards::Mask evasions = 0;
  if (inCheck) {
    evasions = board_.EvasionTargets();
    if (!FollowBestLine && evasions != ~bitboards::Mask{0}) return QuiesceEvasions(alpha, beta, evasions);
    GenerateMoves();
  } else {
    const int x = board_.Evaluate();
    if (x >= beta) return beta;
    if (x > alpha) alpha = x;
    GenerateCaptures();
  }
  if (FollowBestLine) MarkBestLineMove();
  return QuiescePicks(alpha, beta, inCheck, evasions, board_.ListBegin(), false, false);
}

// Quiescence's loop over this ply's list from place i on, in picking order (place i already picked
// when told so), given whether a legal move was already tried.
int TChessSearch::QuiescePicks(int alpha, int beta, bool inCheck, bitboards::Mask evasions, int i,
                               bool picked, bool anyLegal) {
  for (; i < board_.ListFinish(); ++i, picked = false) {
    if (!picked) PickBest(i);
    const TSearchMove m = board_.Entries()[i].Move;
    if (inCheck && board_.MissesEvasion(m, evasions)) continue;
    const TTried tried = QuiesceMove(m, inCheck, alpha, beta);
    if (tried == TTried::Refused) continue;
    anyLegal = true;
    if (tried == TTried::CutOff) return beta;
  }
  if (!anyLegal && inCheck) return board_.CurrentPly() - Infinity;
  return alpha;
}

// Quiescence in check, off the best line, trying the same moves in the same order as the loop over
// the whole list, without writing or picking that list. The picking order takes moves by falling
// score, so only its order among equal scores needs the whole list: when two moves of one score are
// both legal, the list is written and its picks replayed down to that score, and the loop goes on.
int TChessSearch::QuiesceEvasions(int alpha, int beta, bitboards::Mask targets) {
  // 1. The answers, and the whole list's length, which fixes where the next ply's list begins. A
  //    list cut at the bound has lost moves, and only the whole list says which.
  const int ply = board_.CurrentPly();
  TScoredMove* const first = board_.Entries() + board_.ListBegin();
  int whole = 0;
  TScoredMove* const last = board_.GenerateEvasions(first, targets, whole, HistoryScore);
  const int wholeEnd = board_.ListBegin() + whole;
  if (wholeEnd > MaxMoveList) {
    GenerateMoves();
    return QuiescePicks(alpha, beta, true, targets, board_.ListBegin(), false, false);
  }
  board_.CloseListAt(wholeEnd);
  PickAheadAt[ply] = -1;
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
        if (!board_.DoMoveKnowingCheck(e->Move, true)) continue;
        board_.UndoMove();
        move = e->Move;
        ++legal;
      }
    }
    group = groupEnd;
    if (legal > 1) {
      GenerateMoves();
      int i = board_.ListBegin();
      for (; i < board_.ListFinish(); ++i) {
        PickBest(i);
        if (board_.Entries()[i].Score <= score) break;
      }
      return QuiescePicks(alpha, beta, true, targets, i, true, anyLegal);
    }
    if (legal == 0) continue;
    const TTried tried = QuiesceMove(move, true, alpha, beta);
    if (tried == TTried::Refused) continue;
    anyLegal = true;
    if (tried == TTried::CutOff) return beta;
  }
  return anyLegal ? alpha : ply - Infinity;
}

const TScoredMove& TChessSearch::PickEntry(int i) {
  PickBest(i);
  return board_.Entries()[i];
}

int TChessSearch::SearchAtPly(int ply, int depth) {
  const int saved = board_.MoveToPly(ply);
  NodeCount = 0;
  const int score = Search(-Infinity, Infinity, depth);
  board_.MoveToPly(saved);
  return score;
}

}  // namespace zelmar
