// The computer player's board: the position as square tables and bit sets, make and take-back, the
// attack tests, pseudo-legal generation into the per-ply move lists, perft, and the static evaluation
// whose placement sums every make and take-back keeps in step. All state is inline; nothing is
// allocated while searching.
#pragma once

#include <cstdint>

#include "engine/search/SearchBitboards.h"
#include "engine/search/SearchDefs.h"

namespace zelmar {

class TSearchBoard {
 public:
  // The search's ordering score of each quiet move by its squares, read by generation.
  using THistoryTable = std::int32_t[64][64];

  // The scores given to quiet moves where their order does not matter (counting, finding a move).
  static const THistoryTable NoHistory;

  TSearchBoard();

  // Sets the queen kind's moves: queen plus knight jumps in Zelmar mode, else a plain queen.
  void SetZelmarMode(bool on) { ZelmarMode = on; }

  // Loads the root position and builds the placement tables for it (search steps 1 to 6).
  void LoadRoot(const TSearchRoot& root);
  // The current position as a root.
  TSearchRoot CurrentRoot(int depth) const;
  // The root after the legal move from -> to (search squares, a8 = 0) of `root`, promoting to the
  // kind given (kKnight..kQueen; ignored unless the move promotes), with root's depth and mode; false
  // when no such legal move exists. Loads `root` to find it.
  bool RootAfter(const TSearchRoot& root, int from, int to, int promotion, TSearchRoot& after);
  // Counts the legal move paths of the loaded position to the given depth.
  std::uint64_t Perft(int depth);

  // All pseudo-legal moves of the side to move, appended as the current ply's list, quiet moves
  // scored by `history`.
  void GenerateMoves(const THistoryTable& history = NoHistory);
  // Captures only (and pawn steps onto the last rank), for the quiescence search.
  void GenerateCaptures();
  // For a side in check: the entries of GenerateMoves' list that may answer the check onto the
  // targets (see EvasionTargets), written from out on in no particular order, and the length of that
  // whole list.
  TScoredMove* GenerateEvasions(TScoredMove* out, bitboards::Mask targets, int& whole,
                                const THistoryTable& history) const;
  // Lists the evasions as the current ply's list; returns how many entries GenerateMoves would write,
  // before any cut at the bound.
  int ListEvasions(const THistoryTable& history);

  // Make and take-back, and the attack and check tests, inline because every node uses them.
  bool DoMove(TSearchMove m);
  bool DoMoveKnowingCheck(TSearchMove m, bool sideInCheck);
  void UndoMove();
  bool InCheck(int side) const;
  bool IsAttacked(int square, int bySide) const;
  bitboards::Mask EvasionTargets() const;
  bool MissesEvasion(TSearchMove m, bitboards::Mask targets) const;

  // Score of the side to move minus the other side's, in centipawns.
  int Evaluate() const;

  // The current ply's move list: its entries run from ListBegin() to ListFinish() of Entries().
  TScoredMove* Entries() { return MoveList; }
  const TScoredMove* Entries() const { return MoveList; }
  int ListBegin() const { return ListStart[Ply]; }
  int ListFinish() const { return ListEnd[Ply]; }
  // Ends the current ply's list at `end`, and begins the next ply's list there.
  void CloseListAt(int end) { ListEnd[Ply] = ListStart[Ply + 1] = end; }
  // Takes every entry of this move out of the current ply's list; the next ply's list still begins
  // where it did.
  void RemoveFromList(TSearchMove m);
  // Makes the current ply's move list begin at the given entry (to probe the list bound).
  void SetListBegin(int start) { ListStart[Ply] = start; }

  int SideToMove() const { return Side; }
  int PieceAt(int s) const { return BoardPiece[s]; }
  int ColorAt(int s) const { return BoardColor[s]; }
  int CurrentPly() const { return Ply; }
  // Makes the position stand at the given ply (to probe the depth bound); returns the ply it left.
  int MoveToPly(int ply) {
    const int left = Ply;
    Ply = ply;
    return left;
  }

 private:
  // Pawn-structure terms of one placement of both sides' pawns, for the current root's tables.
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

  bitboards::Mask SlideAttacks(int kind, int s, bitboards::Mask occupied) const;
  std::int32_t CaptureScore(int from, int to) const;
  void AddPawnMove(TScoredMove*& out, int from, int to, int flags, const THistoryTable& history) const;
  template <bool Up>
  void AddRayMoves(TScoredMove*& out, int s, int r, bitboards::Mask occupied, bitboards::Mask enemy,
                   const THistoryTable& history) const;
  template <bool Up>
  void AddRayCapture(TScoredMove*& out, int s, int r, bitboards::Mask occupied, bitboards::Mask enemy) const;
  void AddStepMoves(TScoredMove*& out, int s, bitboards::Mask targets, const THistoryTable& history) const;
  bitboards::Mask ReachMask(int kind, int s) const;
  void AddCastlings(TScoredMove*& out, const THistoryTable& history) const;
  void AddEnPassant(TScoredMove*& out, const THistoryTable& history) const;
  void GeneratePawn(TScoredMove*& out, int s, bool capturesOnly, const THistoryTable& history) const;
  void CloseList(const TScoredMove* out);
  bitboards::Mask ActivePawns(bitboards::Mask pawns, bitboards::Mask enemy, bitboards::Mask empty) const;
  bool CastleSquaresFree(int to) const;
  bool MoverLeftInCheck(TSearchMove m, int mover) const;
  bitboards::Mask Attackers(int square, int bySide) const;

  void BuildSquareBonus();
  void PawnTerms(unsigned ownFiles, unsigned foeFiles, int c, int& score) const;
  const TPawnEntry& PawnEntryFor(bitboards::Mask white, bitboards::Mask black, const unsigned* files) const;

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

  // Evaluation kept in step with the board: the placement sums of each side.
  int BonusSum[2];
  // Pawn-structure terms already worked out for this root's tables (entries of older roots are stale).
  mutable TPawnEntry PawnCache[1 << PawnCacheBits];
  // The last placement each ply evaluated, looked at before the table.
  mutable TPawnEntry PawnMemo[MaxPly];
  std::uint32_t PawnGeneration = 0;
  int SquareBonus[2][6][64];

  // Move lists, one per ply, each beginning where the ply above's ends. Room for one whole position's
  // moves past the bound, so generators write without checking: no piece has more than 35 moves (a
  // Zelmar's 27 slides and 8 jumps), plus two castlings, two en-passant captures and one entry
  // written and dropped.
  static constexpr int MaxPositionMoves = 64 * 35 + 5;
  TScoredMove MoveList[MaxMoveList + MaxPositionMoves];
  int ListStart[MaxPly];
  int ListEnd[MaxPly];
  TUndo UndoStack[MaxPly];
};

}  // namespace zelmar

#include "engine/search/SearchBoardMake.h"
