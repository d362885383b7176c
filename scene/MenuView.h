// Drawing of the menus and dialogs of MenuKind and of the help screen.
#pragma once

#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

void DrawMenu(const TSceneState& state, TScenePainter& painter);
void DrawHelpScreen(const TSceneState& state, TScenePainter& painter);

}  // namespace zelmar::scene
