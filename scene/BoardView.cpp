#include "scene/BoardView.h"

#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/SceneGeometry.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene {
namespace {

// The portrait is the same figure this many times larger.
constexpr double kPortraitFactor = 3.33;

// Two-digit decimal of 0..99, more digits when needed.
std::string TwoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// A text drawn twice, first its shadow one pixel down-right in `dark`, then itself in `bright`.
void ShadowedText(TScenePainter& painter, const TSceneState& state, int font, std::string_view text, int x,
                  int y, std::uint32_t dark, std::uint32_t bright) {
  const int ox = state.OriginX, oy = state.OriginY;
  painter.TextOut(font, text, x + 1 + ox, y + 1 + oy, dark, dark, fxBlend);
  painter.TextOut(font, text, x + ox, y + oy, bright, bright, fxBlend);
}

// A figure of "zelmar_piece_2" whose feet stand at back-buffer point (x, y).
void DrawFigure(const TSceneState& state, TScenePainter& painter, int code, int x, int y, TDrawFx fx) {
  const double sc = PerspectiveScale(state, y);
  const TFigureAnchor a = PieceAnchor(code);
  painter.DrawScaled(TPicture::Figure, PieceFrame(code), x - RoundHalfEven(a.X * sc),
                     y - RoundHalfEven(a.Y * sc), sc, fx);
}

// The two clock plates with their times.
void DrawClocks(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  const int seconds[2] = {state.Board.WhiteSeconds, state.Board.BlackSeconds};
  for (int side = 0; side < 2; ++side) {
    const int left = 664 + 180 * side;
    painter.Draw(TPicture::Timer, side, left + ox, 713 + oy, fxBlend);
    ShadowedText(painter, state, kClockFont, FormatClock(seconds[side]), left + 56, 726, 0xFF333333,
                 0xFFFEFEFE);
  }
}

// The status line: the state's text, or the result once the game is over.
void DrawStatusLine(const TSceneState& state, TScenePainter& painter) {
  const std::string& text = state.GameState == TGameState::GameOver
                                ? state.ResultText
                                : StatusText(state.GameState, state.Options.Lang);
  ShadowedText(painter, state, kTextFont, text, 17, 726, 0xFF333333, 0xFF00FFFF);
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

// The side panel's icon: the Zelmar's own in Zelmar mode, else the piece's, each over its shadow.
void DrawPanelIcon(const TSceneState& state, TScenePainter& painter, int p) {
  const int ox = state.OriginX, oy = state.OriginY;
  const bool white = p > 0;
  const TDrawFx shadowFx = white ? fxShade : fxAdd;
  if (ZelmarDrawn(state) && std::abs(p) == kQueen) {
    painter.DrawScaled(TPicture::Icon, white ? 1 : 7, 631 + ox, 11 + oy, 1.0, shadowFx);
    painter.DrawScaled(white ? TPicture::WhiteZelmarIcon : TPicture::BlackZelmarIcon, 0, 630 + ox, 10 + oy,
                       1.0, fxBlend);
    return;
  }
  painter.DrawScaled(TPicture::Icon, PieceFrame(p), 631 + ox, 11 + oy, 1.0, shadowFx);
  painter.DrawScaled(TPicture::Icon, PieceFrame(p), 630 + ox, 10 + oy, 1.0, fxBlend);
}

// The side panel of PanelPiece: portrait, icon frame, icon and name.
void DrawSidePanel(const TSceneState& state, TScenePainter& painter) {
  const int p = state.PanelPiece;
  const int ox = state.OriginX, oy = state.OriginY;
  const TFigureAnchor a = PieceAnchor(p);
  painter.DrawScaled(TPicture::Portrait, PieceFrame(p), 834 - RoundHalfEven(a.X * kPortraitFactor) + ox,
                     632 - RoundHalfEven(a.Y * kPortraitFactor) + oy, state.PortraitScale, fxBlend);
  painter.FillRect(630 + ox, 10 + oy, 90, 90, 0xFF202020, fxSubtract);
  DrawPanelIcon(state, painter, p);
  const std::string& name = PieceName(p, ZelmarDrawn(state), state.Options.Lang);
  if (p > 0)
    ShadowedText(painter, state, kTextFont, name, 730, 18, 0xFF000000, 0xFFDEDEDE);
  else
    ShadowedText(painter, state, kTextFont, name, 730, 18, 0xFFDEDEDE, 0xFF222222);
}

// The pattern of tool button k (1..9): the faces of the inversion and board buttons follow Inversion and
// Classic; the buttons after the board button skip its second face.
int ButtonPattern(const TSceneState& state, int k) {
  if (k == static_cast<int>(TToolButton::Inversion)) return state.Options.Inversion == 1 ? 1 : 0;
  if (k == static_cast<int>(TToolButton::ClassicBoard)) return state.Options.Classic == 1 ? 5 : 4;
  return k < static_cast<int>(TToolButton::ClassicBoard) ? k : k + 1;
}

// The nine tool buttons, the one under the cursor on a yellow ground.
void DrawToolButtons(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  if (state.ButtonHover > 0)
    painter.FillRect(11 + 50 * (state.ButtonHover - 1) + ox, 11 + oy, 41, 42, 0xFF00FFFF, fxOpaque);
  for (int k = 1; k <= kToolButtonCount; ++k)
    painter.Draw(TPicture::Button, ButtonPattern(state, k), 10 + 50 * (k - 1) + ox, 10 + oy, fxBlend);
}

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

// Hours, minutes and seconds joined by " : "; a negative count reads as 0.
std::string FormatClock(int seconds) {
  const int n = seconds < 0 ? 0 : seconds;
  const int h = n / 3600, m = (n - 3600 * h) / 60, s = n - 3600 * h - 60 * m;
  return TwoDigits(h) + " : " + TwoDigits(m) + " : " + TwoDigits(s);
}

// The title background, then, from the first tick on, the twelve Black icons circling at half size.
void DrawTitleScreen(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  painter.Draw(TPicture::Ground, 0, ox, oy, fxOpaque);
  if (state.TitleX[0] == 0 || state.TitleY[0] == 0) return;
  for (int i = 1; i <= 12; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    painter.DrawScaled(TPicture::Icon, i <= 6 ? i + 5 : i - 1, state.TitleX[at] + ox, state.TitleY[at] + oy,
                       0.5, fxAdd);
  }
}

// The game screen in its eight steps.
void DrawGameScreen(const TSceneState& state, TScenePainter& painter) {
  // 1. Background of the location (none for a value outside 1..2).
  const int background = state.Options.Background;
  if (background == 1 || background == 2)
    painter.Draw(TPicture::Ground, background + 1, state.OriginX, state.OriginY, fxOpaque);
  // 2. Clocks. 3. Status line.
  DrawClocks(state, painter);
  DrawStatusLine(state, painter);
  // 4. Markers while the player is to move, then the standing figures.
  if (state.GameState == TGameState::HumanToMove) DrawMarkers(state, painter);
  DrawFigures(state, painter);
  // 5. The moving figure, glowing (AnimX and AnimY already hold the origin).
  if (state.Animating) DrawFigure(state, painter, state.MovingPiece, state.AnimX, state.AnimY, fxAdd);
  // 6. Side panel. 7. Classic board. 8. Tool buttons.
  if (state.PanelPiece != 0) DrawSidePanel(state, painter);
  if (state.Options.Classic > 1) DrawClassicBoard(state, painter, 10, 64);
  DrawToolButtons(state, painter);
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

// The four promotion choices in boxes down the right, the hovered one light.
void DrawPromotionPanel(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  for (int k = 2; k <= 5; ++k) {
    const int y = 281 + 100 * (k - 2) + oy;
    if (k == state.PromotionHover)
      painter.FillRect(630 + ox, y, 90, 90, 0xFFFEFEFE, fxBlend);
    else
      painter.FillRect(630 + ox, y, 90, 90, 0xFF111111, fxSubtract);
    painter.DrawScaled(TPicture::Icon, state.Board.SideToMove == 1 ? k - 1 : k + 5, 630 + ox, y, 1.0,
                       fxBlend);
  }
}

}  // namespace zelmar::scene
