// One whole frame of the game window, in the order the device's render event draws it.
#pragma once

#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// 1. Clears a back buffer of width x height to transparent black. 2. The screen of SceneMode. 3. The menu
// of MenuKind. 4. The promotion panel while a promotion is chosen. 5. The cursor.
void DrawFrame(const TSceneState& state, TScenePainter& painter, int width, int height);

}  // namespace zelmar::scene
