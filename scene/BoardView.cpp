// The board of the game screen: the perspective figures and the square markers, and the flat classic board.
#include "scene/BoardView.h"

#include <algorithm>
#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/SceneGeometry.h"

namespace zelmar::scene {
namespace {

// How one kind of mark looks. On the perspective board: a tint over the square's floor and four posts (dark
// and bright colours, height before the depth scale, and how far they stand in from the corners towards the
// centre, so that the posts of neighbouring marked squares stay apart). On the classic board: a tint over
// the square (or kNoTint) and a ring of the bright colour between two dark lines inside its edge (its
// width in unscaled board pixels); the rings of several kinds on one square nest, the first outermost.
struct TMarkLook {
  TSquareMark Mark;
  std::uint32_t FloorTint, Dark, Bright;
  int Height;
  double Inset;
  std::uint32_t Tint;
  int RingWidth;
};

// The kinds the board draws, in drawing order: warm amber for the last move, soft green for the targets,
// sky blue for the hint's squares, red for the king in check; none shares the selection's yellow or white or
// the hover's white.
constexpr std::uint32_t kNoTint = 0;
constexpr TMarkLook kMarkLooks[] = {
    {TSquareMark::LastMove, 0xA000A0FF, 0xFF003060, 0xFF10B0FF, 12, 0.18, kNoTint, 5},
    {TSquareMark::Target, 0x9040E040, 0xFF104010, 0xFF70F070, 7, 0.3, kNoTint, 4},
    {TSquareMark::Hint, 0xA0F0A030, 0xFF602000, 0xFFFFC040, 16, 0.24, 0x80F0A030, 4},
    {TSquareMark::Check, 0xB02828F0, 0xFF000050, 0xFF3030FF, 20, 0.1, 0x902020E0, 5},
};
// The dark lines on either side of a classic ring, in unscaled board pixels.
constexpr int kRingLine = 2;

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

// A blended fill of one square's floor on the perspective board, row by row of pixels: each row from the
// left to the right side where the row's middle crosses them, so that neighbouring squares share no pixel.
void FillFloor(const TSceneState& state, TScenePainter& painter, const TSquareQuad& q, std::uint32_t color) {
  const auto b = static_cast<std::size_t>(BackgroundIndex(state));
  const int dx = state.Board.OffsetX[b] + state.OriginX, dy = state.Board.OffsetY[b] + state.OriginY;
  const auto [low, high] = std::minmax({q[0].Y, q[1].Y, q[2].Y, q[3].Y});
  for (int y = low; y < high; ++y) {
    const double middle = y + 0.5;
    double left = 0, right = 0;
    bool crossed = false;
    for (std::size_t i = 0; i < q.size(); ++i) {
      const TCorner& a = q[i];
      const TCorner& c = q[(i + 1) % q.size()];
      if ((a.Y <= middle) == (c.Y <= middle)) continue;
      const double x = a.X + (middle - a.Y) * (c.X - a.X) / (c.Y - a.Y);
      left = crossed ? std::min(left, x) : x;
      right = crossed ? std::max(right, x) : x;
      crossed = true;
    }
    const int from = RoundHalfEven(left), to = RoundHalfEven(right);
    if (crossed && to > from) painter.FillRect(from + dx, y + dy, to - from, 1, color, fxBlend);
  }
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

// A square ring `width` pixels wide whose outer edge lies `inset` pixels inside the cell at (x, y).
void Ring(TScenePainter& painter, int x, int y, int side, int inset, int width, std::uint32_t color) {
  const int left = x + inset, top = y + inset, size = side - 2 * inset;
  if (size <= 2 * width) return;
  painter.FillRect(left, top, size, width, color, fxOpaque);
  painter.FillRect(left, top + size - width, size, width, color, fxOpaque);
  painter.FillRect(left, top + width, width, size - 2 * width, color, fxOpaque);
  painter.FillRect(left + size - width, top + width, width, size - 2 * width, color, fxOpaque);
}

// The marks of one classic square: its tints, then its rings from the edge inwards, inside the cell at
// (x, y) of `side` pixels on a board scaled by f.
void DrawClassicMarks(const TSceneState& state, TScenePainter& painter, int square, int x, int y, int side,
                      double f) {
  for (const TMarkLook& look : kMarkLooks) {
    if (state.Marks.Has(square, look.Mark) && look.Tint != kNoTint)
      painter.FillRect(x, y, side, side, look.Tint, fxBlend);
  }
  const int line = std::max(1, RoundHalfEven(kRingLine * f));
  int inset = 0;
  for (const TMarkLook& look : kMarkLooks) {
    if (!state.Marks.Has(square, look.Mark)) continue;
    const int band = std::max(1, RoundHalfEven(look.RingWidth * f));
    Ring(painter, x, y, side, inset, band + 2 * line, look.Dark);
    Ring(painter, x, y, side, inset + line, band, look.Bright);
    inset += band + 2 * line;
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

// The floors of every marked square, then their posts, kind by kind in drawing order.
void DrawSquareMarks(const TSceneState& state, TScenePainter& painter) {
  if (state.Marks.Empty()) return;
  for (const TMarkLook& look : kMarkLooks) {
    for (int s = 1; s <= 64; ++s) {
      if (state.Marks.Has(s, look.Mark)) FillFloor(state, painter, SquareQuad(s), look.FloorTint);
    }
  }
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
