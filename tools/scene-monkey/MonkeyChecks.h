// The invariants the restless player checks on the game window: the scene's board against the engine's,
// the states and menus the game allows and their transitions, the computer's answer within a deadline, the
// clocks, finished games, stale replies and the cursor. Each check returns an empty text when it holds and
// a description of the fault otherwise.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "scene/GameFlow.h"
#include "scene/SceneForm.h"
#include "scene/SceneState.h"

namespace zelmar::scene::monkey {

// Ticks the computer may take to answer, counted from when its turn starts in a running game: far beyond
// the longest a posted move is held back, so only a computer that never moves runs it out.
inline constexpr int kAnswerDeadlineTicks = 1200;

// What the checks saw of a game window, kept from one observation to the next.
class TMonkeyChecks {
 public:
  // Observes a freshly opened game window.
  explicit TMonkeyChecks(TSceneForm& form);

  // After every tick: transitions of GameState, MenuKind against SceneMode, clocks only by their poll,
  // a finished game staying finished, the computer's deadline, the cursor's bounds, the move marks current,
  // a hint shown legal.
  std::string AfterTick();
  // Every K ticks: the scene's board against the engine's position when nothing is in flight.
  std::string BoardInStep() const;
  // Around the game clock's poll: a second goes only to the side the scene names, never backwards,
  // never during a glide or after the end.
  void BeforeClock();
  std::string AfterClock();
  // The current game's file in `folder`, when the keeper has written it anew: it reads back to the game
  // kept (moves, position shown, mode, end and our facts) and replays to the engine's position.
  std::string KeptGameReadsBack(const std::filesystem::path& folder);
  // "Continue" is offered exactly when the file holds an unfinished game (checked on the main menu).
  std::string ContinueMatchesFile(const std::filesystem::path& folder);
  // Writes of the current game read back so far.
  int KeptWrites = 0;

  // A move the engine has played (its OnLegalMove, after the flow's handler ran); `letThrough` says
  // whether the player's loop let the worker's call through just now.
  std::string MovePlayed(int oldSq, int newSq, bool letThrough);

  // Games finished, by how they ended, and menus opened, as observed.
  int Mates = 0, StaleMates = 0, NoMaterial = 0, Threefold = 0, MenuVisits = 0;

 private:
  int HalfMove() const;
  void Remember();
  std::string CheckTransition(TGameState from, TGameState to, bool newGame, bool stepped) const;
  void CountEnd();

  TSceneForm& form_;
  TSceneState& state_;
  TGameState gameState_;
  TMenuKind menuKind_;
  TSceneMode sceneMode_;
  std::int32_t white_ = 0, black_ = 0;
  TFlowCounts counts_;
  int halfMove_ = 0;
  int waitingTicks_ = 0;  // ticks of the computer's turn without a move
  // Before the clock's poll.
  std::int8_t clockSide_ = 1;
  bool clockStopped_ = false;
  // The kept text last read back, and the file text whose game was last judged for "Continue".
  std::string keptText_, offerText_;
  std::optional<bool> offerUnfinished_;
};

}  // namespace zelmar::scene::monkey
