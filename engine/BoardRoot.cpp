#include "engine/BoardRoot.h"

#include <algorithm>

#include "engine/ChessBrd.h"

namespace zelmar {

TSearchRoot RootFromBoard(const TChessBrd& board, int depth) {
  TSearchRoot root;
  const char* squares = board.Squares();
  std::copy(squares, squares + 64, root.Squares);
  root.WhiteToMove = board.WhiteToMove();
  root.CastleRights = board.CastlingAllowed().Bits();
  root.EnPassant = Ord(board.EnPassant());
  root.Depth = depth;
  root.ZelmarMode = board.ZelmarMode();
  return root;
}

}  // namespace zelmar
