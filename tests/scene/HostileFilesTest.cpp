// Hostile settings files and tunes through the whole game window: the launcher's reading of config.ini,
// a game played by clicks, the options left with "Back to Menu" (which saves), the music started at the
// title and the game screen. In each case the game must start and play, save what it can without ever
// losing the file's other settings, and leave a file it cannot read exactly as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "launcher/GameOptions.h"
#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

using test::TSceneFormRig;

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
  ASSERT_TRUE(out.good()) << file;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// A private folder beside the rig's, removed at the end.
struct TFolder {
  std::filesystem::path Path = std::filesystem::temp_directory_path() /
                               ("zelmar-hostile-" + std::to_string(::getpid()) + "-" +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  TFolder() {
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
  }
  ~TFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

// The main menu's "Game", one move by clicks and the computer's answer, then Escape, "Menu", "Options",
// "Back to Menu": the settings are saved.
void PlayAMoveAndSave(TSceneFormRig& rig) {
  rig.ClickAt(183, 172);
  ASSERT_EQ(rig.State().SceneMode, TSceneMode::GameScreen);
  ASSERT_TRUE(rig.Settle());
  const int moves = rig.Engine().CurrentMove();
  if (rig.State().Board.HumanSide == 1) {
    ASSERT_TRUE(rig.PlayMove("e2", "e4"));
  } else {
    ASSERT_TRUE(rig.PlayMove("e7", "e5"));
  }
  EXPECT_GT(rig.Engine().CurrentMove(), moves);
  rig.PressKey(kKeyEscape);
  rig.ClickAt(613, 412);  // "Menu"
  ASSERT_EQ(rig.State().MenuKind, TMenuKind::MainMenu);
  rig.ClickAt(183, 252);  // "Options"
  ASSERT_EQ(rig.State().MenuKind, TMenuKind::OptionsMenu);
  rig.ClickAt(232, 567);  // "Back to Menu"
  ASSERT_EQ(rig.State().MenuKind, TMenuKind::MainMenu);
}

// The settings as the launcher reads them from `file`, a game played and saved.
GameOptions RunWithSettingsFile(const std::filesystem::path& file) {
  TSceneFormRig rig;
  LoadOptions(rig.Options, file);
  rig.Options.Depth = 1;  // a quick computer; the settings it saves are the ones in use
  rig.ConfigFile = file;
  rig.Start();
  EXPECT_TRUE(rig.Form().Running());
  PlayAMoveAndSave(rig);
  return rig.State().Options;
}

struct TSettingsCase {
  const char* Name;
  std::string Text;
  bool Readable;  // a file the game reads and may rewrite
  // Lines of the file that must survive the save word for word.
  std::vector<std::string> Kept;
};

class HostileSettingsTest : public ::testing::TestWithParam<TSettingsCase> {};

// The game starts and plays on any file; a readable one is saved with its other lines kept and reads back
// as the settings in use; an unreadable one is left as it was.
TEST_P(HostileSettingsTest, TheGameStartsPlaysAndSavesWithoutLosingAnything) {
  const TSettingsCase& c = GetParam();
  TFolder folder;
  const std::filesystem::path file = folder.Path / "config.ini";
  WriteAll(file, c.Text);
  const GameOptions used = RunWithSettingsFile(file);
  if (HasFatalFailure()) return;
  const std::string after = ReadAll(file);
  if (!c.Readable) {
    EXPECT_EQ(after, c.Text) << "a file the game could not read was changed";
    return;
  }
  GameOptions saved;
  LoadOptions(saved, file);
  EXPECT_EQ(saved, used) << after;
  for (const std::string& line : c.Kept)
    EXPECT_NE(after.find(line), std::string::npos) << line << " was lost";
}

std::vector<TSettingsCase> SettingsCases() {
  const std::string tooLong = "Depth=" + std::string(400, '9');
  return {
      {"RandomBytes", RandomBytes(4096, 7), true, {}},
      {"RandomBytesAfterTheSection",
       "[Options]\nLang=2\n[Mine]\nKeep=yes\n" + RandomBytes(2048, 11),
       true,
       {"[Mine]", "Keep=yes"}},
      {"HugeFile", "[Options]\nLang=2\n" + std::string(3 << 20, 'x'), false, {}},
      {"LinesWithoutEquals",
       "[Options]\nArmy\n=2\nLang 2\n\nMode==1\nMusic=2\n",
       true,
       {"Army\n", "Lang 2\n"}},
      {"DuplicateKeys", "[Options]\nLang=2\nLang=1\nArmy=2\n[options]\nArmy=1\n", true, {}},
      {"MissingSection", "Lang=2\nArmy=2\n[Other]\nName=mine\n", true, {"[Other]", "Name=mine"}},
      {"NumbersOutOfRangeOrTooLong",
       "[Options]\nArmy=3\nMode=-1\n" + tooLong + "\nClassic=2147483648\nLang=0x2\nPriority= 3 \n",
       true,
       {}},
      {"ZeroBytes", std::string(64, '\0'), true, {}},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileSettingsTest, ::testing::ValuesIn(SettingsCases()),
                         [](const auto& test) { return std::string(test.param.Name); });

// A folder where config.ini should be: the game plays, the save quietly fails, the folder stays.
TEST(HostileSettingsTest, AFolderInPlaceOfTheFile) {
  TFolder folder;
  const std::filesystem::path file = folder.Path / "config.ini";
  std::filesystem::create_directories(file / "inside");
  RunWithSettingsFile(file);
  EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
}

// The settings the duplicate keys give: the first of each name wins, section names in any case.
TEST(HostileSettingsTest, DuplicateKeysReadTheFirst) {
  TFolder folder;
  const std::filesystem::path file = folder.Path / "config.ini";
  WriteAll(file, "[Options]\nLang=2\nLang=1\nArmy=2\n[options]\nArmy=1\n");
  GameOptions options;
  LoadOptions(options, file);
  EXPECT_EQ(options.Lang, 2);
  EXPECT_EQ(options.Army, 2);
}

struct TTuneCase {
  const char* Name;
  int Kind;  // how the tunes are spoilt, below
};

class HostileTunesTest : public ::testing::TestWithParam<TTuneCase> {};

// The data folder with both tunes spoilt the same way; the pictures are the real ones.
void SpoilTunes(const std::filesystem::path& folder, int kind) {
  const std::filesystem::path data = test::ProgramDataFolder();
  for (const char* name : {"zelmar.dat", "zelmar.def"})
    std::filesystem::copy_file(data / name, folder / name);
  for (const char* name : {"title_theme.mp3", "main_theme.mp3"}) {
    const std::string real = ReadAll(data / name);
    const std::filesystem::path tune = folder / name;
    switch (kind) {
      case 0:  // truncated in the middle of a frame
        WriteAll(tune, real.substr(0, real.size() / 3 + 17));
        break;
      case 1:  // random bytes
        WriteAll(tune, RandomBytes(200000, 3));
        break;
      case 2:  // an ID3 tag that claims far more than the file holds, then junk
        WriteAll(tune, std::string("ID3\x04\x00\x00\x7F\x7F\x7F\x7F", 10) + RandomBytes(5000, 5));
        break;
      case 3:  // zero bytes
        WriteAll(tune, "");
        break;
      case 4:  // a folder in place of the file
        std::filesystem::create_directories(tune / "inside");
        break;
      default:
        break;
    }
  }
}

// With music on, the title tune is started at the window's start and the main tune with the game; a spoilt
// tune is not played (or plays what it holds), and the game goes on as usual.
TEST_P(HostileTunesTest, TheGameStartsAndPlaysWithMusicOn) {
  TFolder folder;
  SpoilTunes(folder.Path, GetParam().Kind);
  TSceneFormRig rig;
  rig.Options.Music = 1;
  rig.Options.Sound = 1;
  rig.DataFolder = folder.Path;
  rig.Start();
  ASSERT_TRUE(rig.Form().Running());
  rig.Output->Pull(44100);  // a second of the mix, the music's stream included
  PlayAMoveAndSave(rig);
  rig.Output->Pull(44100);
  rig.RunTicks(60);
  EXPECT_EQ(rig.State().SceneMode, TSceneMode::TitleScreen);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileTunesTest,
                         ::testing::Values(TTuneCase{"Truncated", 0}, TTuneCase{"RandomBytes", 1},
                                           TTuneCase{"Id3Junk", 2}, TTuneCase{"ZeroBytes", 3},
                                           TTuneCase{"AFolder", 4}),
                         [](const auto& test) { return std::string(test.param.Name); });

}  // namespace
}  // namespace zelmar::scene
