// Writing and reading moves in standard algebraic notation.
#include "engine/notation/San.h"

namespace zelmar {

std::string MoveToSan(const TChessBrd& board, const TGameMove& move) {
  (void)board;
  return SquareName(move.From) + SquareName(move.To);
}

std::optional<TGameMove> SanToMove(const TChessBrd& board, std::string_view text, std::string* error) {
  (void)board;
  (void)text;
  if (error != nullptr) *error = "not available yet";
  return std::nullopt;
}

}  // namespace zelmar
