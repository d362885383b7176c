// The player's side of the game flow: hover, clicks, tool buttons and keys, the move animation and the
// arrival of a move on the scene's board. The engine side is in GameFlowEngine.cpp.
#include "scene/GameFlow.h"

#include <cmath>
#include <cstdlib>

#include "engine/ChessBrd.h"
#include "framework/GfxRounding.h"
#include "scene/SceneGeometry.h"

namespace zelmar::scene {

namespace {

// The promotion choice 2..5 (knight .. queen) whose box contains the point, or 0.
int PromotionChoiceAt(int x, int y) {
  for (int k = 2; k <= 5; ++k) {
    const int top = 281 + 100 * (k - 2);
    if (630 < x && x < 720 && top < y && y < top + 90) return k;
  }
  return 0;
}

// The tool button under the point, or none; the boxes of the row run on for two past the drawn buttons,
// and those extra boxes act as none.
TToolButton ToolButtonAt(int x, int y) {
  if (y < 10 || y > 53) return TToolButton::None;
  for (int k = 1; k <= kToolButtonCount + 2; ++k) {
    const int left = 10 + 50 * (k - 1);
    if (left <= x && x <= left + 44)
      return k <= kToolButtonCount ? static_cast<TToolButton>(k) : TToolButton::None;
  }
  return TToolButton::None;
}

}  // namespace

// The square and the tool button under the cursor; during the promotion choice only the choice.
void TGameFlow::GameHover() {
  if (state_.GameState == TGameState::ChoosePromotion) {
    state_.PromotionHover = PromotionChoiceAt(state_.CursorX, state_.CursorY);
    return;
  }
  if (state_.GameState == TGameState::HumanToMove || state_.GameState == TGameState::ComputerThinking) {
    state_.HoverSquare = HitSquare(state_, state_.CursorX, state_.CursorY);
  }
  state_.ButtonHover = static_cast<std::int32_t>(ToolButtonAt(state_.CursorX, state_.CursorY));
}

// A press of button 0 on the game screen: the promotion choice, or the board, then the tool button.
void TGameFlow::GameClick() {
  if (state_.GameState == TGameState::ChoosePromotion) {
    ChoosePromotionPiece();
    return;
  }
  if (state_.GameState == TGameState::HumanToMove) ClickBoard();
  PressToolButton(static_cast<TToolButton>(state_.ButtonHover));
}

// Selects one of the side to move's pieces, or starts the selected piece's move to a legal target.
// A second move never starts while one still glides: its piece is off the board until it arrives.
void TGameFlow::ClickBoard() {
  // 1. The square clicked.
  state_.HoverSquare = HitSquare(state_, state_.CursorX, state_.CursorY);
  if (state_.HoverSquare == 0) return;
  // 2. A piece of the side to move becomes the selection.
  const int piece = state_.Board.At(state_.HoverSquare);
  if (piece * state_.Board.SideToMove > 0) {
    state_.SelectedSquare = state_.HoverSquare;
    state_.PanelPiece = piece;
    state_.PortraitScale = 6.0;
    sounds_.PlaySound(TSoundClip::PieceMoved);
    return;
  }
  // 3. Otherwise a legal target starts the move; an illegal one keeps the selection.
  if (state_.Animating || state_.SelectedSquare <= 0) return;
  if (!engine_.IsLegalMove(SquareOf(state_.SelectedSquare), SquareOf(state_.HoverSquare))) return;
  state_.MoveTo = state_.HoverSquare;
  state_.MovingPiece = state_.PanelPiece;
  state_.Board.Put(state_.SelectedSquare, 0);
  StartAnimation(state_.SelectedSquare, state_.MoveTo);
  state_.MoveFrom = state_.SelectedSquare;
  state_.SelectedSquare = 0;
}

// The nine tool buttons; each bound is tested before its step, so a value just inside passes it.
void TGameFlow::PressToolButton(TToolButton button) {
  GameOptions& options = state_.Options;
  switch (button) {
    case TToolButton::Inversion:
      options.Inversion = options.Inversion + 1 > 2 ? 1 : options.Inversion + 1;
      break;
    case TToolButton::ZoomIn:
      if (state_.PieceZoom < 1.0) state_.PieceZoom += 0.03;
      break;
    case TToolButton::ZoomOut:
      if (state_.PieceZoom > 0.3) state_.PieceZoom -= 0.03;
      break;
    case TToolButton::ClassicBoard:
      options.Classic = options.Classic == 1 ? options.Board : 1;
      break;
    case TToolButton::BoardBigger:
      if (state_.BoardSizePercent < 76) state_.BoardSizePercent += 7;
      break;
    case TToolButton::BoardSmaller:
      if (state_.BoardSizePercent > 27) state_.BoardSizePercent -= 7;
      break;
    case TToolButton::StepBack:
      StepBack();
      break;
    case TToolButton::StepForward:
      StepForward();
      break;
    case TToolButton::GameDialog:
      state_.MenuKind = TMenuKind::GameDialog;
      break;
    case TToolButton::None:
      break;
  }
}

// The game screen's keys: Escape opens the in-game window, 1..4 held change the figure and board sizes,
// the arrows step through the game.
void TGameFlow::GameKeys(const TSceneKeys& keys) {
  if (keys.Pressed(kKeyEscape)) state_.MenuKind = TMenuKind::GameDialog;
  if (keys.Held(kKey1) && state_.PieceZoom < 1.0) state_.PieceZoom += 0.01;
  if (keys.Held(kKey2) && state_.PieceZoom > 0.3) state_.PieceZoom -= 0.01;
  if (keys.Held(kKey3) && state_.BoardSizePercent < 76) state_.BoardSizePercent += 1;
  if (keys.Held(kKey4) && state_.BoardSizePercent > 27) state_.BoardSizePercent -= 1;
  if (keys.Pressed(kKeyLeft)) StepBack();
  if (keys.Pressed(kKeyRight)) StepForward();
}

// Sets the moving piece off from the centre of `from` towards the centre of `to`, the longer axis one
// pixel per unit of speed; the clock stands still while it glides.
void TGameFlow::StartAnimation(int from, int to) {
  // 1. Both ends.
  const TScreenPoint start = SquareCentre(state_, from);
  const TScreenPoint end = SquareCentre(state_, to);
  state_.AnimStartX = start.X;
  state_.AnimStartY = start.Y;
  state_.AnimEndX = end.X;
  state_.AnimEndY = end.Y;
  // 2. The direction, the longer axis 1.0.
  const double dx = end.X - start.X, dy = end.Y - start.Y;
  if (dx == 0) {
    state_.AnimStepX = 0, state_.AnimStepY = 1;
  } else if (dy == 0) {
    state_.AnimStepX = 1, state_.AnimStepY = 0;
  } else if (std::fabs(dx) < std::fabs(dy)) {
    state_.AnimStepX = std::fabs(dx / dy), state_.AnimStepY = 1;
  } else {
    state_.AnimStepX = 1, state_.AnimStepY = std::fabs(dy / dx);
  }
  // 3. The signs.
  if (end.X < start.X) state_.AnimStepX = -state_.AnimStepX;
  if (end.Y < start.Y) state_.AnimStepY = -state_.AnimStepY;
  // 4. The piece at the start.
  state_.AnimPosX = start.X;
  state_.AnimPosY = start.Y;
  state_.AnimX = start.X;
  state_.AnimY = start.Y;
  // 5. The clock waits for the arrival.
  clock_.SetEnabled(false);
  state_.Animating = true;
}

// One tick of the glide; a move shown on the classic board arrives at once.
void TGameFlow::AnimationStep() {
  if (!state_.Animating) return;
  const int speed = TSceneState::AnimSpeed;
  state_.AnimPosX += speed * state_.AnimStepX;
  state_.AnimPosY += speed * state_.AnimStepY;
  state_.AnimX = RoundHalfEven(state_.AnimPosX);
  state_.AnimY = RoundHalfEven(state_.AnimPosY);
  const bool arrived =
      std::abs(state_.AnimX - state_.AnimEndX) <= speed && std::abs(state_.AnimY - state_.AnimEndY) <= speed;
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
  } else if (board.SideToMove == -1) {
    board.Put(to, -kQueen);
    board.PromotionLetter = 'q';
  } else {
    board.Put(to, kQueen);
    board.PromotionLetter = 'Q';
  }
}

// A click during the promotion choice: the piece chosen replaces the pawn and the move goes to the
// engine, which asks for the letter through its promotion event. A click beside the boxes does nothing.
void TGameFlow::ChoosePromotionPiece() {
  if (state_.PromotionHover <= 0) return;
  sounds_.PlaySound(TSoundClip::Promotion);
  state_.MovingPiece = state_.Board.SideToMove * state_.PromotionHover;
  state_.Board.PromotionLetter = PromotionLetterOf(state_.MovingPiece);
  state_.PromotionHover = 0;
  state_.Board.Put(state_.MoveTo, state_.MovingPiece);
  HandOverOrContinue();
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
