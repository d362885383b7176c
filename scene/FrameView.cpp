#include "scene/FrameView.h"

#include "scene/BoardView.h"
#include "scene/CursorView.h"
#include "scene/MenuView.h"

namespace zelmar::scene {

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
