// Games in PGN, the text form chess programs exchange: writing one game and reading every game of a text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/notation/GameRecord.h"

namespace zelmar {

// One game in PGN export format: lines of at most 80 characters, then one blank line.
std::string WritePgn(const TGameRecord& game);

// One game read from a PGN text: the game, or the reason it is refused (naming the variant, the set-up
// position, or the move number and text); FirstLine counts from 1.
struct TPgnGame {
  std::optional<TGameRecord> Game;
  std::string Error;
  int FirstLine = 0;
};

// The mode a game that names no variant is read in.
enum class TPgnMode { Standard, Zelmar };

// Every game of a PGN text; a refused or damaged game never stops the reading of the next one.
std::vector<TPgnGame> ReadPgn(std::string_view text, TPgnMode untagged = TPgnMode::Standard);

}  // namespace zelmar
