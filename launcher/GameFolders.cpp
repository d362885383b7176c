#include "launcher/GameFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace zelmar {
namespace {

// Whether `folder` holds the game's data: its marker file is there (a regular file, or a link to one).
bool HoldsData(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kDataMarkerFile, error);
}

// A per-user folder of the game: under the base folder `xdgValue` when it names an absolute path (a
// relative one is ignored, as the base-directory rules ask), else under `homeDefault` in the home folder;
// empty when there is no home either.
std::filesystem::path UserFolder(const std::string& xdgValue, const std::filesystem::path& homeDefault,
                                 const UserEnvironment& user) {
  const std::filesystem::path xdg(xdgValue);
  if (xdg.is_absolute()) return xdg / kGameFolderName;
  const std::filesystem::path home(user.Home);
  if (home.is_absolute()) return home / homeDefault / kGameFolderName;
  return {};
}

// The home folder of the account running the program, from the user database.
std::string AccountHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
    return {};
  return found->pw_dir;
}

}  // namespace

GameFolders LocateGameFolders(const std::filesystem::path& programFolder, const UserEnvironment& user) {
  const GameFolders portable{programFolder, programFolder / kConfigFileName, false, programFolder};
  // 1. A portable folder: the data, the settings and the games beside the program.
  if (HoldsData(programFolder)) return portable;
  // 2. An installed game: the data under the prefix's share folder, the settings and the games in the
  //    user's folders.
  const std::filesystem::path shared = (programFolder / ".." / "share" / kGameFolderName).lexically_normal();
  if (HoldsData(shared)) {
    const std::filesystem::path configFolder = UserFolder(user.XdgConfigHome, ".config", user);
    const std::filesystem::path gamesFolder = UserFolder(user.XdgDataHome, ".local/share", user);
    // Without any home folder the program's own folder is the only place left to try.
    return {shared, configFolder.empty() ? portable.ConfigFile : configFolder / kConfigFileName, true,
            gamesFolder.empty() ? portable.GamesFolder : gamesFolder};
  }
  // 3. No data anywhere: the game reports its failed start; the settings and games stay beside the program.
  return portable;
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && exe.is_absolute()) return exe.parent_path();
  // Without /proc the working directory is the best remaining guess.
  std::filesystem::path here = std::filesystem::current_path(error);
  return error ? std::filesystem::path(".") : here;
}

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment user;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) user.XdgConfigHome = xdg;
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) user.XdgDataHome = xdg;
  const char* home = std::getenv("HOME");
  user.Home = home && *home ? std::string(home) : AccountHome();
  return user;
}

GameFolders FindGameFolders() {
  return LocateGameFolders(ProgramFolder(), CurrentUserEnvironment());
}

}  // namespace zelmar
