#include "scene/FrameView.h"

#include "scene/GameScreenView.h"
#include "scene/MenuView.h"
#include "scene/TitleView.h"

namespace zelmar::scene {
namespace {

// The game's own pointer, the last thing of every frame: "cursor" on the game screen, "cursor_1" on every
// other screen, its tip at (origin + cursor), blended.
void DrawCursor(const TSceneState& state, TScenePainter& painter) {
  const TPicture picture =
      state.SceneMode == TSceneMode::GameScreen ? TPicture::Cursor : TPicture::MenuCursor;
  painter.Draw(picture, 0, state.OriginX + state.CursorX, state.OriginY + state.CursorY, fxBlend);
}

}  // namespace

// The five drawing steps of one frame.
void DrawFrame(const TSceneState& state, TScenePainter& painter, int width, int height) {
  painter.FillRect(0, 0, width, height, 0x00000000, fxOpaque);
  switch (state.SceneMode) {
    case TSceneMode::TitleScreen:
      DrawTitleScreen(state, painter);
      break;
    case TSceneMode::GameScreen:
      DrawGameScreen(state, painter);
      break;
    case TSceneMode::HelpScreen:
      DrawHelpScreen(state, painter);
      break;
    case TSceneMode::NotStarted:
      break;
  }
  DrawMenu(state, painter);
  if (state.GameState == TGameState::ChoosePromotion) DrawPromotionPanel(state, painter);
  DrawCursor(state, painter);
}

}  // namespace zelmar::scene
