// The game screen, the title screen and the promotion panel, call by call on a recording painter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/GfxRounding.h"
#include "scene/AnimationSteps.h"
#include "scene/BoardView.h"
#include "scene/FrameRecord.h"
#include "scene/GameScreenView.h"
#include "scene/SceneTexts.h"
#include "scene/TitleView.h"

namespace zelmar::scene {
namespace {

constexpr int kE2 = 53, kE4 = 37;

// A game screen with nothing on the board, no classic board and the player to move.
TSceneState EmptyGame() {
  TSceneState state;
  state.SceneMode = TSceneMode::GameScreen;
  state.MenuKind = TMenuKind::NoMenu;
  state.Options.Classic = 1;
  state.Board.LoadPosition(std::string(64, ' '));
  return state;
}

std::vector<TPaintCall> Record(const TSceneState& state, void (*draw)(const TSceneState&, TScenePainter&)) {
  TFrameRecord painter;
  draw(state, painter);
  return painter.Calls();
}

// A short name of a call's role, for checking the order of a whole screen.
std::string Role(const TPaintCall& c) {
  switch (c.Kind) {
    case TCallKind::Draw:
    case TCallKind::DrawScaled:
      return std::string(PictureName(c.Picture));
    case TCallKind::FillRect:
      return "rect";
    case TCallKind::PutPixel:
      return "pixel";
    case TCallKind::TextOut:
      return "text";
  }
  return "?";
}

// The roles of the calls with runs of the same role folded into one.
std::vector<std::string> Phases(const std::vector<TPaintCall>& calls) {
  std::vector<std::string> out;
  for (const TPaintCall& c : calls)
    if (out.empty() || out.back() != Role(c)) out.push_back(Role(c));
  return out;
}

void ExpectCall(const TPaintCall& c, TCallKind kind, TPicture picture, int pattern, double x, double y,
                double scale, TDrawFx fx) {
  EXPECT_EQ(c.Kind, kind) << c;
  EXPECT_EQ(c.Picture, picture) << c;
  EXPECT_EQ(c.Pattern, pattern) << c;
  EXPECT_EQ(c.X, x) << c;
  EXPECT_EQ(c.Y, y) << c;
  EXPECT_DOUBLE_EQ(c.Scale, scale) << c;
  EXPECT_EQ(c.Fx, fx) << c;
}

void ExpectText(const TPaintCall& c, int font, const std::string& text, double x, double y,
                std::uint32_t color) {
  EXPECT_EQ(c.Kind, TCallKind::TextOut) << c;
  EXPECT_EQ(c.Font, font) << c;
  EXPECT_EQ(c.Text, text) << c;
  EXPECT_EQ(c.X, x) << c;
  EXPECT_EQ(c.Y, y) << c;
  EXPECT_EQ(c.Color, color) << c;
  EXPECT_EQ(c.Bottom, color) << c;
}

TEST(BoardView, GameScreenDrawsItsEightStepsInOrder) {
  TSceneState state;
  state.SceneMode = TSceneMode::GameScreen;
  state.MenuKind = TMenuKind::NoMenu;
  state.Options.Classic = 2;
  state.Options.Mode = 1;
  state.SelectedSquare = kE2;
  state.HoverSquare = kE4;
  state.PanelPiece = 1;
  state.Animating = true;
  state.MovingPiece = -2;
  state.Glide.AnimX = 400, state.Glide.AnimY = 300;
  state.ButtonHover = 9;
  state.Board.WhiteSeconds = 3725;
  state.Board.BlackSeconds = 360000;
  const auto calls = Record(state, DrawGameScreen);
  // Background, clocks and status line; posts; standing and moving figures; side panel; classic board
  // with e2 selected; the hovered button's ground and the buttons.
  const std::vector<std::string> want = {"ground", "timer",          "text",           "timer", "text",
                                         "pixel",  "zelmar_piece_2", "zelmar_piece_1", "rect",  "piece_1",
                                         "text",   "classic",        "piece_2",        "rect",  "piece_2",
                                         "rect",   "button"};  // tool buttons
  EXPECT_EQ(Phases(calls), want);
  ExpectCall(calls[0], TCallKind::Draw, TPicture::Ground, 2, 0, 0, 1, fxOpaque);
  ExpectCall(calls[1], TCallKind::Draw, TPicture::Timer, 0, 664, 713, 1, fxBlend);
  ExpectText(calls[2], kClockFont, "01 : 02 : 05", 721, 727, 0xFF333333);
  ExpectText(calls[3], kClockFont, "01 : 02 : 05", 720, 726, 0xFFFEFEFE);
  ExpectCall(calls[4], TCallKind::Draw, TPicture::Timer, 1, 844, 713, 1, fxBlend);
  ExpectText(calls[5], kClockFont, "100 : 00 : 00", 901, 727, 0xFF333333);
  ExpectText(calls[6], kClockFont, "100 : 00 : 00", 900, 726, 0xFFFEFEFE);
  ExpectText(calls[7], kTextFont, "Your move?", 18, 727, 0xFF333333);
  ExpectText(calls[8], kTextFont, "Your move?", 17, 726, 0xFF00FFFF);
  // 32 standing figures, then the moving one glowing.
  TFrameRecord painter;
  DrawGameScreen(state, painter);
  const auto figures = painter.Of(TCallKind::DrawScaled, TPicture::Figure);
  ASSERT_EQ(figures.size(), 33u);
  for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(figures[i].Fx, fxBlend) << figures[i];
  ExpectCall(figures[32], TCallKind::DrawScaled, TPicture::Figure, 7, 400 - 14, 300 - 60, 0.34347770700636937,
             fxAdd);
  // The hovered button's ground comes just before the nine buttons.
  const auto rects = painter.Of(TCallKind::FillRect);
  EXPECT_EQ(rects.back().X, 411);
  EXPECT_EQ(rects.back().Color, 0xFF00FFFFu);
  EXPECT_EQ(painter.Of(TCallKind::Draw, TPicture::Button).size(), 9u);
}

TEST(BoardView, FiguresStandWithTheirFeetOnTheSquareCentre) {
  TSceneState state = EmptyGame();
  state.Board.Put(kE4, 2);  // White knight
  auto calls = Record(state, DrawGameScreen);
  auto figures = std::vector<TPaintCall>{};
  for (const auto& c : calls)
    if (c.Is(TCallKind::DrawScaled, TPicture::Figure)) figures.push_back(c);
  // e4's centre is (383, 392); the scale there is ((392 - 314) / 785 + 0.6) x 0.59, the anchor (34, 180).
  ASSERT_EQ(figures.size(), 1u);
  ExpectCall(figures[0], TCallKind::DrawScaled, TPicture::Figure, 1, 383 - 14, 392 - 74, 0.412624203821656,
             fxBlend);
  // In Town the board lies 13 right and 73 down; a Black rook there has its own anchor (27, 169).
  state.Options.Background = 2;
  state.Board.Put(kE4, -4);
  calls = Record(state, DrawGameScreen);
  ExpectCall(calls[0], TCallKind::Draw, TPicture::Ground, 3, 0, 0, 1, fxOpaque);
  figures.clear();
  for (const auto& c : calls)
    if (c.Is(TCallKind::DrawScaled, TPicture::Figure)) figures.push_back(c);
  ASSERT_EQ(figures.size(), 1u);
  ExpectCall(figures[0], TCallKind::DrawScaled, TPicture::Figure, 9, 396 - 13, 465 - 79, 0.4674904458598726,
             fxBlend);
  // Square order: a8 first, h1 last, so nearer ranks cover farther ones.
  state.Board.LoadStart();
  TFrameRecord painter;
  DrawGameScreen(state, painter);
  const auto all = painter.Of(TCallKind::DrawScaled, TPicture::Figure);
  ASSERT_EQ(all.size(), 32u);
  EXPECT_EQ(all.front().Pattern, 9);  // the Black rook on a8
  EXPECT_EQ(all.back().Pattern, 3);   // the White rook on h1
}

TEST(BoardView, MarkersArePostsOnTheSelectedAndTheHoveredSquare) {
  TSceneState state = EmptyGame();
  state.SelectedSquare = kE2;
  state.HoverSquare = kE4;
  TFrameRecord painter;
  DrawMarkers(state, painter);
  // e2 (far-left corner at y 444) with Pulse 20: 9 pixels tall; e4 (y 370) with thickness 10: 4 tall.
  const auto calls = painter.Calls();
  ASSERT_EQ(calls.size(), (9u + 4u) * 5u * 4u);
  for (const auto& c : calls) EXPECT_EQ(c.Fx, fxOpaque);
  // The first step of e2: bright above, dark below, bright, dark right, bright left, each at four corners.
  const int corners[4][2] = {{314, 444}, {279, 488}, {338, 503}, {370, 456}};
  const int dx[5] = {0, 0, 0, 1, -1}, dy[5] = {-2, 0, -1, -1, -1};
  const std::uint32_t colors[5] = {0xFF00FFFF, 0xFF333333, 0xFF00FFFF, 0xFF333333, 0xFF00FFFF};
  for (int pass = 0; pass < 5; ++pass) {
    for (int i = 0; i < 4; ++i) {
      const TPaintCall& c = calls[static_cast<std::size_t>(pass * 4 + i)];
      EXPECT_EQ(c.X, corners[i][0] + dx[pass]) << c;
      EXPECT_EQ(c.Y, corners[i][1] + dy[pass]) << c;
      EXPECT_EQ(c.Color, colors[pass]) << c;
    }
  }
  EXPECT_EQ(calls[9 * 20].Color, 0xFFFFFFFFu);  // the hovered square's first post, white
  EXPECT_EQ(calls[9 * 20].Y, 370 - 2);
  // The hovered square is not marked twice; in Town the posts move with the board.
  state.HoverSquare = kE2;
  state.Options.Background = 2;
  painter.Clear();
  DrawMarkers(state, painter);
  ASSERT_EQ(painter.Calls().size(), 9u * 20u);
  EXPECT_EQ(painter.Calls()[0].X, 314 + 13);
  EXPECT_EQ(painter.Calls()[0].Y, 444 + 73 - 2);
  // No posts while the computer thinks.
  state.GameState = TGameState::ComputerThinking;
  painter.Clear();
  DrawGameScreen(state, painter);
  EXPECT_TRUE(painter.Of(TCallKind::PutPixel).empty());
}

// The panel's calls: portrait, frame, shadow icon, icon, two name texts.
std::vector<TPaintCall> PanelCalls(int piece, int mode) {
  TSceneState state = EmptyGame();
  state.PanelPiece = piece;
  state.PortraitScale = 2.5;
  state.Options.Mode = mode;
  std::vector<TPaintCall> out;
  bool inPanel = false;
  for (const auto& c : Record(state, DrawGameScreen)) {
    if (c.Is(TCallKind::DrawScaled, TPicture::Portrait)) inPanel = true;
    if (c.Is(TCallKind::Draw, TPicture::Button)) inPanel = false;
    if (inPanel && !(c.Kind == TCallKind::FillRect && c.Color == 0xFF00FFFF)) out.push_back(c);
  }
  return out;
}

TEST(BoardView, SidePanelShowsPortraitIconAndNameOfTheSelectedPiece) {
  // A White knight: the icon's shadow shaded, the name dark under light.
  auto p = PanelCalls(2, 1);
  ASSERT_EQ(p.size(), 6u);
  ExpectCall(p[0], TCallKind::DrawScaled, TPicture::Portrait, 1, 834 - 113, 632 - 599, 2.5, fxBlend);
  EXPECT_EQ(p[1].Kind, TCallKind::FillRect);
  EXPECT_EQ(p[1].X, 630);
  EXPECT_EQ(p[1].Y, 10);
  EXPECT_EQ(p[1].Width, 90);
  EXPECT_EQ(p[1].Height, 90);
  EXPECT_EQ(p[1].Color, 0xFF202020u);
  EXPECT_EQ(p[1].Fx, fxSubtract);
  ExpectCall(p[2], TCallKind::DrawScaled, TPicture::Icon, 1, 631, 11, 1, fxShade);
  ExpectCall(p[3], TCallKind::DrawScaled, TPicture::Icon, 1, 630, 10, 1, fxBlend);
  ExpectText(p[4], kTextFont, "White Knight", 731, 19, 0xFF000000);
  ExpectText(p[5], kTextFont, "White Knight", 730, 18, 0xFFDEDEDE);
  // A Black bishop: the shadow added, the name light under dark.
  p = PanelCalls(-3, 2);
  ASSERT_EQ(p.size(), 6u);
  ExpectCall(p[0], TCallKind::DrawScaled, TPicture::Portrait, 8, 834 - 130, 632 - 579, 2.5, fxBlend);
  ExpectCall(p[2], TCallKind::DrawScaled, TPicture::Icon, 8, 631, 11, 1, fxAdd);
  ExpectCall(p[3], TCallKind::DrawScaled, TPicture::Icon, 8, 630, 10, 1, fxBlend);
  ExpectText(p[4], kTextFont, "Black Bishop", 731, 19, 0xFFDEDEDE);
  ExpectText(p[5], kTextFont, "Black Bishop", 730, 18, 0xFF222222);
  // The Zelmars in Zelmar mode: the queen's portrait, their own icons over a knight's shadow.
  p = PanelCalls(5, 2);
  ASSERT_EQ(p.size(), 6u);
  ExpectCall(p[0], TCallKind::DrawScaled, TPicture::Portrait, 4, 834 - 153, 632 - 626, 2.5, fxBlend);
  ExpectCall(p[2], TCallKind::DrawScaled, TPicture::Icon, 1, 631, 11, 1, fxShade);
  ExpectCall(p[3], TCallKind::DrawScaled, TPicture::WhiteZelmarIcon, 0, 630, 10, 1, fxBlend);
  EXPECT_EQ(p[5].Text, "White Zelmar");
  p = PanelCalls(-5, 2);
  ASSERT_EQ(p.size(), 6u);
  ExpectCall(p[2], TCallKind::DrawScaled, TPicture::Icon, 7, 631, 11, 1, fxAdd);
  ExpectCall(p[3], TCallKind::DrawScaled, TPicture::BlackZelmarIcon, 0, 630, 10, 1, fxBlend);
  EXPECT_EQ(p[5].Text, PieceName(-5, true, 1));
  // In standard chess the queen is a queen everywhere.
  p = PanelCalls(-5, 1);
  ASSERT_EQ(p.size(), 6u);
  ExpectCall(p[3], TCallKind::DrawScaled, TPicture::Icon, 10, 630, 10, 1, fxBlend);
  EXPECT_EQ(p[5].Text, "Black Queen");
}

TEST(BoardView, TurnedClassicBoardShowsH1TopLeftAndTheSelection) {
  TSceneState state = EmptyGame();
  state.Board.LoadStart();
  state.Options.Classic = 3;
  state.Options.Inversion = 1;
  state.BoardSizePercent = 50;
  state.SelectedSquare = 1;
  TFrameRecord painter;
  DrawClassicBoard(state, painter, 10, 64);
  const auto calls = painter.Calls();
  ASSERT_EQ(calls.size(), 1u + 1u + 32u);
  ExpectCall(calls[0], TCallKind::DrawScaled, TPicture::Classic, 3, 10, 64, 0.5, fxBlend);
  // a8 is at the bottom right: column and row 8 from 40 pixels in, halved.
  EXPECT_EQ(calls[1].Kind, TCallKind::FillRect);
  EXPECT_EQ(calls[1].X, 10 + 335);
  EXPECT_EQ(calls[1].Y, 64 + 335);
  EXPECT_EQ(calls[1].Width, 45);
  EXPECT_EQ(calls[1].Color, 0xFFFFFFFFu);
  EXPECT_EQ(calls[1].Fx, fxOpaque);
  ExpectCall(calls[2], TCallKind::DrawScaled, TPicture::ClassicPiece, 9, 10 + 335, 64 + 335, 0.5, fxBlend);
  // h1 at the top left; the Zelmars (d8, d1) use their own pictures.
  ExpectCall(calls.back(), TCallKind::DrawScaled, TPicture::ClassicPiece, 3, 10 + 20, 64 + 20, 0.5, fxBlend);
  EXPECT_EQ(painter.Of(TCallKind::DrawScaled, TPicture::WhiteZelmar).size(), 1u);
  EXPECT_EQ(painter.Of(TCallKind::DrawScaled, TPicture::BlackZelmar).size(), 1u);
  // Unturned wood at 76 %: a8 at the top left, b8 rounded from 98.8; the game screen puts it at (10, 64).
  state.Options.Classic = 2;
  state.Options.Inversion = 2;
  state.Options.Mode = 1;
  state.BoardSizePercent = 76;
  painter.Clear();
  DrawGameScreen(state, painter);
  const auto boards = painter.Of(TCallKind::DrawScaled, TPicture::Classic);
  ASSERT_EQ(boards.size(), 1u);
  ExpectCall(boards[0], TCallKind::DrawScaled, TPicture::Classic, 0, 10, 64, 0.76, fxBlend);
  const auto pieces = painter.Of(TCallKind::DrawScaled, TPicture::ClassicPiece);
  ASSERT_EQ(pieces.size(), 32u);
  EXPECT_EQ(pieces[1].X, 10 + 99);
  EXPECT_EQ(pieces[1].Y, 64 + 30);
  EXPECT_EQ(pieces[3].Pattern, 10);  // the Black queen is a queen in standard chess
  // The perspective board does not turn: a8's figure is still drawn first and farthest.
  EXPECT_EQ(painter.Of(TCallKind::DrawScaled, TPicture::Figure).front().Pattern, 9);
}

TEST(BoardView, ToolButtonFacesFollowInversionAndClassic) {
  TSceneState state = EmptyGame();
  auto patterns = [&] {
    std::vector<int> out;
    TFrameRecord painter;
    DrawGameScreen(state, painter);
    for (const auto& c : painter.Of(TCallKind::Draw, TPicture::Button)) {
      EXPECT_EQ(c.X, 10 + 50 * static_cast<int>(out.size()));
      EXPECT_EQ(c.Y, 10);
      out.push_back(c.Pattern);
    }
    return out;
  };
  EXPECT_EQ(patterns(), (std::vector<int>{0, 2, 3, 5, 6, 7, 8, 9, 10}));
  state.Options.Inversion = 1;
  state.Options.Classic = 3;
  EXPECT_EQ(patterns(), (std::vector<int>{1, 2, 3, 4, 6, 7, 8, 9, 10}));
  // No background for a value outside the two locations.
  state.Options.Background = 3;
  TFrameRecord painter;
  DrawGameScreen(state, painter);
  EXPECT_TRUE(painter.Of(TCallKind::Draw, TPicture::Ground).empty());
}

TEST(BoardView, FullScreenOriginMovesEverythingAndEnlargesTheFigures) {
  TSceneState state;
  state.SceneMode = TSceneMode::GameScreen;
  state.MenuKind = TMenuKind::NoMenu;
  state.SelectedSquare = kE2;
  state.HoverSquare = kE4;
  state.PanelPiece = -6;
  state.ButtonHover = 2;
  const auto atZero = Record(state, DrawGameScreen);
  state.OriginX = state.OriginY = 128;
  const auto moved = Record(state, DrawGameScreen);
  ASSERT_EQ(atZero.size(), moved.size());
  int figures = 0;
  for (std::size_t i = 0; i < moved.size(); ++i) {
    const TPaintCall &a = atZero[i], &b = moved[i];
    ASSERT_EQ(Role(a), Role(b));
    if (b.Is(TCallKind::DrawScaled, TPicture::Figure)) {
      // Larger by 128 / 785 x 0.59; the feet stay on the moved centre.
      EXPECT_NEAR(b.Scale - a.Scale, 0.0962038, 1e-6) << b;
      const TFigureAnchor anchor = PieceAnchor(b.Pattern < 6 ? b.Pattern + 1 : -(b.Pattern - 5));
      EXPECT_EQ(b.X + RoundHalfEven(anchor.X * b.Scale), a.X + RoundHalfEven(anchor.X * a.Scale) + 128);
      EXPECT_EQ(b.Y + RoundHalfEven(anchor.Y * b.Scale), a.Y + RoundHalfEven(anchor.Y * a.Scale) + 128);
      ++figures;
      continue;
    }
    // Everything else, posts included, only moves.
    EXPECT_EQ(b.X, a.X + 128) << b;
    EXPECT_EQ(b.Y, a.Y + 128) << b;
    EXPECT_EQ(b.Scale, a.Scale) << b;
  }
  EXPECT_EQ(figures, 32);
}

TEST(BoardView, PromotionPanelOffersTheFourPiecesOfTheSideToMove) {
  TSceneState state;
  state.PromotionHover = 3;
  state.OriginX = 5;
  TFrameRecord painter;
  DrawPromotionPanel(state, painter);
  ASSERT_EQ(painter.Calls().size(), 8u);
  for (int k = 2; k <= 5; ++k) {
    const TPaintCall box = painter.Calls()[static_cast<std::size_t>(2 * (k - 2))];
    const TPaintCall icon = painter.Calls()[static_cast<std::size_t>(2 * (k - 2) + 1)];
    EXPECT_EQ(box.X, 635);
    EXPECT_EQ(box.Y, 281 + 100 * (k - 2));
    EXPECT_EQ(box.Width, 90);
    EXPECT_EQ(box.Color, k == 3 ? 0xFFFEFEFEu : 0xFF111111u) << box;
    EXPECT_EQ(box.Fx, k == 3 ? fxBlend : fxSubtract) << box;
    ExpectCall(icon, TCallKind::DrawScaled, TPicture::Icon, k - 1, 635, 281 + 100 * (k - 2), 1, fxBlend);
  }
  state.Board.SideToMove = -1;
  painter.Clear();
  DrawPromotionPanel(state, painter);
  EXPECT_EQ(painter.Calls()[7].Pattern, 10);  // the Black queen
}

TEST(BoardView, ClockStatusAndResultTexts) {
  EXPECT_EQ(FormatClock(0), "00 : 00 : 00");
  EXPECT_EQ(FormatClock(59), "00 : 00 : 59");
  EXPECT_EQ(FormatClock(3599), "00 : 59 : 59");
  EXPECT_EQ(FormatClock(3725), "01 : 02 : 05");
  EXPECT_EQ(FormatClock(360000), "100 : 00 : 00");
  EXPECT_EQ(FormatClock(-5), "00 : 00 : 00");
  // The status line follows the game state and shows the result once the game is over, in Russian too.
  TSceneState state = EmptyGame();
  state.Options.Lang = 2;
  state.GameState = TGameState::ComputerThinking;
  TFrameRecord painter;
  DrawGameScreen(state, painter);
  EXPECT_EQ(painter.Texts()[4], StatusText(TGameState::ComputerThinking, 2));
  state.GameState = TGameState::GameOver;
  state.ResultText = ResultTextOf(TResult::Mate, 2);
  painter.Clear();
  DrawGameScreen(state, painter);
  EXPECT_EQ(painter.Texts()[5], ResultTextOf(TResult::Mate, 2));
}

TEST(AnimationSteps, TitleCirclePulseAndPortraitZoom) {
  TSceneState state;
  // Before the first tick the title shows its background only.
  TFrameRecord painter;
  DrawTitleScreen(state, painter);
  ASSERT_EQ(painter.Calls().size(), 1u);
  ExpectCall(painter.Calls()[0], TCallKind::Draw, TPicture::Ground, 0, 0, 0, 1, fxOpaque);
  // One tick: figure 1 at angle 2 pi - 0.01 on a radius of 166.8 round (222, 419).
  TitleStep(state);
  EXPECT_EQ(state.TitleX[0], 220);
  EXPECT_EQ(state.TitleY[0], 586);
  state.OriginX = 10, state.OriginY = 20;
  painter.Clear();
  DrawTitleScreen(state, painter);
  ASSERT_EQ(painter.Calls().size(), 13u);
  for (int i = 1; i <= 12; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    ExpectCall(painter.Calls()[at + 1], TCallKind::DrawScaled, TPicture::Icon, 6 + (i - 1) % 6,
               state.TitleX[at] + 10, state.TitleY[at] + 20, 0.5, fxAdd);
  }
  // The circle shrinks to half and grows back, turning 0.01 per tick.
  double smallest = 1e9, largest = 0;
  for (int t = 0; t < 700; ++t) {
    TitleStep(state);
    const double dx = state.TitleX[5] - 222, dy = state.TitleY[5] - 419;
    smallest = std::min(smallest, std::sqrt(dx * dx + dy * dy));
    largest = std::max(largest, std::sqrt(dx * dx + dy * dy));
  }
  EXPECT_NEAR(smallest, 83.8, 1.0);
  EXPECT_NEAR(largest, 167.6, 1.0);
  // The pulse swings between 1 and 51.
  int low = 100, high = 0;
  for (int t = 0; t < 200; ++t) {
    PulseStep(state);
    low = std::min(low, state.Pulse);
    high = std::max(high, state.Pulse);
  }
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 51);
  // The portrait from 6.0 is below 1 after 46 ticks and exactly 1 from the next.
  state.PortraitScale = 6.0;
  for (int t = 0; t < 45; ++t) PortraitStep(state);
  EXPECT_GT(state.PortraitScale, 1.0);
  PortraitStep(state);
  EXPECT_LT(state.PortraitScale, 1.0);
  PortraitStep(state);
  EXPECT_EQ(state.PortraitScale, 1.0);
}

}  // namespace
}  // namespace zelmar::scene
