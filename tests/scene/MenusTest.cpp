// The menus driven as the player drives them: the cursor over an item, the hit test, the click; the
// screen changes, the options' stepping and saving, the keys, and the tunes they cue.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"
#include "framework/platform/TestPlatform.h"
#include "scene/MenuTable.h"
#include "scene/Menus.h"
#include "scene/SceneTexts.h"
#include "support/RecordingSounds.h"

namespace zelmar::scene {
namespace {

// Keys pressed in this tick.
class TPressedKeys : public TSceneKeys {
 public:
  std::set<int> Down;
  bool Held(int key) const override { return Down.count(key) != 0; }
  bool Pressed(int key) const override { return Down.count(key) != 0; }
};

// Item i's box (exclusive bounds) in every menu with items, written out independently of the code.
struct TBox {
  int Left, Right, Top, Bottom;
};
TBox BoxOf(TMenuKind kind, int i) {
  switch (kind) {
    case TMenuKind::MainMenu:
      return {86, 390, 155 + 40 * (i - 1), 190 + 40 * (i - 1)};
    case TMenuKind::OptionsMenu:
      return {86, 378, 155 + 40 * (i - 1), 179 + 40 * (i - 1)};
    case TMenuKind::QuitConfirm:
      return {413 + 100 * (i - 1), 511 + 100 * (i - 1), 397, 427};
    case TMenuKind::GameDialog:
      return {364 + 100 * (i - 1), 462 + 100 * (i - 1), 397, 427};
    default:
      return {711 + 100 * (i - 1), 809 + 100 * (i - 1), 723, 753};
  }
}

class MenusTest : public ::testing::Test {
 protected:
  MenusTest() {
    state.SceneMode = TSceneMode::TitleScreen;
    state.MenuKind = TMenuKind::MainMenu;
    sounds.PlayMusic(TTune::Title);  // the end of start-up
  }
  // Actions that count their calls; the new game starts the clock as the game flow's does.
  TMenuActions CountingActions() {
    TMenuActions result;
    result.StartNewGame = [this] {
      ++newGames;
      clock.SetEnabled(true);
    };
    result.SaveOptions = [this](const GameOptions& options) {
      ++saves;
      return SaveOptions(options, configFile);
    };
    result.Quit = [this] { ++quits; };
    return result;
  }
  ~MenusTest() override { std::filesystem::remove_all(dir); }

  // Moves the cursor into the middle of item i of the current menu, runs the hit test and clicks.
  void Click(int i) {
    const TBox box = BoxOf(state.MenuKind, i);
    state.CursorX = (box.Left + box.Right) / 2;
    state.CursorY = (box.Top + box.Bottom) / 2;
    menus.MenuHoverStep();
    ASSERT_EQ(state.MenuHover, i);
    menus.MenuClick();
  }
  void PressEscape(bool help = false) {
    TPressedKeys keys;
    keys.Down.insert(kKeyEscape);
    help ? menus.HelpKeys(keys) : menus.TitleKeys(keys);
  }
  // The value the options list shows for item i.
  std::string Shown(int item) {
    const GameOptions& o = state.Options;
    const int values[] = {o.Army,  o.Mode,  o.Depth,    o.Background, o.Classic,
                          o.Music, o.Sound, o.Priority, o.Lang,       o.Marks};
    return OptionValueText(item, values[item - 1], o.Lang);
  }

  // A fresh folder for this test's settings file.
  static std::filesystem::path ScratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (std::string("zelmar-menus-") + test->name() + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
  }

