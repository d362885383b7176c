// FEN and move texts for the search's tools and tests.
#include "engine/search/SearchRootText.h"

#include <optional>

#include "engine/Fen.h"

namespace zelmar {

bool RootFromFen(std::string_view fen, TSearchRoot& root, std::string* error) {
  const std::optional<TFenRecord> record = ReadFen(fen, error);
  if (!record) return false;
  for (int s = 0; s < 64; ++s) root.Squares[s] = record->Placement[static_cast<std::size_t>(s)];
  root.WhiteToMove = record->WhiteToMove;
  root.CastleRights =
      (record->WhiteKingSide ? crWhiteKingSide : 0) | (record->WhiteQueenSide ? crWhiteQueenSide : 0) |
      (record->BlackKingSide ? crBlackKingSide : 0) | (record->BlackQueenSide ? crBlackQueenSide : 0);
  root.EnPassant = record->EnPassant;
  return true;
}

std::string FenFromRoot(const TSearchRoot& root) {
  std::string out;
  for (int row = 0; row < 8; ++row) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      const char c = root.Squares[row * 8 + file];
      if (std::string_view("PNBRQKpnbrqk").find(c) == std::string_view::npos || c == 0) {
        ++empty;
        continue;
      }
      if (empty) out += static_cast<char>('0' + empty);
      empty = 0;
      out += c;
    }
    if (empty) out += static_cast<char>('0' + empty);
    if (row < 7) out += '/';
  }
  out += root.WhiteToMove ? " w " : " b ";
  std::string castle;
  if (root.CastleRights & crWhiteKingSide) castle += 'K';
  if (root.CastleRights & crWhiteQueenSide) castle += 'Q';
  if (root.CastleRights & crBlackKingSide) castle += 'k';
  if (root.CastleRights & crBlackQueenSide) castle += 'q';
  out += castle.empty() ? "-" : castle;
  out += ' ';
  out += root.EnPassant >= 1 && root.EnPassant <= 64 ? SquareName(root.EnPassant - 1) : "-";
  return out;
}

std::string SquareName(int s) {
  if (s < 0 || s > 63) return "??";
  return {static_cast<char>('a' + s % 8), static_cast<char>('8' - s / 8)};
}

std::string MoveToText(TSearchMove m) {
  std::string out = SquareName(m.From) + SquareName(m.To);
  if (m.Flags & mfPromotion) {
    static constexpr char Letters[] = " nbrq";
    if (m.Promotion >= 1 && m.Promotion <= 4) out += Letters[m.Promotion];
  }
  return out;
}

}  // namespace zelmar
