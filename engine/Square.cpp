#include "engine/Square.h"

namespace zelmar {

std::string SquareName(Square sq) {
  if (!OnBoard(sq)) return "-";
  return {static_cast<char>('a' + FileOf(sq) - 1), static_cast<char>('0' + RankOf(sq))};
}

std::optional<Square> ParseSquare(std::string_view name) {
  if (name.size() != 2) return std::nullopt;
  const char file = static_cast<char>(name[0] | 0x20);
  const char rank = name[1];
  if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return std::nullopt;
  return SquareAt(file - 'a' + 1, rank - '0');
}

}  // namespace zelmar
