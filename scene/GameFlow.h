// The game as the player sees it: the player's clicks and keys, the move animation, the scene's board kept
// in step with the rules engine, the engine's events, the game clock, take-back and replay.
#pragma once

#include "scene/GameClock.h"
#include "scene/SceneKeys.h"
#include "scene/SceneSounds.h"
#include "scene/SceneState.h"

class TChessBrd;

namespace zelmar::scene {

class TGameFlow {
 public:
  // Works on `state`, `engine` (whose ten events it takes over), the cues and the one-second game clock
  // (whose OnTimer it takes over).
  TGameFlow(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TGameClock& clock);
  ~TGameFlow();
  TGameFlow(const TGameFlow&) = delete;
  TGameFlow& operator=(const TGameFlow&) = delete;

  // Sets up a new game from the settings (main menu "Game", in-game window "Rematch").
  void StartNewGame();

  // --- Per tick ---
  void GameKeys(const TSceneKeys& keys);  // while the game screen is shown, also under a menu
  void GameHover();                       // game screen without a menu
  void GameClick();                       // button 0 pressed on the game screen without a menu
  void AnimationStep();                   // while Animating, in every screen

  // --- Steps the handlers above use, public for the tests ---
  void StartAnimation(int from, int to);
  void FinishMove();
  void ChoosePromotionPiece();
  void StepBack();
  void StepForward();

  // --- The game clock (Timer1) and the engine's events ---
  void Timer1Timer();
  void ChessEngineLegalMove(int oldSq, int newSq);
  void ChessEnginePromotion(int oldSq, int newSq, char& newPiece);
  void ChessEngineCapture();
  void ChessEngineCheck();
  void ChessEngineMate();
  void ChessEngineStaleMate();
  void ChessEngineNoMatingMaterial();
  void ChessEngineThreefoldPosition();
  void ChessEngineDraw();
  void ChessEngineCastle();

 private:
  TSceneState& state_;
  TChessBrd& engine_;
  TSceneSounds& sounds_;
  TGameClock& clock_;
};

}  // namespace zelmar::scene
