// Why a game file named on the command line is not opened, and how the launcher says so.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelmar {

// The largest game file opened: a player's archive of many thousands of games stays well below it.
inline constexpr std::uintmax_t kMaxGameFileMegabytes = 64;
inline constexpr std::uintmax_t kMaxGameFileSize = kMaxGameFileMegabytes << 20;

enum class GameFileProblem {
  gpMissing,     // no file of that name
  gpUnreadable,  // it exists but cannot be read (a folder, no permission, an I/O error)
  gpTooLarge,    // over kMaxGameFileSize
  gpNoGame,      // it reads, but holds no game
  gpRefused,     // its last game is not one this game can play (Detail says why)
};

struct GameFileRefusal {
  std::filesystem::path File;
  GameFileProblem Problem = GameFileProblem::gpMissing;
  std::string Detail;  // the system's or the reader's own words; may be empty
  int Line = 0;        // for gpRefused: the first line of the refused game
};

// The refusal in one line of the interface language of `lang` (a "Lang" value; outside them English), naming
// the file by its name without its folder.
std::string RefusalText(const GameFileRefusal& refusal, std::int32_t lang);

}  // namespace zelmar
