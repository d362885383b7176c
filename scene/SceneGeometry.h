// Real values become pixels through RoundHalfEven (framework/GfxRounding.h): half to even.
// The perspective board's corner table and the geometry of both views: the depth scale of a figure, the
// screen centre of a square and the square under a point.
#pragma once

#include <array>

#include "scene/SceneState.h"

namespace zelmar::scene {

struct TCorner {
  int X, Y;
};
// The four corners of a square on the perspective board, logical pixels before the board offset: far-left,
// near-left, near-right, far-right.
using TSquareQuad = std::array<TCorner, 4>;

// The corners of square 1..64 (an out-of-range number gives square 1's).
const TSquareQuad& SquareQuad(int square);

// The background index 0 or 1 of Background 1 or 2 (values outside the range read as 1).
int BackgroundIndex(const TSceneState& state);

// The scale of a figure whose feet stand at back-buffer height y.
double PerspectiveScale(const TSceneState& state, double y);

struct TScreenPoint {
  int X, Y;
};
// The centre of square 1..64 on the perspective board in back-buffer pixels (board offset and origin in).
TScreenPoint SquareCentre(const TSceneState& state, int square);

// The square 1..64 under a logical screen point in the view in use (classic board when Classic is 2 or 3),
// or 0 when the point lies on no square.
int HitSquare(const TSceneState& state, int x, int y);

// Row and column 1..8 of a square on the classic board, turned when Inversion is 1.
void ClassicCell(const TSceneState& state, int square, int& row, int& column);

// The pattern of a piece code in the piece sheets: 0..5 White, 6..11 Black.
int PieceFrame(int code);

}  // namespace zelmar::scene