  std::filesystem::path dir = ScratchFolder();
  std::filesystem::path configFile = dir / "config.ini";
  TSceneState state;
  TChessBrd engine;
  TRecordingSounds sounds{state.Options};
  platform::TestClock testClock;
  TIntervalTimer clock{testClock, 1000};
  int newGames = 0, saves = 0, quits = 0;
  TMenus menus{state, engine, sounds, clock, CountingActions()};
};

// The options list steps every setting through exactly the values the settings file accepts, and every
// menu's items lie on the logical screen without overlapping.
TEST(MenuTable, OptionsCoverTheSettingsRangesAndItemsFitTheScreen) {
  for (const TMenuItem& item : MenuOf(TMenuKind::OptionsMenu).Items) {
    if (item.Setting == nullptr) continue;
    const auto key = std::find_if(OptionKeys().begin(), OptionKeys().end(),
                                  [&](const OptionKey& k) { return k.Field == item.Setting; });
    ASSERT_NE(key, OptionKeys().end()) << item.Text.English;
    EXPECT_EQ(key->Min, 1) << key->Name;
    EXPECT_EQ(static_cast<std::int32_t>(item.Values.size()), key->Max) << key->Name;
  }
  for (TMenuKind kind : {TMenuKind::MainMenu, TMenuKind::OptionsMenu, TMenuKind::QuitConfirm,
                         TMenuKind::GameDialog, TMenuKind::HelpButtons}) {
    const TMenu& menu = MenuOf(kind);
    const auto count = static_cast<std::int32_t>(menu.Items.size());
    ASSERT_GT(count, 0);
    for (std::int32_t i = 1; i <= count; ++i) {
      const TItemBox box = ItemBox(menu, i);
      EXPECT_TRUE(0 <= box.Left && box.Right <= kLogicalWidth && 0 <= box.Top &&
                  box.Bottom <= kLogicalHeight);
      EXPECT_EQ(ItemAt(menu, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2), i);
    }
  }
  EXPECT_TRUE(MenuOf(TMenuKind::NoMenu).Items.empty());
}

TEST_F(MenusTest, HoverBoxesAreStrictAndNoMenuKeepsTheHover) {
  const std::vector<std::pair<TMenuKind, int>> menusWithItems = {{TMenuKind::MainMenu, 4},
                                                                 {TMenuKind::OptionsMenu, 10},
                                                                 {TMenuKind::QuitConfirm, 2},
                                                                 {TMenuKind::GameDialog, 3},
                                                                 {TMenuKind::HelpButtons, 3}};
  auto hoverAt = [this](int x, int y) {
    state.CursorX = x;
    state.CursorY = y;
    state.MenuHover = -1;
    menus.MenuHoverStep();
    return state.MenuHover;
  };
  for (auto [kind, count] : menusWithItems) {
    state.MenuKind = kind;
    for (int i = 1; i <= count; ++i) {
      SCOPED_TRACE(testing::Message() << "menu " << static_cast<int>(kind) << " item " << i);
      const TBox b = BoxOf(kind, i);
      const int midX = (b.Left + b.Right) / 2, midY = (b.Top + b.Bottom) / 2;
      EXPECT_EQ(hoverAt(b.Left + 1, b.Top + 1), i);
      EXPECT_EQ(hoverAt(b.Right - 1, b.Bottom - 1), i);
      EXPECT_EQ(hoverAt(b.Left, midY), 0);
      EXPECT_EQ(hoverAt(b.Right, midY), 0);
      EXPECT_EQ(hoverAt(midX, b.Top), 0);
      EXPECT_EQ(hoverAt(midX, b.Bottom), 0);
    }
    const TBox last = BoxOf(kind, count);
    EXPECT_EQ(hoverAt(last.Right + 150, last.Bottom + 150), 0);
  }
  state.MenuKind = TMenuKind::NoMenu;
  state.MenuHover = 2;
  state.CursorX = 0;
  state.CursorY = 0;
  menus.MenuHoverStep();
  EXPECT_EQ(state.MenuHover, 2);
}

TEST_F(MenusTest, AClickBesideEveryItemDoesNothing) {
  state.CursorX = 1000;
  state.CursorY = 10;
  for (TMenuKind kind : {TMenuKind::MainMenu, TMenuKind::OptionsMenu, TMenuKind::QuitConfirm,
                         TMenuKind::GameDialog, TMenuKind::HelpButtons}) {
    state.MenuKind = kind;
    const GameOptions before = state.Options;
    menus.MenuHoverStep();
    menus.MenuClick();
    EXPECT_EQ(state.MenuKind, kind);
    EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
    EXPECT_EQ(state.Options, before);
  }
  EXPECT_TRUE(sounds.Clips.empty());
  EXPECT_EQ(sounds.TunesStarted.size(), 1u);
  EXPECT_EQ(newGames + saves + quits, 0);
}

TEST_F(MenusTest, OptionsStepTheirSettingsAndOnlyBackToMenuSaves) {
  ASSERT_TRUE(SaveOptions(state.Options, configFile));
  Click(3);  // "Options"
  ASSERT_EQ(state.MenuKind, TMenuKind::OptionsMenu);
  ASSERT_EQ(Shown(5), "Wood");

  // 1. The classic board: the style last shown is kept in Board.
  std::vector<std::string> boards;
  std::vector<int> boardField;
  for (int k = 0; k < 3; ++k) {
    Click(5);
    boards.push_back(Shown(5));
    boardField.push_back(state.Options.Board);
  }
  EXPECT_EQ(boards, (std::vector<std::string>{"Marble", "None", "Wood"}));
  EXPECT_EQ(boardField, (std::vector<int>{3, 3, 2}));

  // 2. The level wraps after 8; the engine's priority follows every step.
  for (int k = 0; k < 6; ++k) Click(3);
  EXPECT_EQ(Shown(3), "1");
  Click(8);
  EXPECT_EQ(engine.ThinkingPriority(), tpLower);
  Click(8);
  EXPECT_EQ(engine.ThinkingPriority(), tpNormal);
  Click(8);
  EXPECT_EQ(engine.ThinkingPriority(), tpLowest);

  // 3. The move marks step through their three values and wrap; the language switches the texts at once.
  std::vector<std::string> marks;
  for (int k = 0; k < 3; ++k) {
    Click(10);
    marks.push_back(Shown(10));
  }
  EXPECT_EQ(marks, (std::vector<std::string>{"Last Move", "All", "None"}));
  const std::string english = MenuItemText(TMenuKind::OptionsMenu, 1, state.Options.Lang);
  Click(9);
  EXPECT_EQ(state.Options.Lang, 2);
  EXPECT_EQ(english, "Your Army");
  EXPECT_NE(MenuItemText(TMenuKind::OptionsMenu, 1, state.Options.Lang), english);
  EXPECT_EQ(Shown(9), "Русский");

  // 4. Music off stops the title tune; on again stays silent through "Back to Menu".
  Click(6);
  EXPECT_FALSE(sounds.MusicPlaying());
  EXPECT_EQ(sounds.Stops, 1);
  Click(6);
  EXPECT_FALSE(sounds.MusicPlaying());
  EXPECT_EQ(sounds.Clips, std::vector<int>(3 + 6 + 3 + 3 + 1 + 2, 2));

  // 5. Escape leaves without saving, "Back to Menu" saves what is shown.
  PressEscape();
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(saves, 0);
  GameOptions read;
  LoadOptions(read, configFile);
  EXPECT_EQ(read, GameOptions{});
  Click(3);
  Click(11);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  LoadOptions(read, configFile);
  EXPECT_EQ(read, state.Options);
  EXPECT_FALSE(sounds.MusicPlaying());

  // 6. The next screen change brings the music back.
  Click(2);  // "Help"
  EXPECT_EQ(sounds.Playing, TTune::Main);
}

TEST_F(MenusTest, QuitWindowHelpButtonsAndEscapeOnEveryScreen) {
  // 1. Escape on the title screen asks to quit, again keeps asking; "Cancel" keeps the title tune.
  PressEscape();
  EXPECT_EQ(state.MenuKind, TMenuKind::QuitConfirm);
  PressEscape();
  EXPECT_EQ(state.MenuKind, TMenuKind::QuitConfirm);
  Click(1);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(sounds.TunesStarted, std::vector<TTune>{TTune::Title});
  EXPECT_EQ(sounds.Stops, 0);

  // 2. The help screen: main tune, its buttons, Escape back with the title tune.
  Click(2);
  EXPECT_EQ(state.SceneMode, TSceneMode::HelpScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::HelpButtons);
  EXPECT_EQ(sounds.Playing, TTune::Main);
  PressEscape(true);
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(sounds.Playing, TTune::Title);
  Click(2);
  Click(2);  // help "Options"
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::OptionsMenu);
  PressEscape();
  Click(2);
  Click(1);  // help "Menu"
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(sounds.Playing, TTune::Title);
  Click(2);
  Click(3);  // help "Quit"
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::QuitConfirm);
  EXPECT_TRUE(sounds.Clips.empty());  // none of these make a sound

