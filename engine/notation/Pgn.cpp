// Writing and reading games in PGN.
#include "engine/notation/Pgn.h"

namespace zelmar {

std::string WritePgn(const TGameRecord& game) {
  (void)game;
  return {};
}

std::vector<TPgnGame> ReadPgn(std::string_view text) {
  (void)text;
  return {};
}

}  // namespace zelmar
