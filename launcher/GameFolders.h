// Where the game finds its data (zelmar.dat, zelmar.def, the two tunes) and keeps its settings file and
// its games.
//
// Two layouts are known. A portable folder holds the program and its data side by side (the build
// folder is one): the settings file "config.ini" sits there too. An installed game has its program in
// <prefix>/bin and its data in <prefix>/share/zelmar-chess, whatever the prefix; the player may not
// write there, so the settings go to the per-user folder $XDG_CONFIG_HOME/zelmar-chess/ (by default
// ~/.config/zelmar-chess/), which the first save makes, and its games to $XDG_DATA_HOME/zelmar-chess/ (by
// default ~/.local/share/zelmar-chess/). A portable folder keeps its games beside the program as well.
#pragma once

#include <filesystem>
#include <string>

namespace zelmar {

// The name of the data folder under <prefix>/share and of the per-user settings folder.
inline constexpr const char* kGameFolderName = "zelmar-chess";
// The file whose presence marks a folder as holding the game's data.
inline constexpr const char* kDataMarkerFile = "zelmar.dat";
// The settings file's name in either layout.
inline constexpr const char* kConfigFileName = "config.ini";

// The two places, as found for one program.
struct GameFolders {
  // The folder of zelmar.dat, zelmar.def and the tunes. When no folder holds the data it is the
  // program's own folder, where loading then fails as for any missing file.
  std::filesystem::path DataFolder;
  // The settings file read by the launcher and written by the launcher and the options menu.
  std::filesystem::path ConfigFile;
  // Whether the data comes from the installed folder <prefix>/share/zelmar-chess.
  bool Installed = false;
  // The folder of the current game and the archive of played games.
  std::filesystem::path GamesFolder;
};

// The user's folders that an installed game's settings and games depend on (values of the environment).
struct UserEnvironment {
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
  std::string Home;           // $HOME, or the home folder of the user's account when unset
  std::string XdgDataHome;    // $XDG_DATA_HOME, empty when unset
};

// Finds the data, the settings file and the games folder for a program living in `programFolder`: beside
// it when zelmar.dat is there, else in ../share/zelmar-chess when zelmar.dat is there, else neither.
GameFolders LocateGameFolders(const std::filesystem::path& programFolder, const UserEnvironment& user);

// The folder of the running program, found through /proc/self/exe (symbolic links resolved); the
// working directory when the kernel does not tell.
std::filesystem::path ProgramFolder();

// The running process's $XDG_CONFIG_HOME, $XDG_DATA_HOME and home folder.
UserEnvironment CurrentUserEnvironment();

// The data folder, settings file and games folder of the running program: what the game window and the
// launcher use.
GameFolders FindGameFolders();

}  // namespace zelmar
