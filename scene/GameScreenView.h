// Drawing of the game screen: the location, the clocks, the status line, the board (BoardView), the side
// panel and the tool buttons; and the promotion panel over it. Nothing here changes the state.
#pragma once

#include <string>

#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// "hh : mm : ss" of a number of seconds (the hours take as many digits as they need).
std::string FormatClock(int seconds);

void DrawGameScreen(const TSceneState& state, TScenePainter& painter);
void DrawPromotionPanel(const TSceneState& state, TScenePainter& painter);

}  // namespace zelmar::scene
