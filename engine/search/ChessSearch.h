// The computer player's search: a private board, pseudo-legal generation, make and take-back,
// iterative-deepening alpha-beta with quiescence, and the static evaluation. All state is inline;
// nothing is allocated while searching.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "engine/search/SearchBitboards.h"
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

  // Sets the queen kind's directions: 16 (queen plus knight jumps) in Zelmar mode, else 8.
  void SetZelmarMode(bool on);

  // Loads the root position and builds the placement tables for it (search steps 1 to 6).
  void LoadRoot(const TSearchRoot& root);
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
  TSearchRoot CurrentRoot(int depth) const;

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
  bool RootAfter(const TSearchRoot& root, int from, int to, int promotion, TSearchRoot& after);

  // Leaves this move out at the root of the following searches (to find the best other move); the
  // empty move, the default, leaves nothing out. Never set on a search whose answer must be exact.
  void ExcludeRootMove(TSearchMove m) { ExcludedRootMove = m; }

  // Counts the legal move paths of the loaded position to the given depth.
  std::uint64_t Perft(int depth);

  // Set by another thread to abandon a search; read at every node of the main search.
  std::atomic<bool> StopRequest{false};

  // Pieces of tests and tools that look inside.
  void BuildSquareBonus();
  int Evaluate() const;
  void GenerateMoves();
  void GenerateCaptures();
  // Test hook: lists, as the current ply's list, the moves the search in check tries off the best
  // line, the ones that may answer the check (all but castling when not in check), in no particular
  // order; returns how many entries GenerateMoves would write, before any cut at the bound.
  int ListEvasions();
  bool DoMove(TSearchMove m);
  bool DoMoveKnowingCheck(TSearchMove m, bool sideInCheck);
  void UndoMove();
  bool InCheck(int side) const;
  bool IsAttacked(int square, int bySide) const;
  int ListBegin() const { return ListStart[Ply]; }
  int ListFinish() const { return ListEnd[Ply]; }
  const TScoredMove& ListEntry(int i) const { return MoveList[i]; }
  int SideToMove() const { return Side; }
  int PieceAt(int s) const { return BoardPiece[s]; }
  int ColorAt(int s) const { return BoardColor[s]; }
  int CurrentPly() const { return Ply; }
  // Test hooks: run the main search as if the position stood at the given ply, and make the current
  // ply's move list begin at the given entry (to probe the depth and list bounds).
  int SearchAtPly(int ply, int depth);
  void SetListBegin(int start) { ListStart[Ply] = start; }
  // Test hook: picks the entry the search tries at place i of the current list (i counts up from
  // ListBegin(), one call per place, as the search's loops call it).
  const TScoredMove& PickEntry(int i);

 private:
  // Pawn-structure terms of one placement of both sides' pawns, for the current search's tables.
  struct TPawnEntry {
    bitboards::Mask Pawns[2];
    std::uint32_t Generation;
    int Score[2];
  };
  static constexpr int PawnCacheBits = 10;

  struct TUndo {
    TSearchMove Move;
    int Captured;
    int CastleRights;
    int EpSquare;
    // The square sets and placement sums before the move: take-back copies them back.
    bitboards::Mask ColorSet[2];
    bitboards::Mask PieceSet[2][6];
    int BonusSum[2];
  };

  int Search(int alpha, int beta, int depth);
  int SearchLeaf(int alpha, int beta);
  int Quiesce(int alpha, int beta);
  // What QuiesceMove did with a move.
  enum class TTried { Refused, Searched, CutOff };
  TTried QuiesceMove(TSearchMove m, bool inCheck, int& alpha, int beta);
  int QuiesceEvasions(int alpha, int beta, bitboards::Mask targets);
  int QuiescePicks(int alpha, int beta, bool inCheck, bitboards::Mask evasions, int i, bool picked,
                   bool anyLegal);
  bitboards::Mask SlideAttacks(int kind, int s, bitboards::Mask occupied) const;
  std::int32_t CaptureScore(int from, int to) const;
  void AddPawnMove(TScoredMove*& out, int from, int to, int flags) const;
  template <bool Up>
  void AddRayMoves(TScoredMove*& out, int s, int r, bitboards::Mask occupied, bitboards::Mask enemy) const;
  template <bool Up>
  void AddRayCapture(TScoredMove*& out, int s, int r, bitboards::Mask occupied, bitboards::Mask enemy) const;
  void AddStepMoves(TScoredMove*& out, int s, bitboards::Mask targets) const;
  bitboards::Mask ReachMask(int kind, int s) const;
  void AddCastlings(TScoredMove*& out) const;
  void AddEnPassant(TScoredMove*& out) const;
  void GeneratePawn(TScoredMove*& out, int s, bool capturesOnly) const;
  TScoredMove* GenerateEvasions(TScoredMove* out, bitboards::Mask targets, int& whole) const;
  void CloseList(const TScoredMove* out);
  bitboards::Mask ActivePawns(bitboards::Mask pawns, bitboards::Mask enemy, bitboards::Mask empty) const;
  void MarkBestLineMove();
  void PickBest(int i);
  int ScanForBest(int i);
  void UpdateBestLine(TSearchMove m);
  void PawnTerms(unsigned ownFiles, unsigned foeFiles, int c, int& score) const;
  const TPawnEntry& PawnEntryFor(bitboards::Mask white, bitboards::Mask black, const unsigned* files) const;
  bool CastleSquaresFree(int to) const;
  bool MoverLeftInCheck(TSearchMove m, int mover) const;
  bitboards::Mask Attackers(int square, int bySide) const;
  bitboards::Mask EvasionTargets() const;
  bool MissesEvasion(TSearchMove m, bitboards::Mask targets) const;

  void Put(int s, int color, int kind);
  void Remove(int s);
  void Shift(int from, int to);
  void ClearBoard();

  // Position.
  std::int8_t BoardColor[64];
  std::int8_t BoardPiece[64];
  bitboards::Mask ColorSet[2];
  bitboards::Mask PieceSet[2][6];
  int Side = cWhite;
  int Other = cBlack;
  int CastleRights = 0;
  int EpSquare = -1;
  int Ply = 0;
  bool ZelmarMode = false;
  int DirectionCount[6];

  // Evaluation kept in step with the board: the placement sums of each side.
  int BonusSum[2];
  // Pawn-structure terms already worked out in this search (entries of older searches are stale).
  mutable TPawnEntry PawnCache[1 << PawnCacheBits];
  // The last placement each ply evaluated, looked at before the table.
  mutable TPawnEntry PawnMemo[MaxPly];
  std::uint32_t PawnGeneration = 0;
  int SquareBonus[2][6][64];

  // Search tables.
  // Room for one whole position's moves past the bound, so generators write without checking: no
  // piece has more than 35 moves (a Zelmar's 27 slides and 8 jumps), plus two castlings, two
  // en-passant captures and one entry written and dropped.
  static constexpr int MaxPositionMoves = 64 * 35 + 5;
  TScoredMove MoveList[MaxMoveList + MaxPositionMoves];
  int ListStart[MaxPly];
  int ListEnd[MaxPly];
  std::int32_t HistoryScore[64][64];
  // The entry the next pick of each ply's list takes, when the last scan already found it (for the
  // pick at PickAheadAt, else -1).
  int PickAheadAt[MaxPly];
  int PickAheadEntry[MaxPly];
  TUndo UndoStack[MaxPly];
  TSearchMove BestLine[MaxPly][MaxPly];
  int BestLineLength[MaxPly];
  bool FollowBestLine = false;
  TSearchMove ExcludedRootMove;
  std::uint64_t NodeCount = 0;
  int LastIterationScore = 0;
  TIterationResult LastCompleted;
  TIterationHook IterationHook;
};

}  // namespace zelmar

#include "engine/search/ChessSearchBoard.h"
