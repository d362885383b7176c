#include "launcher/GameOptions.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "launcher/Languages.h"
#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kDefaultFile =
    "[Options]\nArmy=1\nMode=2\nDepth=3\nBackground=1\nClassic=2\nBoard=2\nMusic=1\nSound=1\n"
    "Inversion=2\nPriority=1\nLang=1\nMarks=1\n";

// Options with every field away from its default, to see that loading replaces each one.
GameOptions Scrambled() {
  GameOptions options;
  for (const OptionKey& key : OptionKeys()) options.*key.Field = 77;
  return options;
}

TEST(GameOptions, MissingFileOrSectionGivesDefaults) {
  TempDir dir;
  GameOptions options = Scrambled();
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options, GameOptions{});

  WriteFile(dir.File("config.ini"), "[Video]\nLang=2\nDepth=5\n");
  options = Scrambled();
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options, GameOptions{});
}

// Only a first start, with no file at all, takes its language from the desktop's locale.
TEST(GameOptions, AFirstStartSpeaksTheDesktopsLanguage) {
  TempDir dir;
  const char* before = std::getenv("LC_ALL");
  const std::string kept = before ? before : "";
  ASSERT_EQ(setenv("LC_ALL", "uk_UA.UTF-8", 1), 0);
  GameOptions options = Scrambled();
  LoadOptions(options, dir.File("config.ini"));
  GameOptions expected;
  expected.Lang = 9;
  EXPECT_EQ(options, expected);
  WriteFile(dir.File("config.ini"), "[Options]\nDepth=5\n");
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options.Lang, kEnglish);
  EXPECT_EQ(options.Depth, 5);
  if (before)
    setenv("LC_ALL", kept.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST(GameOptions, ReadsEveryKeyWhateverItsCaseAndBlanks) {
  TempDir dir;
  WriteFile(dir.File("config.ini"),
            "[options]\r\n  ARMY = 2\r\nmode=1\r\nDepth=\t8\r\nbackground=2\r\nClassic=3\r\nBoard=3\r\n"
            "Music=2\r\nSound=2\r\nInversion=1\r\nPriority=3\r\nlang=2\r\n");
  GameOptions options;
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options, (GameOptions{2, 1, 8, 2, 3, 3, 2, 2, 1, 3, 2}));
}

TEST(GameOptions, BadAndOutOfRangeValuesFallBackToDefaults) {
  TempDir dir;
  WriteFile(dir.File("config.ini"),
            "[Options]\nArmy=0\nMode=3\nDepth=9\nBackground=x\nClassic=\nBoard=1\nMusic=1.0\n"
            "Sound=99999999999\nInversion=-1\nPriority=2\nLang=2 ; Russian\n");
  GameOptions options = Scrambled();
  LoadOptions(options, dir.File("config.ini"));
  GameOptions expected;
  expected.Priority = 2;  // the only sound value in the file
  EXPECT_EQ(options, expected);
}

TEST(GameOptions, RangesEndsAreAccepted) {
  TempDir dir;
  WriteFile(dir.File("config.ini"), "[Options]\nDepth=1\nBoard=3\nClassic=1\nLang=10\n");
  GameOptions options;
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options.Depth, 1);
  EXPECT_EQ(options.Board, 3);
  EXPECT_EQ(options.Classic, 1);
  EXPECT_EQ(options.Lang, kLanguageCount);
  // One past the last language falls back to English.
  WriteFile(dir.File("config.ini"), "[Options]\nLang=11\n");
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options.Lang, kEnglish);
}

TEST(GameOptions, NewFileHoldsTheTwelveKeysInOrder) {
  TempDir dir;
  EXPECT_TRUE(SaveOptions(GameOptions{}, dir.File("config.ini")));
  EXPECT_EQ(ReadFile(dir.File("config.ini")), kDefaultFile);

  GameOptions options;
  options.Lang = 2;
  options.Depth = 8;
  EXPECT_TRUE(SaveOptions(options, dir.File("config.ini")));
  GameOptions back;
  LoadOptions(back, dir.File("config.ini"));
  EXPECT_EQ(back, options);
  EXPECT_FALSE(std::filesystem::exists(dir.File("config.ini.new")));
}

