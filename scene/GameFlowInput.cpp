// The player's side of the game flow: the hover, a click on the board, the tool buttons, the promotion
// choice and the keys. The moves' glide is in GameFlowMoves.cpp, the engine side in GameFlowEngine.cpp.
#include <cstdlib>

#include "engine/ChessBrd.h"
#include "scene/GameFlow.h"
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

// One step of a view value toward its bound, taken while the value is still inside it (so the last step
// may end just past the bound).
template <class T>
void StepUp(T& value, T bound, T step) {
  if (value < bound) value += step;
}
template <class T>
void StepDown(T& value, T bound, T step) {
  if (value > bound) value -= step;
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
  // 4. The move is certain unless a pawn still waits for its piece: the computer may start on it while
  // the piece glides; the engine plays it only on arrival, events and all.
  const bool lastRank = state_.HoverSquare <= 8 || state_.HoverSquare > 56;
  if (!(std::abs(state_.PanelPiece) == kPawn && lastRank)) {
    engine_.AnticipateMove(SquareOf(state_.SelectedSquare), SquareOf(state_.HoverSquare));
  }
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
      StepUp(state_.PieceZoom, TSceneState::kPieceZoomMax, TSceneState::kPieceZoomButtonStep);
      break;
    case TToolButton::ZoomOut:
      StepDown(state_.PieceZoom, TSceneState::kPieceZoomMin, TSceneState::kPieceZoomButtonStep);
      break;
    case TToolButton::ClassicBoard:
      options.Classic = options.Classic == 1 ? options.Board : 1;
      break;
    case TToolButton::BoardBigger:
      StepUp(state_.BoardSizePercent, TSceneState::kBoardSizeMax, TSceneState::kBoardSizeButtonStep);
      break;
    case TToolButton::BoardSmaller:
      StepDown(state_.BoardSizePercent, TSceneState::kBoardSizeMin, TSceneState::kBoardSizeButtonStep);
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
// the arrows step through the game, H asks for a hint.
void TGameFlow::GameKeys(const TSceneKeys& keys) {
  if (keys.Pressed(kKeyEscape)) state_.MenuKind = TMenuKind::GameDialog;
  if (keys.Held(kKey1)) StepUp(state_.PieceZoom, TSceneState::kPieceZoomMax, TSceneState::kPieceZoomKeyStep);
  if (keys.Held(kKey2))
    StepDown(state_.PieceZoom, TSceneState::kPieceZoomMin, TSceneState::kPieceZoomKeyStep);
  if (keys.Held(kKey3))
    StepUp(state_.BoardSizePercent, TSceneState::kBoardSizeMax, TSceneState::kBoardSizeKeyStep);
  if (keys.Held(kKey4))
    StepDown(state_.BoardSizePercent, TSceneState::kBoardSizeMin, TSceneState::kBoardSizeKeyStep);
  if (keys.Pressed(kKeyLeft)) StepBack();
  if (keys.Pressed(kKeyRight)) StepForward();
  if (keys.Pressed(kKeyH)) AskHint();
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

}  // namespace zelmar::scene
