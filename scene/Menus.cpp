#include "scene/Menus.h"

#include <utility>

#include "engine/ChessBrd.h"

namespace zelmar::scene {

namespace {

// An item box of a menu; all its bounds are exclusive.
struct TItemBox {
  std::int32_t Left, Right, Top, Bottom;
};

// The boxes of a menu: `count` items, item i moved by (i - 1) * (stepX, stepY) from the first.
struct TMenuBoxes {
  TItemBox First;
  std::int32_t StepX, StepY;
  std::int32_t Count;
};

// The item boxes of every menu in logical coordinates; NoMenu has none.
TMenuBoxes BoxesOf(TMenuKind kind) {
  switch (kind) {
    case TMenuKind::MainMenu:
      return {{86, 281, 155, 190}, 0, 40, 4};
    case TMenuKind::OptionsMenu:
      return {{86, 378, 155, 179}, 0, 40, 10};
    case TMenuKind::QuitConfirm:
      return {{413, 511, 397, 427}, 100, 0, 2};
    case TMenuKind::GameDialog:
      return {{364, 462, 397, 427}, 100, 0, 3};
    case TMenuKind::HelpButtons:
      return {{711, 809, 723, 753}, 100, 0, 3};
    case TMenuKind::NoMenu:
      break;
  }
  return {{0, 0, 0, 0}, 0, 0, 0};
}

// The item of `boxes` that strictly contains (x, y), 1-based, or 0.
std::int32_t ItemAt(const TMenuBoxes& boxes, std::int32_t x, std::int32_t y) {
  for (std::int32_t i = 1; i <= boxes.Count; ++i) {
    const std::int32_t dx = boxes.StepX * (i - 1), dy = boxes.StepY * (i - 1);
    if (boxes.First.Left + dx < x && x < boxes.First.Right + dx && boxes.First.Top + dy < y &&
        y < boxes.First.Bottom + dy) {
      return i;
    }
  }
  return 0;
}

// One step of a setting: the next value, and 1 after the last (a value out of range also goes to 1).
void StepValue(std::int32_t& value, std::int32_t last) {
  value = (value >= 1 && value < last) ? value + 1 : 1;
}

// The engine's thread priority for the Priority setting 1..3.
TThreadPriority PriorityOf(std::int32_t setting) {
  switch (setting) {
    case 1:
      return tpLowest;
    case 2:
      return tpLower;
    default:
      return tpNormal;
  }
}

}  // namespace

TMenus::TMenus(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TGameClock& clock,
               TMenuActions actions)
    : state_(state), engine_(engine), sounds_(sounds), clock_(clock), actions_(std::move(actions)) {}

// Sets MenuHover to the item of the current menu under the cursor; with no menu it keeps its value.
void TMenus::MenuHoverStep() {
  if (state_.MenuKind == TMenuKind::NoMenu) return;
  state_.MenuHover = ItemAt(BoxesOf(state_.MenuKind), state_.CursorX, state_.CursorY);
}

// Runs the hovered item of the current menu; a click beside every item does nothing.
void TMenus::MenuClick() {
  const std::int32_t item = state_.MenuHover;
  if (item == 0) return;
  switch (state_.MenuKind) {
    case TMenuKind::MainMenu:
      MainMenuClick(item);
      break;
    case TMenuKind::QuitConfirm:
      QuitConfirmClick(item);
      break;
    case TMenuKind::OptionsMenu:
      OptionsClick(item);
      break;
    case TMenuKind::HelpButtons:
      HelpButtonsClick(item);
      break;
    case TMenuKind::GameDialog:
      GameDialogClick(item);
      break;
    case TMenuKind::NoMenu:
      break;
  }
}

// Escape on the title screen leaves the options unsaved, and from every other menu asks to quit.
void TMenus::TitleKeys(const TSceneKeys& keys) {
  if (!keys.Pressed(kKeyEscape)) return;
  if (state_.MenuKind == TMenuKind::OptionsMenu) {
    ReturnToMenu();
  } else {
    OpenQuitConfirm();
  }
}

// Escape on the help screen goes back to the main menu.
void TMenus::HelpKeys(const TSceneKeys& keys) {
  if (keys.Pressed(kKeyEscape)) ReturnToMenu();
}

// "Game": a new game on the game screen, with the main tune.
void TMenus::StartGameFromMenu() {
  if (actions_.StartNewGame) actions_.StartNewGame();
  state_.SceneMode = TSceneMode::GameScreen;
  state_.MenuKind = TMenuKind::NoMenu;
  state_.MenuHover = 0;
  sounds_.PlayMusic(TTune::Main);
}

// "Help": the help screen with its buttons, with the main tune.
void TMenus::OpenHelp() {
  state_.SceneMode = TSceneMode::HelpScreen;
  state_.MenuKind = TMenuKind::HelpButtons;
  state_.MenuHover = 0;
  sounds_.PlayMusic(TTune::Main);
}

// The options list over the title screen.
void TMenus::OpenOptions() {
  state_.SceneMode = TSceneMode::TitleScreen;
  state_.MenuKind = TMenuKind::OptionsMenu;
  state_.MenuHover = 0;
}

// The quit window over the title screen.
void TMenus::OpenQuitConfirm() {
  state_.SceneMode = TSceneMode::TitleScreen;
  state_.MenuKind = TMenuKind::QuitConfirm;
  state_.MenuHover = 0;
}

// The main menu; the game clock stops, and the title tune starts when coming from another screen.
void TMenus::ReturnToMenu() {
  clock_.SetEnabled(false);
  if (state_.SceneMode != TSceneMode::TitleScreen) sounds_.PlayMusic(TTune::Title);
  state_.SceneMode = TSceneMode::TitleScreen;
  state_.MenuKind = TMenuKind::MainMenu;
  state_.MenuHover = 0;
}

// "Game", "Help", "Options", "Quit"; silent.
void TMenus::MainMenuClick(std::int32_t item) {
  switch (item) {
    case 1:
      StartGameFromMenu();
      break;
    case 2:
      OpenHelp();
      break;
    case 3:
      OpenOptions();
      break;
    case 4:
      OpenQuitConfirm();
      break;
    default:
      break;
  }
}

// "Cancel" back to the main menu, "Quit" ends the program at once without saving; silent.
void TMenus::QuitConfirmClick(std::int32_t item) {
  if (item == 1) {
    ReturnToMenu();
  } else if (item == 2 && actions_.Quit) {
    actions_.Quit();
  }
}

// Steps the clicked setting with a click sound; "Back to Menu" saves the settings and returns.
void TMenus::OptionsClick(std::int32_t item) {
  GameOptions& options = state_.Options;
  sounds_.PlaySound(2);
  switch (item) {
    case 1:
      StepValue(options.Army, 2);
      break;
    case 2:
      StepValue(options.Mode, 2);
      break;
    case 3:
      StepValue(options.Depth, 8);
      break;
    case 4:
      StepValue(options.Background, 2);
      break;
    case 5:
      // The board style last shown is remembered for the tool button that shows the board again.
      StepValue(options.Classic, 3);
      if (options.Classic == 2 || options.Classic == 3) options.Board = options.Classic;
      break;
    case 6:
      // Turning the music on starts nothing: the next tune comes with the next screen change.
      StepValue(options.Music, 2);
      if (options.Music == 2 && sounds_.MusicPlaying()) sounds_.StopMusic();
      break;
    case 7:
      StepValue(options.Sound, 2);
      break;
    case 8:
      StepValue(options.Priority, 3);
      engine_.SetThinkingPriority(PriorityOf(options.Priority));
      break;
    case 9:
      StepValue(options.Lang, 2);
      break;
    case 10:
      // A failed save is not reported; the settings stay in use for this run.
      if (actions_.SaveOptions) static_cast<void>(actions_.SaveOptions(options));
      ReturnToMenu();
      break;
    default:
      break;
  }
}

// "Menu", "Options", "Quit" under the help screen; silent.
void TMenus::HelpButtonsClick(std::int32_t item) {
  switch (item) {
    case 1:
      ReturnToMenu();
      break;
    case 2:
      OpenOptions();
      break;
    case 3:
      OpenQuitConfirm();
      break;
    default:
      break;
  }
}

// "Cancel" back to the game, "Rematch" a new game with the tune going on, "Menu" to the main menu.
void TMenus::GameDialogClick(std::int32_t item) {
  sounds_.PlaySound(2);
  switch (item) {
    case 1:
      state_.MenuKind = TMenuKind::NoMenu;
      state_.MenuHover = 0;
      break;
    case 2:
      if (actions_.StartNewGame) actions_.StartNewGame();
      state_.MenuKind = TMenuKind::NoMenu;
      state_.MenuHover = 0;
      break;
    case 3:
      ReturnToMenu();
      break;
    default:
      break;
  }
}

}  // namespace zelmar::scene
