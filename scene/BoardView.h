// Drawing of the game screen's board: the perspective figures on their anchors, the square markers and the
// flat classic board; nothing here changes the state.
#pragma once

#include "framework/GfxFigureAnchors.h"
#include "scene/ScenePainter.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// The foot point of a figure of piece code -6..6 in the unscaled perspective figure ((0, 0) for 0).
TFigureAnchor PieceAnchor(int code);

// A figure of "zelmar_piece_2" whose feet stand at back-buffer point (x, y), scaled by its depth.
void DrawFigure(const TSceneState& state, TScenePainter& painter, int code, int x, int y, TDrawFx fx);
// The figures of the perspective board, nearer ranks over farther ones.
void DrawFigures(const TSceneState& state, TScenePainter& painter);
// The tinted floors and the posts of the marked squares, in each kind's colours (perspective view).
void DrawSquareMarks(const TSceneState& state, TScenePainter& painter);
// The posts on the selected square and on the square under the cursor (perspective view).
void DrawMarkers(const TSceneState& state, TScenePainter& painter);
// The flat board with its pieces, selection and marks, top-left corner at a logical point.
void DrawClassicBoard(const TSceneState& state, TScenePainter& painter, int left, int top);

}  // namespace zelmar::scene