  // 3. "Quit" ends the program without saving.
  EXPECT_EQ(quits, 0);
  Click(2);
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(saves, 0);
}

TEST_F(MenusTest, TheInGameWindowCancelsRestartsAndLeavesForTheMenu) {
  Click(1);  // "Game"
  EXPECT_EQ(newGames, 1);
  EXPECT_EQ(state.SceneMode, TSceneMode::GameScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::NoMenu);
  EXPECT_EQ(state.MenuHover, 0);
  EXPECT_EQ(sounds.Playing, TTune::Main);

  // "Cancel" goes back to the same game, the clock still running.
  state.MenuKind = TMenuKind::GameDialog;
  Click(1);
  EXPECT_EQ(state.MenuKind, TMenuKind::NoMenu);
  EXPECT_EQ(state.MenuHover, 0);
  EXPECT_EQ(newGames, 1);
  EXPECT_TRUE(clock.Enabled());

  // "Rematch" starts a new game under the same tune.
  state.MenuKind = TMenuKind::GameDialog;
  Click(2);
  EXPECT_EQ(newGames, 2);
  EXPECT_EQ(state.MenuKind, TMenuKind::NoMenu);
  EXPECT_EQ(state.SceneMode, TSceneMode::GameScreen);
  EXPECT_EQ(sounds.TunesStarted, (std::vector<TTune>{TTune::Title, TTune::Main}));

  // "Menu" stops the clock and brings the title tune.
  state.MenuKind = TMenuKind::GameDialog;
  Click(3);
  EXPECT_FALSE(clock.Enabled());
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(sounds.Playing, TTune::Title);
  EXPECT_EQ(sounds.Clips, (std::vector<int>{2, 2, 2}));
}

}  // namespace
}  // namespace zelmar::scene
