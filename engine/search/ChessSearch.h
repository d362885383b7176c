// The computer player's search: iterative-deepening alpha-beta with quiescence over its own board,
// the move ordering (history, best lines, picking) and what one search carries to the next. All state
// is inline; nothing is allocated while searching.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>

#include "engine/search/SearchBitboards.h"
#include "engine/search/SearchBoard.h"
#include "engine/search/SearchDefs.h"

namespace zelmar {

// What one completed iteration of the deepening found: the answer a stopped search gives.
struct TIterationResult {
  int Depth = 0;  // 0 until the first iteration completes
  int Score = 0;
  std::uint64_t Nodes = 0;  // nodes of the whole search so far
  int LineLength = 0;
  TSearchMove Line[MaxPly] = {};

  TSearchMove BestMove() const { return Line[0]; }
};

class TChessSearch {
 public:
  // Called on the searching thread after each completed iteration (for thinking output).
  using TIterationHook = std::function<void(const TIterationResult&)>;

  TChessSearch();

  // Sets the queen kind's moves: queen plus knight jumps in Zelmar mode, else a plain queen.
  void SetZelmarMode(bool on) { board_.SetZelmarMode(on); }

  // Loads the root position and builds the placement tables for it (search steps 1 to 6).
  void LoadRoot(const TSearchRoot& root) { board_.LoadRoot(root); }
  // Loads the root and deepens from 1 to root.Depth; the answer is BestMove().
  void RunSearch(const TSearchRoot& root);

  // The first move of the best line (kept from earlier searches when the root had no legal move).
  TSearchMove BestMove() const { return BestLine[0][0]; }
  // The second move of the best line of the last search, the reply it expects; false when that line
  // is shorter.
  bool ExpectedReply(TSearchMove& reply) const;
  // The value returned by the last completed iteration.
  int LastScore() const { return LastIterationScore; }
  // Search plus quiescence entries of the last RunSearch.
  std::uint64_t Nodes() const { return NodeCount; }
  // The last iteration of the last RunSearch that ran to its end before any stop request; an
  // iteration cut short by a stop leaves the best line half-updated, so a stopped search answers
  // with this instead of BestMove().
  const TIterationResult& Completed() const { return LastCompleted; }
  // Installs (or with an empty function removes) the per-iteration hook; set it between searches.
  void SetIterationHook(TIterationHook hook) { IterationHook = std::move(hook); }

  // The current position as a root (for tests and tools that walk through games).
  TSearchRoot CurrentRoot(int depth) const { return board_.CurrentRoot(depth); }

  // Takes over what the next search starts from (the best lines the last search left) and the last
  // search's answer (move, score, nodes), so that another object searches on exactly as `from` would.
  // Neither object may be searching.
  void CarryFrom(const TChessSearch& from);
  // The moves the next search tries first, ply by ply, while its first path follows them: row 0 of the
  // best lines, the one part of what a search carries over that the next search reads before writing
  // it, and of each move only its squares (the history table is cleared by every search, the other
  // rows are written before they are read, and a stopped search alone may read them stale).
  using TCarriedLine = std::array<TSearchMove, PlyBound>;
  TCarriedLine CarriedLine() const;
  // Makes `line` what the next search follows, exactly as if a search had left it. Not while searching.
  void SetCarriedLine(const TCarriedLine& line);
  // The root after the legal move from -> to (search squares, a8 = 0) of `root`, promoting to the
  // kind given (kKnight..kQueen; ignored unless the move promotes), with root's depth and mode; false
  // when no such legal move exists. Uses this object's board, none of what a search carries over.
  bool RootAfter(const TSearchRoot& root, int from, int to, int promotion, TSearchRoot& after) {
    return board_.RootAfter(root, from, to, promotion, after);
  }

  // Leaves this move out at the root of the following searches (to find the best other move); the
  // empty move, the default, leaves nothing out. Never set on a search whose answer must be exact.
  void ExcludeRootMove(TSearchMove m) { ExcludedRootMove = m; }

  // Counts the legal move paths of the loaded position to the given depth.
  std::uint64_t Perft(int depth) { return board_.Perft(depth); }

  // Set by another thread to abandon a search; read at every node of the main search.
  std::atomic<bool> StopRequest{false};

  // Pieces of tests and tools that look inside: the board's steps as the search takes them.
  int Evaluate() const { return board_.Evaluate(); }
  // Lists the current ply's moves as the search does, quiet moves scored by its history.
  void GenerateMoves() {
    board_.GenerateMoves(HistoryScore);
    PickAheadAt[board_.CurrentPly()] = -1;
  }
  void GenerateCaptures() {
    board_.GenerateCaptures();
    PickAheadAt[board_.CurrentPly()] = -1;
  }
  // Test hook: lists, as the current ply's list, the moves the search in check tries off the best
  // line, the ones that may answer the check (all but castling when not in check), in no particular
  // order; returns how many entries GenerateMoves would write, before any cut at the bound.
  int ListEvasions() {
    PickAheadAt[board_.CurrentPly()] = -1;
    return board_.ListEvasions(HistoryScore);
  }
  bool DoMove(TSearchMove m) { return board_.DoMove(m); }
  void UndoMove() { board_.UndoMove(); }
  bool InCheck(int side) const { return board_.InCheck(side); }
  int ListBegin() const { return board_.ListBegin(); }
  int ListFinish() const { return board_.ListFinish(); }
  const TScoredMove& ListEntry(int i) const { return board_.Entries()[i]; }
  int SideToMove() const { return board_.SideToMove(); }
  int PieceAt(int s) const { return board_.PieceAt(s); }
  int ColorAt(int s) const { return board_.ColorAt(s); }
  // Test hooks: run the main search as if the position stood at the given ply, and make the current
  // ply's move list begin at the given entry (to probe the depth and list bounds).
  int SearchAtPly(int ply, int depth);
  void SetListBegin(int start) { board_.SetListBegin(start); }
  // Test hook: picks the entry the search tries at place i of the current list (i counts up from
  // ListBegin(), one call per place, as the search's loops call it).
  const TScoredMove& PickEntry(int i);

 private:
  int Search(int alpha, int beta, int depth);
  int SearchLeaf(int alpha, int beta);
  int Quiesce(int alpha, int beta);
  // What QuiesceMove did with a move.
  enum class TTried { Refused, Searched, CutOff };
  TTried QuiesceMove(TSearchMove m, bool inCheck, int& alpha, int beta);
  int QuiesceEvasions(int alpha, int beta, bitboards::Mask targets);
  int QuiescePicks(int alpha, int beta, bool inCheck, bitboards::Mask evasions, int i, bool picked,
                   bool anyLegal);
  void MarkBestLineMove();
  void PickBest(int i);
  int ScanForBest(int i);
  void UpdateBestLine(TSearchMove m);

  TSearchBoard board_;

  // Move ordering.
  TSearchBoard::THistoryTable HistoryScore;
  // The entry the next pick of each ply's list takes, when the last scan already found it (for the
  // pick at PickAheadAt, else -1).
  int PickAheadAt[MaxPly];
  int PickAheadEntry[MaxPly];
  TSearchMove BestLine[MaxPly][MaxPly];
  int BestLineLength[MaxPly];
  bool FollowBestLine = false;
  TSearchMove ExcludedRootMove;

  // Results.
  std::uint64_t NodeCount = 0;
  int LastIterationScore = 0;
  TIterationResult LastCompleted;
  TIterationHook IterationHook;
};

}  // namespace zelmar
