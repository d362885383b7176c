// A PGN file named on the command line: the last game it holds, or why it cannot be opened.
#pragma once

#include <filesystem>
#include <optional>

#include "engine/notation/GameRecord.h"
#include "launcher/GameFileRefusal.h"

namespace zelmar {

// Exactly one of the two is set.
struct OpenedGameFile {
  std::optional<TGameRecord> Game;
  std::optional<GameFileRefusal> Refusal;
};

// Reads the file whole (a regular file of at most kMaxGameFileSize; a pipe or a device is refused without
// being waited on) and takes its last game, as the PGN reader gives it; a last game the reader refuses
// refuses the file, with the reader's reason and the game's first line.
OpenedGameFile OpenGameFile(const std::filesystem::path& file);

}  // namespace zelmar
