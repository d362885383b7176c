// The moves on the scene's board: the glide of the moving piece, its arrival with what the move takes
// along, the hand-over to the other side, and the game clock.
#include <cmath>
#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/GameFlow.h"
#include "scene/SceneGeometry.h"

namespace zelmar::scene {

// Sets the moving piece off from the centre of `from` towards the centre of `to`, the longer axis one
// pixel per unit of speed; the clock stands still while it glides.
void TGameFlow::StartAnimation(int from, int to) {
  // 1. Both ends.
  const TScreenPoint start = SquareCentre(state_, from);
  const TScreenPoint end = SquareCentre(state_, to);
  state_.Glide.AnimStartX = start.X;
  state_.Glide.AnimStartY = start.Y;
  state_.Glide.AnimEndX = end.X;
  state_.Glide.AnimEndY = end.Y;
  // 2. The direction, the longer axis 1.0.
  const double dx = end.X - start.X, dy = end.Y - start.Y;
  if (dx == 0) {
    state_.Glide.AnimStepX = 0, state_.Glide.AnimStepY = 1;
  } else if (dy == 0) {
    state_.Glide.AnimStepX = 1, state_.Glide.AnimStepY = 0;
  } else if (std::fabs(dx) < std::fabs(dy)) {
    state_.Glide.AnimStepX = std::fabs(dx / dy), state_.Glide.AnimStepY = 1;
  } else {
    state_.Glide.AnimStepX = 1, state_.Glide.AnimStepY = std::fabs(dy / dx);
  }
  // 3. The signs.
  if (end.X < start.X) state_.Glide.AnimStepX = -state_.Glide.AnimStepX;
  if (end.Y < start.Y) state_.Glide.AnimStepY = -state_.Glide.AnimStepY;
  // 4. The piece at the start.
  state_.Glide.AnimPosX = start.X;
  state_.Glide.AnimPosY = start.Y;
  state_.Glide.AnimX = start.X;
  state_.Glide.AnimY = start.Y;
  // 5. The clock waits for the arrival.
  clock_.SetEnabled(false);
  state_.Animating = true;
}

// One tick of the glide; a move shown on the classic board arrives at once.
void TGameFlow::AnimationStep() {
  if (!state_.Animating) return;
  const int speed = TGlide::AnimSpeed;
  state_.Glide.AnimPosX += speed * state_.Glide.AnimStepX;
  state_.Glide.AnimPosY += speed * state_.Glide.AnimStepY;
  state_.Glide.AnimX = RoundHalfEven(state_.Glide.AnimPosX);
  state_.Glide.AnimY = RoundHalfEven(state_.Glide.AnimPosY);
  const bool arrived = std::abs(state_.Glide.AnimX - state_.Glide.AnimEndX) <= speed &&
                       std::abs(state_.Glide.AnimY - state_.Glide.AnimEndY) <= speed;
  if (arrived || state_.Options.Classic != 1) FinishMove();
}

// The moving piece arrives: the scene's board takes the whole move, then the player's move goes to the
// engine or the computer's move hands the turn to the player.
void TGameFlow::FinishMove() {
  // 1-2. The glide is over.
  state_.Animating = false;
  if (state_.GameState != TGameState::GameOver) clock_.SetEnabled(true);
  sounds_.PlaySound(TSoundClip::PieceMoved);
  // 3-5. The piece lands, with what its move takes along.
  EnPassantAndCastling();
  // 6. A pawn on the last rank.
  PromoteOnArrival();
  // 7. The game ended with this move, or the player still chooses the promotion piece.
  if (state_.GameState == TGameState::GameOver || state_.GameState == TGameState::ChoosePromotion) return;
  // 8-9.
  HandOverOrContinue();
}

// Puts the moving piece on its target, removing a pawn taken en passant first and making a castling
// rook jump over its king afterwards.
void TGameFlow::EnPassantAndCastling() {
  TSceneBoard& board = state_.Board;
  const int piece = state_.MovingPiece, from = state_.MoveFrom, to = state_.MoveTo;
  const int step = std::abs(from - to);
  if (std::abs(piece) == kPawn && (step == 7 || step == 9) && board.At(to) == 0) {
    board.Put(board.SideToMove == 1 ? to + 8 : to - 8, 0);
  }
  board.Put(to, piece);
  if (piece == kKing && from == 61 && to == 59) board.Put(57, 0), board.Put(60, kRook);
  if (piece == kKing && from == 61 && to == 63) board.Put(64, 0), board.Put(62, kRook);
  if (piece == -kKing && from == 5 && to == 3) board.Put(1, 0), board.Put(4, -kRook);
  if (piece == -kKing && from == 5 && to == 7) board.Put(8, 0), board.Put(6, -kRook);
}

// The player's pawn on the last rank waits for the choice of piece; the computer's is shown as a
// queen, as the engine was told.
void TGameFlow::PromoteOnArrival() {
  const int to = state_.MoveTo;
  if (std::abs(state_.MovingPiece) != kPawn || !((to >= 1 && to <= 8) || (to >= 57 && to <= 64))) return;
  TSceneBoard& board = state_.Board;
  if (board.SideToMove == board.HumanSide) {
    state_.GameState = TGameState::ChoosePromotion;
    ++changes_;
  } else if (board.SideToMove == -1) {
    board.Put(to, -kQueen);
    board.PromotionLetter = 'q';
  } else {
    board.Put(to, kQueen);
    board.PromotionLetter = 'Q';
  }
}

// Steps 8 and 9 of a move's arrival: the player's move goes to the engine (whose events may end the
// game) and the computer's search starts; after the computer's move it is the player's turn.
void TGameFlow::HandOverOrContinue() {
  TSceneBoard& board = state_.Board;
  if (board.SideToMove == board.HumanSide) {
    state_.GameState = TGameState::ComputerThinking;
    if (!HandOverPlayerMove()) return;  // refused: the scene now shows the engine's position
  } else {
    state_.GameState = TGameState::HumanToMove;
  }
  board.SideToMove = static_cast<std::int8_t>(-board.SideToMove);
}

// One second of the clock for the side the scene expects to move.
void TGameFlow::Timer1Timer() {
  if (state_.Board.SideToMove == 1) {
    ++state_.Board.WhiteSeconds;
  } else {
    ++state_.Board.BlackSeconds;
  }
}

}  // namespace zelmar::scene
