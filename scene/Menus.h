// The menus and dialogs over the screens: their hit tests, clicks and keys, the screen changes and the
// options' stepping.
#pragma once

#include <cstdint>
#include <functional>

#include "scene/IntervalTimer.h"
#include "scene/SceneKeys.h"
#include "scene/SceneSounds.h"
#include "scene/SceneState.h"

namespace zelmar {
class TChessBrd;
}  // namespace zelmar

namespace zelmar::scene {

struct TMenuItem;

// What the menus ask of the game window.
struct TMenuActions {
  std::function<void()> StartNewGame;                           // the game flow's new game
  std::function<void()> ContinueGame;                           // the kept game brought back
  std::function<bool(const GameOptions& options)> SaveOptions;  // writes config.ini
  std::function<void()> Quit;                                   // ends the program at once
};

class TMenus {
 public:
  TMenus(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TIntervalTimer& clock,
         TMenuActions actions);

  // The hit test of the current menu, every tick.
  void MenuHoverStep();
  // The action of the current menu for the hovered item, on every press of button 0.
  void MenuClick();
  // Escape on the title screen and on the help screen.
  void TitleKeys(const TSceneKeys& keys);
  void HelpKeys(const TSceneKeys& keys);

  // Screen changes.
  void StartGameFromMenu();
  void ContinueFromMenu();
  void ShowGame();
  void OpenHelp();
  void OpenOptions();
  void OpenQuitConfirm();
  void ReturnToMenu();

 private:
  void Run(const TMenuItem& item);
  void StepSetting(const TMenuItem& item);

  TSceneState& state_;
  TChessBrd& engine_;
  TSceneSounds& sounds_;
  TIntervalTimer& clock_;
  TMenuActions actions_;
};

}  // namespace zelmar::scene
