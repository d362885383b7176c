// The board of the game screen: the perspective figures and the square markers, and the flat classic board.
#include "scene/BoardView.h"

#include <algorithm>
#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/SceneGeometry.h"

namespace zelmar::scene {
namespace {

// How one kind of mark looks: on the perspective board four posts (dark and bright colours, height before
// the depth scale, and how far they stand in from the corners towards the centre, so that the posts of
// neighbouring marked squares stay apart); on the classic board a tint over the square and a frame inside
// its edge (alpha 0: none; the frame's width in unscaled board pixels).
struct TMarkLook {
  TSquareMark Mark;
  std::uint32_t Dark, Bright;
  int Height;
  double Inset;
  std::uint32_t Tint, Frame;
  int FrameWidth;
};

// The kinds the board draws, in drawing order: warm amber for the last move, soft green for the targets,
// red for the king in check; none shares the selection's yellow or the hover's white.
constexpr TMarkLook kMarkLooks[] = {
    {TSquareMark::LastMove, 0xFF00285A, 0xFF1EA8FF, 12, 0.18, 0x7010A0F0, 0xFF1E90F0, 5},
    {TSquareMark::Target, 0xFF1A4A1A, 0xFF78E678, 7, 0.3, 0x3060D060, 0xFF40C040, 6},
    {TSquareMark::Check, 0xFF000060, 0xFF3C3CFF, 20, 0.1, 0x902020E0, 0xFF1010D0, 6},
};

// The four posts standing on four points of the perspective board (logical pixels before the board
// offset), `thickness` scaled by the depth of the square's far-left corner.
void DrawPostsAt(const TSceneState& state, TScenePainter& painter, const TSquareQuad& q,
                 const TSquareQuad& at, int thickness, std::uint32_t dark, std::uint32_t bright) {
  const int h = RoundHalfEven(PerspectiveScale(state, q[0].Y) * thickness);
  if (h < 1) return;
  const auto b = static_cast<std::size_t>(BackgroundIndex(state));
  const int dx = state.Board.OffsetX[b] + state.OriginX, dy = state.Board.OffsetY[b] + state.OriginY;
  for (int k = 1; k <= h; ++k) {
    for (const TCorner& c : at) painter.PutPixel(c.X + dx, c.Y + dy - k - 1, bright, fxOpaque);
    for (const TCorner& c : at) painter.PutPixel(c.X + dx, c.Y + dy - k + 1, dark, fxOpaque);
    for (const TCorner& c : at) painter.PutPixel(c.X + dx, c.Y + dy - k, bright, fxOpaque);
    for (const TCorner& c : at) painter.PutPixel(c.X + dx + 1, c.Y + dy - k, dark, fxOpaque);
    for (const TCorner& c : at) painter.PutPixel(c.X + dx - 1, c.Y + dy - k, bright, fxOpaque);
  }
}

// The four posts on the corners of one square.
void DrawPosts(const TSceneState& state, TScenePainter& painter, int square, int thickness,
               std::uint32_t dark, std::uint32_t bright) {
  const TSquareQuad& q = SquareQuad(square);
  DrawPostsAt(state, painter, q, q, thickness, dark, bright);
}

// The corners of a square moved `inset` of the way towards the middle of its diagonals.
TSquareQuad InsetQuad(const TSquareQuad& q, double inset) {
  const double cx = (q[0].X + q[1].X + q[2].X + q[3].X) / 4.0, cy = (q[0].Y + q[1].Y + q[2].Y + q[3].Y) / 4.0;
  TSquareQuad out = q;
  for (TCorner& c : out) {
    c.X += RoundHalfEven((cx - c.X) * inset);
    c.Y += RoundHalfEven((cy - c.Y) * inset);
  }
  return out;
}

// The marks of one classic square: its tints, then its frames, inside the cell at (x, y) of `side` pixels.
void DrawClassicMarks(const TSceneState& state, TScenePainter& painter, int square, int x, int y, int side,
                      double f) {
  for (const TMarkLook& look : kMarkLooks) {
    if (state.Marks.Has(square, look.Mark)) painter.FillRect(x, y, side, side, look.Tint, fxBlend);
  }
  for (const TMarkLook& look : kMarkLooks) {
    if (!state.Marks.Has(square, look.Mark)) continue;
    const int w = std::max(1, RoundHalfEven(look.FrameWidth * f));
    painter.FillRect(x, y, side, w, look.Frame, fxOpaque);
    painter.FillRect(x, y + side - w, side, w, look.Frame, fxOpaque);
    painter.FillRect(x, y + w, w, side - 2 * w, look.Frame, fxOpaque);
    painter.FillRect(x + side - w, y + w, w, side - 2 * w, look.Frame, fxOpaque);
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

// The posts of every marked square, kind by kind in drawing order.
void DrawSquareMarks(const TSceneState& state, TScenePainter& painter) {
  if (state.Marks.Empty()) return;
  for (const TMarkLook& look : kMarkLooks) {
    for (int s = 1; s <= 64; ++s) {
      if (!state.Marks.Has(s, look.Mark)) continue;
      const TSquareQuad& q = SquareQuad(s);
      DrawPostsAt(state, painter, q, InsetQuad(q, look.Inset), look.Height, look.Dark, look.Bright);
    }
  }
}

// The selected square's pulsing posts, then the hovered square's still ones.
void DrawMarkers(const TSceneState& state, TScenePainter& painter) {
  if (state.SelectedSquare != 0)
    DrawPosts(state, painter, state.SelectedSquare, state.Pulse, 0xFF333333, 0xFF00FFFF);
  if (state.HoverSquare > 0 && state.HoverSquare != state.SelectedSquare)
    DrawPosts(state, painter, state.HoverSquare, 10, 0xFFBBBBBB, 0xFFFFFFFF);
}

// 1. The board picture (turned with Inversion 1). 2. Per square: the white selection, the marks, then the
// piece.
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
    const int side = RoundHalfEven(90 * f);
    if (s == state.SelectedSquare) painter.FillRect(x0 + dx, y0 + dy, side, side, 0xFFFFFFFF, fxOpaque);
    if (state.Marks.Marked(s)) DrawClassicMarks(state, painter, s, x0 + dx, y0 + dy, side, f);
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
