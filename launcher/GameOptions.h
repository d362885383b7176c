// The game's settings record and its file "config.ini" (beside the program, or in the user's settings
// folder for an installed game: launcher/GameFolders.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelmar {

// The twelve settings, each a small ordinal from 1; the initial values are the defaults.
struct GameOptions {
  std::int32_t Army = 1;        // 1: the player has White; 2: the player has Black
  std::int32_t Mode = 2;        // 1: standard chess; 2: Zelmar mode
  std::int32_t Depth = 3;       // the computer's level, kLowestLevel..kHighestLevel
  std::int32_t Background = 1;  // 1: castle; 2: town
  std::int32_t Classic = 2;     // 1: no classic board; 2: wood; 3: marble
  std::int32_t Board = 2;       // classic board style chosen last: 2 wood, 3 marble
  std::int32_t Music = 1;       // 1: music on; 2: off
  std::int32_t Sound = 1;       // 1: sound effects on; 2: off
  std::int32_t Inversion = 2;   // 1: board turned by half a turn; 2: White at the bottom
  std::int32_t Priority = 1;    // computer player's priority: 1 lowest, 2 lower, 3 normal
  std::int32_t Lang = 1;        // the interface language, 1..kLanguageCount (launcher/Languages.h)
  std::int32_t Marks = 1;  // marks on the board: 1 none; 2 the last move; 3 also the selected piece's targets

  bool operator==(const GameOptions&) const = default;
};

// One key of the file: its name, the field it fills, its default and its range of values.
struct OptionKey {
  const char* Name;
  std::int32_t GameOptions::*Field;
  std::int32_t Default;
  std::int32_t Min;
  std::int32_t Max;
};

// The keys in the order in which they are written.
std::span<const OptionKey> OptionKeys();

// The section of the file that holds the keys.
inline constexpr const char* kOptionsSection = "Options";

// Returns the running program's settings file, as FindGameFolders() finds it.
std::filesystem::path ConfigFilePath();

// Fills `options` from section "Options" of `file`. A missing file, section or key, a value that
// is not an integer, or one outside its key's range gives that key's default; but when the file does not
// exist yet (the first start), "Lang" is the desktop's language (DesktopLanguage(), launcher/Languages.h).
void LoadOptions(GameOptions& options, const std::filesystem::path& file);

// Writes the twelve keys in their order into section "Options" of `file`, keeping every other
// section, key and comment; a missing folder of a new file is made first. Returns false when the file
// could not be written; the old file is then left exactly as it was (also when it exists but cannot
// be read).
[[nodiscard]] bool SaveOptions(const GameOptions& options, const std::filesystem::path& file);

// The same two calls on the running program's settings file.
void LoadOptions(GameOptions& options);
[[nodiscard]] bool SaveOptions(const GameOptions& options);

}  // namespace zelmar
