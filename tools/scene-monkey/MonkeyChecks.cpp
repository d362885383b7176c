#include "MonkeyChecks.h"

#include <sstream>

#include "engine/ChessBrd.h"
#include "scene/SceneBoard.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene::monkey {

namespace {

const char* NameOf(TGameState state) {
  switch (state) {
    case TGameState::HumanToMove:
      return "HumanToMove";
    case TGameState::ComputerThinking:
      return "ComputerThinking";
    case TGameState::GameOver:
      return "GameOver";
    case TGameState::ChoosePromotion:
      return "ChoosePromotion";
  }
  return "?";
}

// Whether a menu may lie over a screen: the title screen's three menus, the help screen's buttons, the
// game screen bare or under the in-game window.
bool MenuFitsScreen(TSceneMode mode, TMenuKind menu) {
  switch (mode) {
    case TSceneMode::TitleScreen:
      return menu == TMenuKind::MainMenu || menu == TMenuKind::OptionsMenu || menu == TMenuKind::QuitConfirm;
    case TSceneMode::HelpScreen:
      return menu == TMenuKind::HelpButtons;
    case TSceneMode::GameScreen:
      return menu == TMenuKind::NoMenu || menu == TMenuKind::GameDialog;
    case TSceneMode::NotStarted:
      return true;
  }
  return false;
}

}  // namespace

TMonkeyChecks::TMonkeyChecks(TSceneForm& form) : form_(form), state_(form.State()) {
  Remember();
}

int TMonkeyChecks::HalfMove() const {
  return form_.ChessEngine.CurrentMove() * 2 + (form_.ChessEngine.WhiteToMove() ? 0 : 1);
}

void TMonkeyChecks::Remember() {
  gameState_ = state_.GameState;
  menuKind_ = state_.MenuKind;
  sceneMode_ = state_.SceneMode;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
  counts_ = form_.Flow().Counts();
  halfMove_ = HalfMove();
}

// The moves of the game's states within one tick (a tick may chain two: the player's move handed over
// and the engine finding mate at once). A new game may come from anywhere; a take-back or replay leaves
// the player to move or at the recorded end.
std::string TMonkeyChecks::CheckTransition(TGameState from, TGameState to, bool newGame, bool stepped) const {
  if (from == to || newGame) return {};
  bool allowed = false;
  if (stepped) {
    allowed = (from == TGameState::HumanToMove || from == TGameState::GameOver) &&
              (to == TGameState::HumanToMove || to == TGameState::GameOver);
  } else {
    switch (from) {
      case TGameState::HumanToMove:
        allowed = true;  // to ComputerThinking, ChoosePromotion or GameOver
        break;
      case TGameState::ChoosePromotion:
        allowed = to == TGameState::ComputerThinking || to == TGameState::GameOver;
        break;
      case TGameState::ComputerThinking:
        allowed = to == TGameState::HumanToMove || to == TGameState::GameOver;
        break;
      case TGameState::GameOver:
        allowed = false;  // a finished game stays finished until a new game, take-back or replay
        break;
    }
  }
  if (allowed) return {};
  return std::string("GameState went from ") + NameOf(from) + " to " + NameOf(to) +
         (stepped ? " by a take-back or replay" : "");
}

// A game that has just ended, by its result text in either language.
void TMonkeyChecks::CountEnd() {
  const auto is = [&](TResult result) {
    return state_.ResultText == ResultTextOf(result, 1) || state_.ResultText == ResultTextOf(result, 2);
  };
  if (is(TResult::Mate)) ++Mates;
  if (is(TResult::StaleMate)) ++StaleMates;
  if (is(TResult::NoMatingMaterial)) ++NoMaterial;
  if (is(TResult::Threefold)) ++Threefold;
}

