#include "tools/zelmar-engine/BoardFromFen.h"

#include "engine/Fen.h"

namespace zelmar {

std::string SetUpFromFen(TChessBrd& board, std::string_view fen) {
  board.ResetToStart();
  if (fen == "startpos") return {};
  std::string error;
  const std::optional<TFenRecord> record = ReadFen(fen, &error);
  if (!record) return error;
  // The board takes an en-passant square only where a double step can just have passed over it.
  if (record->EnPassant != 0 && !EnPassantFitsDoubleStep(*record))
    return "bad en-passant square '" + SquareName(SquareOf(record->EnPassant)) + "'";
  CastleSet rights;
  if (record->WhiteKingSide) rights.Include(WhiteKingSide);
  if (record->WhiteQueenSide) rights.Include(WhiteQueenSide);
  if (record->BlackKingSide) rights.Include(BlackKingSide);
  if (record->BlackQueenSide) rights.Include(BlackQueenSide);
  board.SetPosition(record->Placement);
  board.SetWhiteToMove(record->WhiteToMove);
  board.SetCastlingAllowed(rights);
  if (record->EnPassant != 0) board.SetEnPassant(SquareOf(record->EnPassant));
  return {};
}

}  // namespace zelmar
