#include "launcher/GameFolders.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "launcher/GameOptions.h"
#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Lays out an installed game under `prefix`: bin/ with no data, share/zelmar-chess/ with the archive.
void LayOutInstall(const std::filesystem::path& prefix) {
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(prefix / "share" / "zelmar-chess");
  WriteFile(prefix / "share" / "zelmar-chess" / "zelmar.dat", "data");
}

TEST(GameFolders, PortableFolderKeepsDataAndSettingsBesideTheProgram) {
  TempDir dir;
  // Data beside the program wins even over an install around it.
  LayOutInstall(dir.Path());
  WriteFile(dir.File("bin") / "zelmar.dat", "data");
  const GameFolders found = LocateGameFolders(dir.File("bin"), {"/xdg", "/home/ann", "/data"});
  EXPECT_EQ(found.DataFolder, dir.File("bin"));
  EXPECT_EQ(found.ConfigFile, dir.File("bin") / "config.ini");
  EXPECT_EQ(found.GamesFolder, dir.File("bin"));
  EXPECT_FALSE(found.Installed);
}

TEST(GameFolders, InstalledGameKeepsItsSettingsInTheUsersFolderMadeAtTheFirstSave) {
  TempDir dir;
  const std::filesystem::path prefix = dir.File("opt") / "games";
  LayOutInstall(prefix);
  const std::filesystem::path home = dir.File("home");
  std::filesystem::create_directory(home);

  // 1. The data under any prefix; the settings under $XDG_CONFIG_HOME, else ~/.config (a relative
  //    $XDG_CONFIG_HOME does not count).
  const GameFolders found = LocateGameFolders(prefix / "bin", {"", home.string(), ""});
  EXPECT_EQ(found.DataFolder, prefix / "share" / "zelmar-chess");
  EXPECT_EQ(found.ConfigFile, home / ".config" / "zelmar-chess" / "config.ini");
  EXPECT_TRUE(found.Installed);
  EXPECT_EQ(LocateGameFolders(prefix / "bin", {"rel/xdg", home.string(), ""}).ConfigFile, found.ConfigFile);
  EXPECT_EQ(LocateGameFolders(prefix / "bin", {dir.File("xdg").string(), home.string(), ""}).ConfigFile,
            dir.File("xdg") / "zelmar-chess" / "config.ini");
  // The games likewise under $XDG_DATA_HOME, else ~/.local/share.
  EXPECT_EQ(found.GamesFolder, home / ".local" / "share" / "zelmar-chess");
  EXPECT_EQ(LocateGameFolders(prefix / "bin", {"", home.string(), "rel/data"}).GamesFolder,
            found.GamesFolder);
  EXPECT_EQ(LocateGameFolders(prefix / "bin", {"", home.string(), dir.File("data").string()}).GamesFolder,
            dir.File("data") / "zelmar-chess");

  // 2. A fresh home has no settings: the defaults; the first save makes ~/.config/zelmar-chess/,
  //    private to its owner, and what one save wrote the next load reads.
  GameOptions options;
  options.Lang = 2;
  LoadOptions(options, found.ConfigFile);
  EXPECT_EQ(options, GameOptions{});
  options.Depth = 6;
  ASSERT_TRUE(SaveOptions(options, found.ConfigFile));
  struct stat info {};
  ASSERT_EQ(::stat((home / ".config").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  GameOptions back;
  LoadOptions(back, found.ConfigFile);
  EXPECT_EQ(back, options);

  // 3. Nothing was written into the install.
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);
}

TEST(GameFolders, WithoutDataTheProgramsFolderIsTriedAndTheSettingsStayThere) {
  TempDir dir;
  // A folder named like the archive is no archive.
  std::filesystem::create_directories(dir.File("share") / "zelmar-chess" / "zelmar.dat");
  std::filesystem::create_directory(dir.File("bin"));
  const GameFolders found = LocateGameFolders(dir.File("bin"), {"/xdg", "/home/ann", "/data"});
  EXPECT_EQ(found.DataFolder, dir.File("bin"));
  EXPECT_EQ(found.ConfigFile, dir.File("bin") / "config.ini");
  EXPECT_FALSE(found.Installed);
  // An install with no home folder at all falls back to the program's folder for its settings.
  LayOutInstall(dir.File("usr"));
  const GameFolders homeless = LocateGameFolders(dir.File("usr") / "bin", {"", "", ""});
  EXPECT_EQ(homeless.ConfigFile, dir.File("usr") / "bin" / "config.ini");
  EXPECT_EQ(homeless.GamesFolder, dir.File("usr") / "bin");
  EXPECT_EQ(found.GamesFolder, dir.File("bin"));
}

}  // namespace
}  // namespace zelmar