// 1. Values and transitions. 2. Menus against screens. 3. Clocks (they move only in their poll). 4. The
// computer's answer. 5. The cursor.
std::string TMonkeyChecks::AfterTick() {
  const TFlowCounts& counts = form_.Flow().Counts();
  const bool newGame = counts.NewGames != counts_.NewGames;
  const bool stepped = counts.StepsBack != counts_.StepsBack || counts.StepsForward != counts_.StepsForward;
  std::string fault = CheckTransition(gameState_, state_.GameState, newGame, stepped);
  if (fault.empty() && !MenuFitsScreen(state_.SceneMode, state_.MenuKind)) {
    fault = "MenuKind " + std::to_string(static_cast<int>(state_.MenuKind)) + " over SceneMode " +
            std::to_string(static_cast<int>(state_.SceneMode));
  }
  const TSceneBoard& board = state_.Board;
  if (fault.empty()) {
    if (newGame && (board.WhiteSeconds != 0 || board.BlackSeconds != 0)) {
      fault = "a new game kept its clocks";
    } else if (!newGame && (board.WhiteSeconds != white_ || board.BlackSeconds != black_)) {
      fault = "the clocks changed outside their poll";
    }
  }
  // The computer's turn in a running game must end in a move.
  const TChessBrd& engine = form_.ChessEngine;
  const bool computerTurn = engine.ComputerToMove() && state_.GameState != TGameState::GameOver;
  if (!computerTurn || newGame || HalfMove() != halfMove_) {
    waitingTicks_ = 0;
  } else if (++waitingTicks_ > kAnswerDeadlineTicks && fault.empty()) {
    fault = "the computer did not answer within " + std::to_string(kAnswerDeadlineTicks) + " ticks";
  }
  if (fault.empty() && (state_.CursorX < 0 || state_.CursorX > kLogicalWidth || state_.CursorY < 0 ||
                        state_.CursorY > kLogicalHeight)) {
    fault = "the cursor left the screen: " + std::to_string(state_.CursorX) + ", " +
            std::to_string(state_.CursorY);
  }
  if (state_.GameState == TGameState::GameOver && gameState_ != TGameState::GameOver && !stepped) CountEnd();
  if (state_.MenuKind != menuKind_ && state_.MenuKind != TMenuKind::NoMenu) ++MenuVisits;
  Remember();
  return fault;
}

// Nothing in flight: no glide, no promotion being chosen, no computer reply to come.
std::string TMonkeyChecks::BoardInStep() const {
  const TChessBrd& engine = form_.ChessEngine;
  if (state_.Animating || state_.GameState == TGameState::ChoosePromotion) return {};
  if (engine.ComputerToMove() && state_.GameState != TGameState::GameOver) return {};
  TSceneBoard expected;
  const std::string position = engine.Position();
  expected.LoadPosition(position);
  if (expected.Squares == state_.Board.Squares) return {};
  std::ostringstream out;
  out << "the scene's board differs from the engine's position \"" << position << "\"; the scene shows \"";
  for (int square = 1; square <= 64; ++square) {
    static const char* kLetters = "kqrbnp PNBRQK";
    out << kLetters[state_.Board.At(square) + 6];
  }
  out << "\"";
  return out.str();
}

void TMonkeyChecks::BeforeClock() {
  clockSide_ = state_.Board.SideToMove;
  clockStopped_ = state_.Animating || state_.GameState == TGameState::GameOver;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
}

std::string TMonkeyChecks::AfterClock() {
  const int white = state_.Board.WhiteSeconds - white_, black = state_.Board.BlackSeconds - black_;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
  if (white < 0 || black < 0) return "a clock ran backwards";
  if (white == 0 && black == 0) return {};
  if (clockStopped_) return "a clock ran during a glide or after the end of the game";
  if ((white > 0 && (clockSide_ != 1 || black != 0)) || (black > 0 && (clockSide_ != -1 || white != 0)))
    return "a second went to the side not named by SideToMove";
  return {};
}

// A computer move the flow animates must be the one the loop has just let through: a reply searched for
// a position the game has left is never shown.
std::string TMonkeyChecks::MovePlayed(int oldSq, int newSq, bool letThrough) {
  const TSceneBoard& board = state_.Board;
  const bool computerGlide = state_.Animating && state_.MoveFrom == oldSq && state_.MoveTo == newSq &&
                             state_.MovingPiece != 0 && (state_.MovingPiece > 0 ? 1 : -1) != board.HumanSide;
  if (computerGlide && !letThrough) {
    return "a stale computer reply " + std::to_string(oldSq) + "-" + std::to_string(newSq) + " was shown";
  }
  return {};
}

}  // namespace zelmar::scene::monkey
