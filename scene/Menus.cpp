#include "scene/Menus.h"

#include <utility>

#include "engine/ChessBrd.h"
#include "scene/MenuTable.h"

namespace zelmar::scene {

namespace {

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

TMenus::TMenus(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TIntervalTimer& clock,
               TMenuActions actions)
    : state_(state), engine_(engine), sounds_(sounds), clock_(clock), actions_(std::move(actions)) {}

// Sets MenuHover to the item of the current menu under the cursor; with no menu it keeps its value.
void TMenus::MenuHoverStep() {
  if (state_.MenuKind == TMenuKind::NoMenu) return;
  state_.MenuHover = ItemAt(ShownMenu(state_), state_.CursorX, state_.CursorY);
}

// Runs the hovered item of the current menu, after the click clip where the menu has one; a click beside
// every item does nothing.
void TMenus::MenuClick() {
  const std::int32_t item = state_.MenuHover;
  if (item == 0) return;
  const TMenu& menu = ShownMenu(state_);
  if (menu.ClickSound) sounds_.PlaySound(TSoundClip::Click);
  if (item < 1 || item > static_cast<std::int32_t>(menu.Items.size())) return;
  Run(menu.Items[static_cast<std::size_t>(item - 1)]);
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
  ShowGame();
}

// "Continue": the kept game on the game screen, with the main tune.
void TMenus::ContinueFromMenu() {
  if (actions_.ContinueGame) actions_.ContinueGame();
  ShowGame();
}

// The game screen without a menu, with the main tune.
void TMenus::ShowGame() {
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

// The action of a menu item.
void TMenus::Run(const TMenuItem& item) {
  GameOptions& options = state_.Options;
  switch (item.Action) {
    case TMenuAction::ContinueGame:
      ContinueFromMenu();
      break;
    case TMenuAction::StartGame:
      StartGameFromMenu();
      break;
    case TMenuAction::OpenHelp:
      OpenHelp();
      break;
    case TMenuAction::OpenOptions:
      OpenOptions();
      break;
    case TMenuAction::OpenQuitConfirm:
      OpenQuitConfirm();
      break;
    case TMenuAction::ReturnToMenu:
      ReturnToMenu();
      break;
    case TMenuAction::Quit:
      if (actions_.Quit) actions_.Quit();
      break;
    case TMenuAction::StepOption:
      StepSetting(item);
      break;
    case TMenuAction::StepBoardStyle:
      // The board style last shown is remembered for the tool button that shows the board again.
      StepSetting(item);
      if (options.Classic == 2 || options.Classic == 3) options.Board = options.Classic;
      break;
    case TMenuAction::StepMusic:
      // Turning the music on starts nothing: the next tune comes with the next screen change.
      StepSetting(item);
      if (options.Music == 2 && sounds_.MusicPlaying()) sounds_.StopMusic();
      break;
    case TMenuAction::StepPriority:
      StepSetting(item);
      engine_.SetThinkingPriority(PriorityOf(options.Priority));
      break;
    case TMenuAction::SaveOptions:
      // A failed save is not reported; the settings stay in use for this run.
      if (actions_.SaveOptions) static_cast<void>(actions_.SaveOptions(options));
      ReturnToMenu();
      break;
    case TMenuAction::CloseDialog:
      state_.MenuKind = TMenuKind::NoMenu;
      state_.MenuHover = 0;
      break;
    case TMenuAction::Rematch:
      if (actions_.StartNewGame) actions_.StartNewGame();
      state_.MenuKind = TMenuKind::NoMenu;
      state_.MenuHover = 0;
      break;
  }
}

// Steps the item's setting through its values.
void TMenus::StepSetting(const TMenuItem& item) {
  StepValue(state_.Options.*item.Setting, static_cast<std::int32_t>(item.Values.size()));
}

}  // namespace zelmar::scene
