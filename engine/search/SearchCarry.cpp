// What one search hands on to the next, and the root one move further on: the pieces a search started
// ahead of time (while the player thinks) needs to begin exactly where the real one would.
#include <algorithm>
#include <cstring>

#include "engine/search/ChessSearch.h"

namespace zelmar {

// The best lines steer the next search's move order (its first iterations follow row 0); the history
// table is cleared by every search, and the board, move lists and pawn terms are rebuilt from the root.
void TChessSearch::CarryFrom(const TChessSearch& from) {
  if (&from == this) return;
  std::memcpy(BestLine, from.BestLine, sizeof BestLine);
  std::memcpy(BestLineLength, from.BestLineLength, sizeof BestLineLength);
  NodeCount = from.NodeCount;
  LastIterationScore = from.LastIterationScore;
}

// Every ply the main search or quiescence can reach looks at its own entry of row 0 while following,
// whether or not the last search's line reached that far, so the whole row to the bound is carried.
TChessSearch::TCarriedLine TChessSearch::CarriedLine() const {
  TCarriedLine line;
  for (int p = 0; p < PlyBound; ++p) line[p] = {BestLine[0][p].From, BestLine[0][p].To, 0, 0};
  return line;
}

void TChessSearch::SetCarriedLine(const TCarriedLine& line) {
  std::copy(line.begin(), line.end(), BestLine[0]);
}

bool TChessSearch::ExpectedReply(TSearchMove& reply) const {
  if (BestLineLength[0] < 2) return false;
  reply = BestLine[0][1];
  return true;
}

// Loads the root, finds the legal move among the generated ones and plays it.
bool TChessSearch::RootAfter(const TSearchRoot& root, int from, int to, int promotion, TSearchRoot& after) {
  SetZelmarMode(root.ZelmarMode);
  LoadRoot(root);
  const bool inCheck = InCheck(Side);
  GenerateMoves();
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

}  // namespace zelmar
