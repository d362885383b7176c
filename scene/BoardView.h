// Drawing of the title screen, the game screen and the promotion panel; nothing here changes the state.
#pragma once

#include <array>
#include <string>

#include "framework/GfxFigureAnchors.h"
#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// The foot point of a figure of piece code -6..6 in the unscaled perspective figure ((0, 0) for 0).
TFigureAnchor PieceAnchor(int code);

// "hh : mm : ss" of a number of seconds (the hours take as many digits as they need).
std::string FormatClock(int seconds);

void DrawTitleScreen(const TSceneState& state, TScenePainter& painter);
void DrawGameScreen(const TSceneState& state, TScenePainter& painter);
void DrawPromotionPanel(const TSceneState& state, TScenePainter& painter);
// The posts on the selected square and on the square under the cursor (perspective view).
void DrawMarkers(const TSceneState& state, TScenePainter& painter);
// The flat board with its pieces and selection, top-left corner at a logical point.
void DrawClassicBoard(const TSceneState& state, TScenePainter& painter, int left, int top);

}  // namespace zelmar::scene
