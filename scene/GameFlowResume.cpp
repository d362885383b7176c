// A game put back on the board (a kept game continued, a game opened from a file) and a game shown again
// after the menu. Loading a game changes the game under the computer player as a new game does: a reply it
// had found for the position before is stale.
#include <string>

#include "engine/ChessBrd.h"
#include "scene/GameFlow.h"

namespace zelmar::scene {

namespace {

// Whether square 1..64 lies on the first or the last rank.
bool OnLastRank(int square) {
  return (square >= 1 && square <= 8) || (square >= 57 && square <= 64);
}

}  // namespace

// 1. Nothing glides and the computer leaves both sides. 2. The engine loads the game, or starts a new one
// from the settings when it cannot. 3. The scene takes the engine's position, the player's side, the
// clocks and the result. 4. The player's pawn waiting for its piece stands on its target again. 5. The
// state of the screen; the computer takes the other side unless the game is over, and thinks at once when
// it is to move.
bool TGameFlow::ResumeGame(const TResumedGame& game) {
  TSceneBoard& board = state_.Board;
  state_.Animating = false;
  state_.PromotionHover = 0;
  staleTailPly_.reset();
  SetComputerSides(false, false);
  bool loaded = false;
  InEngine([&] { loaded = game.LoadEngine && game.LoadEngine(); });
  if (!loaded) {
    StartNewGame();
    return false;
  }
  ++counts_.Resumes;
  ++changes_;
  playerMoved_ = game.PlayerMoved;
  state_.GameZelmar = game.Zelmar;
  board.LoadPosition(engine_.Position());
  board.HumanSide = game.HumanSide == -1 ? -1 : 1;
  // Before White's first move the scene of a player with Black stands as a new game leaves it: Black
  // named to move while the computer searches (its first move puts that right).
  const bool blackBeforeFirstMove =
      board.HumanSide == -1 && engine_.CurrentMove() == 1 && engine_.WhiteToMove();
  board.SideToMove = engine_.WhiteToMove() && !blackBeforeFirstMove ? 1 : -1;
  board.OffsetX = {0, 13};
  board.OffsetY = {0, 73};
  board.WhiteSeconds = game.WhiteSeconds;
  board.BlackSeconds = game.BlackSeconds;
  state_.SelectedSquare = 0;
  state_.PanelPiece = 0;
  state_.ResultText = game.End ? ResultTextOf(*game.End, state_.Options.Lang) : std::string();

  const int pawn = board.At(game.PromotionFrom);
  const bool promotion = game.PromotionFrom != 0 && board.SideToMove == board.HumanSide &&
                         pawn == board.HumanSide * kPawn && OnLastRank(game.PromotionTo) &&
                         engine_.IsLegalMove(SquareOf(game.PromotionFrom), SquareOf(game.PromotionTo));
  if (promotion) {
    state_.MoveFrom = game.PromotionFrom;
    state_.MoveTo = game.PromotionTo;
    state_.MovingPiece = state_.PanelPiece = pawn;
    board.Put(game.PromotionFrom, 0);
    board.Put(game.PromotionTo, pawn);
    state_.GameState = TGameState::ChoosePromotion;
  } else if (game.End && game.AtEnd) {
    state_.GameState = TGameState::GameOver;
  } else {
    state_.GameState =
        board.SideToMove == board.HumanSide ? TGameState::HumanToMove : TGameState::ComputerThinking;
  }
  const bool over = state_.GameState == TGameState::GameOver;
  clock_.SetEnabled(!over);
  if (!over) SetComputerSides(board.HumanSide == -1, board.HumanSide == 1);
  return true;
}

// The clock stood still while the menu was open.
void TGameFlow::GoOn() {
  clock_.SetEnabled(state_.GameState != TGameState::GameOver && !state_.Animating);
}

}  // namespace zelmar::scene
