#include "scene/TitleView.h"

namespace zelmar::scene {

// The title background, then, from the first tick on, the twelve Black icons circling at half size.
void DrawTitleScreen(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  painter.Draw(TPicture::Ground, 0, ox, oy, fxOpaque);
  if (state.TitleX[0] == 0 || state.TitleY[0] == 0) return;
  for (int i = 1; i <= 12; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    painter.DrawScaled(TPicture::Icon, i <= 6 ? i + 5 : i - 1, state.TitleX[at] + ox, state.TitleY[at] + oy,
                       0.5, fxAdd);
  }
}

}  // namespace zelmar::scene
