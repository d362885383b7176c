// The board of the game screen: the perspective figures and the square markers, and the flat classic board.
#include "scene/BoardView.h"

#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/SceneGeometry.h"

namespace zelmar::scene {
namespace {

// The four posts of one square, `thickness` scaled by the depth of the square's far-left corner.
void DrawPosts(const TSceneState& state, TScenePainter& painter, int square, int thickness,
               std::uint32_t dark, std::uint32_t bright) {
  const TSquareQuad& q = SquareQuad(square);
  const int h = RoundHalfEven(PerspectiveScale(state, q[0].Y) * thickness);
  if (h < 1) return;
  const auto b = static_cast<std::size_t>(BackgroundIndex(state));
  const int dx = state.Board.OffsetX[b] + state.OriginX, dy = state.Board.OffsetY[b] + state.OriginY;
  for (int k = 1; k <= h; ++k) {
    for (const TCorner& c : q) painter.PutPixel(c.X + dx, c.Y + dy - k - 1, bright, fxOpaque);
    for (const TCorner& c : q) painter.PutPixel(c.X + dx, c.Y + dy - k + 1, dark, fxOpaque);
    for (const TCorner& c : q) painter.PutPixel(c.X + dx, c.Y + dy - k, bright, fxOpaque);
    for (const TCorner& c : q) painter.PutPixel(c.X + dx + 1, c.Y + dy - k, dark, fxOpaque);
    for (const TCorner& c : q) painter.PutPixel(c.X + dx - 1, c.Y + dy - k, bright, fxOpaque);
  }
}

}  // namespace

// The anchor of a code, (0, 0) for 0 and for anything outside -6..6.
TFigureAnchor PieceAnchor(int code) {
  if (code == 0 || code < -6 || code > 6) return {0, 0};
  return kFigureAnchors[static_cast<std::size_t>(PieceFrame(code))];
}

// A figure of "zelmar_piece_2" whose feet stand at back-buffer point (x, y).
void DrawFigure(const TSceneState& state, TScenePainter& painter, int code, int x, int y, TDrawFx fx) {
  const double sc = PerspectiveScale(state, y);
  const TFigureAnchor a = PieceAnchor(code);
  painter.DrawScaled(TPicture::Figure, PieceFrame(code), x - RoundHalfEven(a.X * sc),
                     y - RoundHalfEven(a.Y * sc), sc, fx);
}

// The figures of the perspective board in square order, so nearer ranks cover farther ones.
void DrawFigures(const TSceneState& state, TScenePainter& painter) {
  for (int s = 1; s <= 64; ++s) {
    const int p = state.Board.At(s);
    if (p == 0) continue;
    const TScreenPoint c = SquareCentre(state, s);
    DrawFigure(state, painter, p, c.X, c.Y, fxBlend);
  }
}

// The selected square's pulsing posts, then the hovered square's still ones.
void DrawMarkers(const TSceneState& state, TScenePainter& painter) {
  if (state.SelectedSquare != 0)
    DrawPosts(state, painter, state.SelectedSquare, state.Pulse, 0xFF333333, 0xFF00FFFF);
  if (state.HoverSquare > 0 && state.HoverSquare != state.SelectedSquare)
    DrawPosts(state, painter, state.HoverSquare, 10, 0xFFBBBBBB, 0xFFFFFFFF);
}

// 1. The board picture (turned with Inversion 1). 2. Per square: the white selection, then the piece.
void DrawClassicBoard(const TSceneState& state, TScenePainter& painter, int left, int top) {
  const double f = state.BoardSizePercent / 100.0;
  const int x0 = left + state.OriginX, y0 = top + state.OriginY;
  const bool turned = state.Options.Inversion == 1;
  const int pattern = (state.Options.Classic == 3 ? 2 : 0) + (turned ? 1 : 0);
  painter.DrawScaled(TPicture::Classic, pattern, x0, y0, f, fxBlend);
  const bool zelmar = ZelmarDrawn(state);
  for (int s = 1; s <= 64; ++s) {
    int r = 0, c = 0;
    ClassicCell(state, s, r, c);
    const int dx = RoundHalfEven(((c - 1) * 90 + 40) * f), dy = RoundHalfEven(((r - 1) * 90 + 40) * f);
    if (s == state.SelectedSquare) {
      const int side = RoundHalfEven(90 * f);
      painter.FillRect(x0 + dx, y0 + dy, side, side, 0xFFFFFFFF, fxOpaque);
    }
    const int p = state.Board.At(s);
    if (p == 0) continue;
    if (zelmar && std::abs(p) == kQueen)
      painter.DrawScaled(p > 0 ? TPicture::WhiteZelmar : TPicture::BlackZelmar, 0, x0 + dx, y0 + dy, f,
                         fxBlend);
    else
      painter.DrawScaled(TPicture::ClassicPiece, PieceFrame(p), x0 + dx, y0 + dy, f, fxBlend);
  }
}

}  // namespace zelmar::scene
