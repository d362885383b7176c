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

std::string FenPlacement(std::string_view position) {
  std::string fen;
  for (std::size_t rank = 0; rank < 8; ++rank) {
    int empty = 0;
    for (std::size_t file = 0; file < 8; ++file) {
      const std::size_t k = rank * 8 + file;
      const char c = k < position.size() ? position[k] : ' ';
      if (c == ' ') {
        ++empty;
        continue;
      }
      if (empty > 0) fen += static_cast<char>('0' + empty);
      empty = 0;
      fen += c;
    }
    if (empty > 0) fen += static_cast<char>('0' + empty);
    if (rank < 7) fen += '/';
  }
  return fen;
}

}  // namespace zelmar
