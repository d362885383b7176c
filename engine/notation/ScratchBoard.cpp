// Copies of a position on a board of their own.
#include "engine/notation/ScratchBoard.h"

namespace zelmar {

void CopyPosition(const TChessBrd& board, TChessBrd& scratch) {
  scratch.SetZelmarMode(board.ZelmarMode());
  scratch.SetPosition(board.GetPosition());
  scratch.SetWhiteToMove(board.WhiteToMove());
  scratch.SetCastlingAllowed(board.CastlingAllowed());
  scratch.SetEnPassant(board.EnPassant());
}

void LoadEntry(const MoveInfo& entry, bool whiteToMove, bool zelmar, TChessBrd& scratch) {
  scratch.SetZelmarMode(zelmar);
  scratch.SetPosition(entry.Position);
  scratch.SetWhiteToMove(whiteToMove);
  scratch.SetCastlingAllowed(entry.Castling);
  scratch.SetEnPassant(entry.EnPassant);
}

// The board's attack test with no move applied (both squares None) looks at the position as it stands.
bool SideToMoveInCheck(const TChessBrd& board) {
  return board.WhiteToMove() ? board.WhiteKingAttackedAfter(Square::None, Square::None)
                             : board.BlackKingAttackedAfter(Square::None, Square::None);
}

}  // namespace zelmar
