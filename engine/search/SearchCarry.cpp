// What one search hands on to the next: the pieces a search started ahead of time (while the player
// thinks) needs to begin exactly where the real one would.
#include <algorithm>
#include <cstring>

#include "engine/search/ChessSearch.h"

namespace zelmar {

// The best lines steer the next search's move order (its first iterations follow row 0); the history
// table is cleared by every search, and the board, its move lists and pawn terms are rebuilt from the root.
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

}  // namespace zelmar
