// The game screen around the board: the clocks, the status line, the side panel, the tool buttons, and the
// promotion panel over it.
#include "scene/GameScreenView.h"

#include <cstdlib>

#include "framework/GfxRounding.h"
#include "scene/BoardView.h"
#include "scene/SceneGeometry.h"
#include "scene/SceneTexts.h"
#include "scene/TextRooms.h"

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

// The two clock plates with their times.
void DrawClocks(const TSceneState& state, TScenePainter& painter) {
  const int ox = state.OriginX, oy = state.OriginY;
  const int seconds[2] = {state.Board.WhiteSeconds, state.Board.BlackSeconds};
  for (int side = 0; side < 2; ++side) {
    const int left = kClockLeft + 180 * side;
    painter.Draw(TPicture::Timer, side, left + ox, 713 + oy, fxBlend);
    ShadowedText(painter, state, kClockFont, FormatClock(seconds[side]), left + 56, 726, 0xFF333333,
                 0xFFFEFEFE);
  }
}

// The status line: the state's text, the hint while the player is to move and has asked for one, or the
// result once the game is over.
void DrawStatusLine(const TSceneState& state, TScenePainter& painter) {
  const bool hint = state.HintAsked && state.GameState == TGameState::HumanToMove;
  const std::string text = state.GameState == TGameState::GameOver ? state.ResultText
                           : hint ? HintStatusText(state.HintSan, state.Options.Lang)
                                  : StatusText(state.GameState, state.Options.Lang);
  ShadowedText(painter, state, kTextFont, text, kStatusRoom.Left, 726, 0xFF333333, 0xFF00FFFF);
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
    ShadowedText(painter, state, kTextFont, name, kPanelNameRoom.Left, 18, 0xFF000000, 0xFFDEDEDE);
  else
    ShadowedText(painter, state, kTextFont, name, kPanelNameRoom.Left, 18, 0xFFDEDEDE, 0xFF222222);
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

}  // namespace

// Hours, minutes and seconds joined by " : "; a negative count reads as 0.
std::string FormatClock(int seconds) {
  const int n = seconds < 0 ? 0 : seconds;
  const int h = n / 3600, m = (n - 3600 * h) / 60, s = n - 3600 * h - 60 * m;
  return TwoDigits(h) + " : " + TwoDigits(m) + " : " + TwoDigits(s);
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
  // 4. The move marks, the selection and hover markers while the player is to move, then the standing
  // figures.
  DrawSquareMarks(state, painter);
  if (state.GameState == TGameState::HumanToMove) DrawMarkers(state, painter);
  DrawFigures(state, painter);
  // 5. The moving figure, glowing (AnimX and AnimY already hold the origin).
  if (state.Animating)
    DrawFigure(state, painter, state.MovingPiece, state.Glide.AnimX, state.Glide.AnimY, fxAdd);
  // 6. Side panel. 7. Classic board. 8. Tool buttons.
  if (state.PanelPiece != 0) DrawSidePanel(state, painter);
  if (state.Options.Classic > 1) DrawClassicBoard(state, painter, 10, 64);
  DrawToolButtons(state, painter);
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
