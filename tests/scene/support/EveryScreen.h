// The states of every screen and menu a player meets, each with four pieces in the side panel: what the
// text tests draw to find every text the screens show.
#pragma once

#include <vector>

#include "scene/SceneState.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene::test {

// The widest move a hint names: a capture that promotes with check.
inline constexpr const char* kWidestHint = "exd8=Q+";

// Every screen in language `lang`; half of them offer "Continue" and show a finished game's result, two
// ask for a hint (one of them showing it).
inline std::vector<TSceneState> EveryScreen(int lang) {
  struct TScreen {
    TSceneMode Mode;
    TMenuKind Menu;
    TGameState Game;
    const char* HintSan = nullptr;  // a hint asked (and shown when not empty)
  };
  const TScreen screens[] = {
      {TSceneMode::TitleScreen, TMenuKind::MainMenu, TGameState::HumanToMove},
      {TSceneMode::TitleScreen, TMenuKind::OptionsMenu, TGameState::HumanToMove},
      {TSceneMode::TitleScreen, TMenuKind::QuitConfirm, TGameState::HumanToMove},
      {TSceneMode::HelpScreen, TMenuKind::HelpButtons, TGameState::HumanToMove},
      {TSceneMode::GameScreen, TMenuKind::GameDialog, TGameState::ComputerThinking},
      {TSceneMode::GameScreen, TMenuKind::NoMenu, TGameState::ChoosePromotion},
      {TSceneMode::GameScreen, TMenuKind::NoMenu, TGameState::GameOver},
      {TSceneMode::GameScreen, TMenuKind::NoMenu, TGameState::HumanToMove, ""},
      {TSceneMode::GameScreen, TMenuKind::NoMenu, TGameState::HumanToMove, kWidestHint},
  };
  std::vector<TSceneState> states;
  for (const TScreen& screen : screens) {
    for (int piece : {6, 5, -5, -1}) {
      TSceneState& state = states.emplace_back();
      state.Options.Lang = lang;
      state.SceneMode = screen.Mode;
      state.MenuKind = screen.Menu;
      state.GameState = screen.Game;
      state.PanelPiece = piece;
      state.ContinueOffered = piece < 0;
      state.ResultText = ResultTextOf(TResult::NoMatingMaterial, lang);
      state.HintAsked = screen.HintSan != nullptr;
      if (screen.HintSan) state.HintSan = screen.HintSan;
    }
  }
  return states;
}

}  // namespace zelmar::scene::test
