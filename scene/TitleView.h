// Drawing of the title screen; the menus over it are drawn by MenuView.
#pragma once

#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

void DrawTitleScreen(const TSceneState& state, TScenePainter& painter);

}  // namespace zelmar::scene
