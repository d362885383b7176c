// A plain, slow search written straight from the rules of the computer player, kept to check the
// fast engine against: same moves, same order, same scores, same nodes.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/search/SearchDefs.h"

namespace zelmar::reference {

class TReferenceSearch {
 public:
  TReferenceSearch();

  void SetZelmarMode(bool on);
  void LoadRoot(const TSearchRoot& root);
  void RunSearch(const TSearchRoot& root);
  TSearchMove BestMove() const { return BestLine[0][0]; }
  int LastScore() const { return LastIterationScore; }
  std::uint64_t Nodes() const { return NodeCount; }
  std::uint64_t Perft(int depth);

  void BuildSquareBonus();
  int Evaluate();
  void GenerateMoves();
  void GenerateCaptures();
  bool DoMove(TSearchMove m);
  void UndoMove();
  bool InCheck(int side);
  bool IsAttacked(int square, int bySide);
  int ListBegin() const { return ListStart[Ply]; }
  int ListFinish() const { return ListEnd[Ply]; }
  const TScoredMove& ListEntry(int i) const { return MoveList[i]; }
  // Test hooks, as the engine's: search as if at the given ply, and begin the current list elsewhere.
  int SearchAtPly(int ply, int depth);
  void SetListBegin(int start) { ListStart[Ply] = start; }

  std::atomic<bool> StopRequest{false};

 private:
  struct TUndo {
    TSearchMove Move;
    int Captured;
    int CastleRights;
    int EpSquare;
  };

  int Search(int alpha, int beta, int depth);
  int Quiesce(int alpha, int beta);
  void Generate(bool capturesOnly);
  void AddMove(int from, int to, int flags);
  void AddPromotions(int from, int to, int flags);
  void MarkBestLineMove();
  void PickBest(int i);
  bool Stopped() const { return StopRequest.load(std::memory_order_relaxed); }

  int MailboxCells[120];
  int MailboxIndex[64];
  int DirectionCount[6];
  int Directions[6][16];
  bool Slides[6];
  int CastleKeepMask[64];

  int BoardColor[64];
  int BoardPiece[64];
  int SideToMove = cWhite;
  int OtherSide = cBlack;
  int CastleRights = 0;
  int EpSquare = -1;
  int Ply = 0;
  bool Zelmar = false;

  int SquareBonus[2][6][64];

  TScoredMove MoveList[MaxMoveList];
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

}  // namespace zelmar::reference
