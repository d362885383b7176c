// The game as the player sees it: the player's clicks and keys, the move animation, the scene's board kept
// in step with the rules engine, the engine's events, the game clock, take-back and replay.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "scene/IntervalTimer.h"
#include "scene/SceneKeys.h"
#include "scene/SceneSounds.h"
#include "scene/SceneState.h"
#include "scene/SceneTexts.h"

namespace zelmar {
class TChessBrd;
}  // namespace zelmar

namespace zelmar::scene {

// What the flow has done so far, for soak runs and tools that watch a whole session.
struct TFlowCounts {
  int NewGames = 0;      // StartNewGame calls
  int Resumes = 0;       // games brought back by ResumeGame
  int StepsBack = 0;     // take-backs the flow accepted (the engine may still have refused)
  int StepsForward = 0;  // replays the flow accepted
  int StaleReplies = 0;  // computer replies of an abandoned position that the flow dropped
};

// A game brought back onto the board: how to load the engine, and what the scene showed of it.
struct TResumedGame {
  // Brings the engine to the game's position and record (its computer sides are off meanwhile); false
  // when it cannot, and the engine is then at a new game.
  std::function<bool()> LoadEngine;
  bool Zelmar = false;
  std::int8_t HumanSide = 1;  // the colour the player plays in the position shown
  std::int32_t WhiteSeconds = 0, BlackSeconds = 0;
  std::optional<TResult> End;  // how the game's line ends, if it does
  bool AtEnd = false;          // the position shown is the line's last
  int PromotionFrom = 0;       // the player's pawn move waiting for its new piece, 0 = none
  int PromotionTo = 0;
  bool PlayerMoved = false;  // the player has made a move in the game
};

class TGameFlow {
 public:
  // Works on `state`, `engine` (whose ten events it takes over), the cues and the one-second game clock
  // (whose OnTimer it takes over).
  TGameFlow(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TIntervalTimer& clock);
  ~TGameFlow();
  TGameFlow(const TGameFlow&) = delete;
  TGameFlow& operator=(const TGameFlow&) = delete;

  // Sets up a new game from the settings (main menu "Game", in-game window "Rematch").
  void StartNewGame();
  // Puts a game back on the board as the scene showed it: the computer thinks if it is its turn, an open
  // promotion choice is open again. A game the engine cannot load leaves a new game from the settings.
  bool ResumeGame(const TResumedGame& game);
  // The game shown again after the menu: the clock goes on unless the game is over or a move glides.
  void GoOn();

  // --- What the game keeper reads ---
  // Grows with every change to the game: a move played by either side, a take-back or replay step, a new
  // or resumed game, the game's end, the promotion choice opened.
  std::uint64_t ChangeMark() const { return changes_; }
  // Whether the player has made a move in this game.
  bool PlayerMoved() const { return playerMoved_; }
  // The half-moves of the engine's record beyond which only a stale reply lies, if any.
  std::optional<int> StaleTailPly() const;

  // --- Per tick ---
  void GameKeys(const TSceneKeys& keys);  // while the game screen is shown, also under a menu
  void GameHover();                       // game screen without a menu
  void GameClick();                       // button 0 pressed on the game screen without a menu
  void AnimationStep();                   // while Animating, in every screen
  // Finds the move marks anew from the engine's position, record and legality and the state's selection
  // (after every tick and every call of the computer player, so that each frame shows them as they stand).
  void UpdateMarks();

  // --- Steps the handlers above use, public for the tests ---
  void StartAnimation(int from, int to);
  void FinishMove();
  void ChoosePromotionPiece();
  void StepBack();
  void StepForward();
  // Asks the computer for the player's move (key H) while the player is to move in a running game and no
  // menu, glide or promotion choice is open; the hint lasts until the game changes.
  void AskHint();

  const TFlowCounts& Counts() const { return counts_; }

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
  void ChessEngineHint(int oldSq, int newSq, char promotion);

 private:
  // --- Steps of the handlers above ---
  void ClickBoard();
  void PressToolButton(TToolButton button);
  void EnPassantAndCastling();
  void PromoteOnArrival();
  void HandOverOrContinue();
  bool HandOverPlayerMove();
  void LoadEngineBoard();
  void SetComputerSides(bool white, bool black);
  void EndGame();
  void DropStaleHint();

  // --- The flow's own calls into the engine, and the computer's answers they leave behind ---
  void InEngine(const std::function<void()>& call);
  bool StaleEvent() const;
  void MarkStaleTail();
  bool AtStaleTail() const;
  int EnginePly() const;

  TSceneState& state_;
  TChessBrd& engine_;
  TSceneSounds& sounds_;
  TIntervalTimer& clock_;

  TFlowCounts counts_;
  std::uint64_t changes_ = 0;
  bool playerMoved_ = false;
  // The last generation of the engine's game that the flow has left: an answer to a request of this
  // generation or an earlier one is stale.
  std::uint64_t leftGeneration_ = 0;
  // The half-moves of the engine's record beyond which only a stale answer lies, if any.
  std::optional<int> staleTailPly_;
  // The engine's generation the shown hint was asked in; the hint goes once the game changes.
  std::uint64_t hintGeneration_ = 0;
};

}  // namespace zelmar::scene
