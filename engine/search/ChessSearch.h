// The computer player's search: a private board, pseudo-legal generation, make and take-back,
// iterative-deepening alpha-beta with quiescence, and the static evaluation. All state is inline;
// nothing is allocated while searching.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/search/SearchBitboards.h"
#include "engine/search/SearchDefs.h"

namespace zelmar {

class TChessSearch {
 public:
  TChessSearch();

  // Sets the queen kind's directions: 16 (queen plus knight jumps) in Zelmar mode, else 8.
  void SetZelmarMode(bool on);

  // Loads the root position and builds the placement tables for it (search steps 1 to 6).
  void LoadRoot(const TSearchRoot& root);
  // Loads the root and deepens from 1 to root.Depth; the answer is BestMove().
  void RunSearch(const TSearchRoot& root);

  // The first move of the best line (kept from earlier searches when the root had no legal move).
  TSearchMove BestMove() const { return BestLine[0][0]; }
  // The value returned by the last completed iteration.
  int LastScore() const { return LastIterationScore; }
  // Search plus quiescence entries of the last RunSearch.
  std::uint64_t Nodes() const { return NodeCount; }

  // The current position as a root (for tests and tools that walk through games).
  TSearchRoot CurrentRoot(int depth) const;

  // Counts the legal move paths of the loaded position to the given depth.
  std::uint64_t Perft(int depth);

  // Set by another thread to abandon a search; read at every node of the main search.
  std::atomic<bool> StopRequest{false};

  // Pieces of tests and tools that look inside.
  void BuildSquareBonus();
  int Evaluate() const;
  void GenerateMoves();
  void GenerateCaptures();
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

 private:
  // Pawn-structure terms of one placement of both sides' pawns, for the current search's tables.
  struct TPawnEntry {
    bitboards::Mask Pawns[2];
    std::uint32_t Generation;
    int Score[2];
  };
  static constexpr int PawnCacheBits = 13;

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
  int Quiesce(int alpha, int beta);
  std::int32_t CaptureScore(int from, int to) const;
  void AddPawnMove(TScoredMove*& out, int from, int to, int flags) const;
  template <bool Up>
  void AddRayMoves(TScoredMove*& out, int s, int r, bitboards::Mask occupied) const;
  void AddStepMoves(TScoredMove*& out, int s, bitboards::Mask targets) const;
  bitboards::Mask ReachMask(int kind, int s) const;
  void AddCastlings(TScoredMove*& out) const;
  void AddEnPassant(TScoredMove*& out) const;
  void GeneratePawn(TScoredMove*& out, int s, bool capturesOnly) const;
  void CloseList(const TScoredMove* out);
  bitboards::Mask ActivePawns(bitboards::Mask pawns, bitboards::Mask enemy, bitboards::Mask empty) const;
  void MarkBestLineMove();
  void PickBest(int i);
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
  // piece has more than 35 moves (a Zelmar's 27 slides and 8 jumps), plus two castlings and two
  // en-passant captures.
  static constexpr int MaxPositionMoves = 64 * 35 + 4;
  TScoredMove MoveList[MaxMoveList + MaxPositionMoves];
  int ListStart[MaxPly];
  int ListEnd[MaxPly];
  std::int32_t HistoryScore[64][64];
  TUndo UndoStack[MaxPly];
  TSearchMove BestLine[MaxPly][MaxPly];
  int BestLineLength[MaxPly];
  bool FollowBestLine = false;
  std::uint64_t NodeCount = 0;
  int LastIterationScore = 0;
};

}  // namespace zelmar

#include "engine/search/ChessSearchBoard.h"