TEST(GameOptions, SavingKeepsOtherSectionsKeysAndComments) {
  TempDir dir;
  WriteFile(
      dir.File("config.ini"),
      "; written by hand\n[Window]\nLeft=10\n\n[OPTIONS]\nlang=1\nNickname=Ann\nDepth=2\n\n[Tail]\nX=1\n");
  GameOptions options;
  options.Lang = 2;
  EXPECT_TRUE(SaveOptions(options, dir.File("config.ini")));
  EXPECT_EQ(
      ReadFile(dir.File("config.ini")),
      "; written by hand\n[Window]\nLeft=10\n\n[OPTIONS]\nLang=2\nNickname=Ann\nDepth=3\n"
      "Army=1\nMode=2\nBackground=1\nClassic=2\nBoard=2\nMusic=1\nSound=1\nInversion=2\nPriority=1\nMarks=1\n"
      "\n[Tail]\nX=1\n");
}

TEST(GameOptions, FailedWriteLosesNothing) {
  TempDir dir;
  const std::string before = "[Options]\nLang=2\n[Mine]\nKeep=1\n";
  WriteFile(dir.File("config.ini"), before);
  // The directory takes no new files: neither through its permissions nor (for a superuser, who
  // passes those) at the place where the new file is written first.
  std::filesystem::create_directory(dir.File("config.ini.new"));
  std::filesystem::permissions(dir.Path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  GameOptions options;
  EXPECT_FALSE(SaveOptions(options, dir.File("config.ini")));
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadFile(dir.File("config.ini")), before);
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options.Lang, 2);
}

TEST(GameOptions, MissingFoldersAreMadeButAFileInTheirWayIsKept) {
  TempDir dir;
  EXPECT_TRUE(SaveOptions(GameOptions{}, dir.File("new") / "deeper" / "config.ini"));
  EXPECT_EQ(ReadFile(dir.File("new") / "deeper" / "config.ini"), kDefaultFile);
  // A file stands where a folder should be: a quiet failure that leaves it as it was.
  WriteFile(dir.File("plain"), "mine");
  EXPECT_FALSE(SaveOptions(GameOptions{}, dir.File("plain") / "zelmar-chess" / "config.ini"));
  EXPECT_EQ(ReadFile(dir.File("plain")), "mine");
}

TEST(GameOptions, UnreadableOrReadOnlyFileIsNotOverwritten) {
  TempDir dir;
  // A directory where the file should be cannot be read, so it must not be replaced.
  std::filesystem::create_directory(dir.File("config.ini"));
  EXPECT_FALSE(SaveOptions(GameOptions{}, dir.File("config.ini")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("config.ini")));
  // A file its owner made read-only stays as it is.
  WriteFile(dir.File("other.ini"), "[Options]\nLang=2\n");
  std::filesystem::permissions(dir.File("other.ini"), std::filesystem::perms::owner_read);
  EXPECT_FALSE(SaveOptions(GameOptions{}, dir.File("other.ini")));
  EXPECT_EQ(ReadFile(dir.File("other.ini")), "[Options]\nLang=2\n");
}

TEST(GameOptions, OversizedFileIsNeitherReadNorReplaced) {
  TempDir dir;
  const std::string huge = "[Options]\nLang=2\n" + std::string(2 << 20, ';');
  WriteFile(dir.File("config.ini"), huge);
  GameOptions options;
  LoadOptions(options, dir.File("config.ini"));
  EXPECT_EQ(options.Lang, 1);
  EXPECT_FALSE(SaveOptions(options, dir.File("config.ini")));
  EXPECT_EQ(ReadFile(dir.File("config.ini")).size(), huge.size());
}

TEST(GameOptions, ConfigFileSitsBesideTheProgram) {
  char exe[4096] = {};
  ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  EXPECT_EQ(ConfigFilePath(), std::filesystem::path(exe).parent_path() / "config.ini");
}

}  // namespace
}  // namespace zelmar
