#include "scene/CursorView.h"

namespace zelmar::scene {

// The pointer of the screen in use at (origin + cursor), blended.
void DrawCursor(const TSceneState& state, TScenePainter& painter) {
  const TPicture picture =
      state.SceneMode == TSceneMode::GameScreen ? TPicture::Cursor : TPicture::MenuCursor;
  painter.Draw(picture, 0, state.OriginX + state.CursorX, state.OriginY + state.CursorY, fxBlend);
}

}  // namespace zelmar::scene
