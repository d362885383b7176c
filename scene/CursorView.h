// Drawing of the game's own mouse cursor, the last thing of every frame.
#pragma once

#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// "cursor" on the game screen, "cursor_1" on every other screen, its tip at the cursor point.
void DrawCursor(const TSceneState& state, TScenePainter& painter);

}  // namespace zelmar::scene
