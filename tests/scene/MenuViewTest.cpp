// The menus, dialogs and the help screen, call by call on a recording painter, in both languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GfxUtf8.h"
#include "scene/BoardView.h"
#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/MenuView.h"
#include "scene/SceneTexts.h"
#include "tests/scene/support/EveryScreen.h"

namespace zelmar::scene {
namespace {

// Measures every byte of a text as 10 pixels, so that a test can tell where a centred text goes.
class TByteWidths : public TFrameRecord {
 public:
  double TextWidth(int, std::string_view text) const override {
    return 10.0 * static_cast<double>(text.size());
  }
};

std::vector<TPaintCall> MenuCalls(const TSceneState& state) {
  static const TByteWidths widths;
  TFrameRecord painter;
  painter.MeasureWith(&widths);
  DrawMenu(state, painter);
  return painter.Calls();
}

void ExpectText(const TPaintCall& c, const std::string& text, double x, double y, std::uint32_t top,
                std::uint32_t bottom) {
  EXPECT_EQ(c.Kind, TCallKind::TextOut) << c;
  EXPECT_EQ(c.Text, text) << c;
  EXPECT_EQ(c.X, x) << c;
  EXPECT_EQ(c.Y, y) << c;
  EXPECT_EQ(c.Color, top) << c;
  EXPECT_EQ(c.Bottom, bottom) << c;
  EXPECT_EQ(c.Fx, fxBlend) << c;
}

void ExpectRect(const TPaintCall& c, int x, int y, int w, int h, std::uint32_t color, TDrawFx fx) {
  EXPECT_EQ(c.Kind, TCallKind::FillRect) << c;
  EXPECT_EQ(c.X, x) << c;
  EXPECT_EQ(c.Y, y) << c;
  EXPECT_EQ(c.Width, w) << c;
  EXPECT_EQ(c.Height, h) << c;
  EXPECT_EQ(c.Color, color) << c;
  EXPECT_EQ(c.Fx, fx) << c;
}

TEST(MenuView, MainMenuItemsAreGreenToWhiteAndTheHoveredOneYellow) {
  TSceneState state;
  state.MenuHover = 2;
  state.OriginX = 3, state.OriginY = 4;
  auto calls = MenuCalls(state);
  ASSERT_EQ(calls.size(), 4u);
  const char* items[] = {"Game", "Help", "Options", "Quit"};
  for (int i = 0; i < 4; ++i) {
    const auto& c = calls[static_cast<std::size_t>(i)];
    EXPECT_EQ(c.Font, kMenuFont);
    if (i == 1)
      ExpectText(c, items[i], 89, 4 + 155 + 40 * i, 0xFFFFFF00, 0xFFFFFF00);
    else
      ExpectText(c, items[i], 89, 4 + 155 + 40 * i, 0xFF00FF00, 0xFFFFFFFF);
  }
  state.Options.Lang = 2;
  calls = MenuCalls(state);
  EXPECT_EQ(calls[0].Text, "Играть");
}

TEST(MenuView, OptionsShowLabelsAndTheCurrentValues) {
  TSceneState state;
  state.MenuKind = TMenuKind::OptionsMenu;
  state.MenuHover = 3;
  state.Options.Depth = 5;
  state.Options.Classic = 3;
  state.Options.Priority = 2;
  const auto calls = MenuCalls(state);
  // Eleven labels (three texts for the hovered one, two for the others), then ten boxes of three calls.
  ASSERT_EQ(calls.size(), 23u + 30u);
  ExpectText(calls[0], "Your Army", 87, 156, 0xFFFFFFFF, 0xFFFFFFFF);
  ExpectText(calls[1], "Your Army", 86, 155, 0xFF223322, 0xFF223322);
  ExpectText(calls[4], "Level", 87, 236, 0xFFFFFFFF, 0xFFFFFFFF);
  ExpectText(calls[5], "Level", 87, 236, 0xFF000000, 0xFF000000);
  ExpectText(calls[6], "Level", 86, 235, 0xFFFFFFFF, 0xFFFFFFFF);
  ExpectText(calls[20], "Move Marks", 86, 515, 0xFF223322, 0xFF223322);
  ExpectText(calls[22], "Back to Menu", 86, 555, 0xFF223322, 0xFF223322);
  std::vector<std::string> values;
  for (int i = 1; i <= 10; ++i) {
    const std::size_t at = 23u + 3u * static_cast<std::size_t>(i - 1);
    const int y = 152 + 40 * (i - 1);
    ExpectRect(calls[at], 243, y, 140, 30, 0xFFF6CFAD, fxMultiply);
    ExpectText(calls[at + 1], calls[at + 2].Text, 247, y + 4, 0xFF888888, 0xFF888888);
    ExpectText(calls[at + 2], calls[at + 2].Text, 246, y + 3, 0xFFFFFFFF, 0xFFFFFFFF);
    values.push_back(calls[at + 2].Text);
  }
  EXPECT_EQ(values, (std::vector<std::string>{"Blondes", "Zelmarian", "5", "Castle", "Marble", "Yes", "Yes",
                                              "Lower", "English", "None"}));
  // A change of language shows at once.
  state.Options.Lang = 2;
  const auto russian = MenuCalls(state);
  EXPECT_EQ(russian[0].Text, MenuItemText(TMenuKind::OptionsMenu, 1, 2));
  EXPECT_EQ(russian[23 + 14].Text, OptionValueText(5, 3, 2));  // "Мрамор"
  EXPECT_EQ(russian[23 + 26].Text, "Русский");
}

TEST(MenuView, DialogsCentreTheirQuestionByItsWidthAndLightTheHoveredButton) {
  TSceneState state;
  state.MenuKind = TMenuKind::QuitConfirm;
  state.MenuHover = 2;
  auto calls = MenuCalls(state);
  ASSERT_EQ(calls.size(), 3u + 3u * 2u);
  EXPECT_TRUE(calls[0].Is(TCallKind::Draw, TPicture::Window));
  EXPECT_EQ(calls[0].X, 287);
  EXPECT_EQ(calls[0].Y, 277);
  EXPECT_EQ(calls[0].Fx, fxBlend);
  // 300 pixels wide in the 348 between x 338 and 686.
  ExpectText(calls[1], "Are you sure you want to quit?", 363, 349, 0xFF000000, 0xFF000000);
  ExpectText(calls[2], "Are you sure you want to quit?", 362, 348, 0xFFFFFFFF, 0xFFFFFFFF);
  ExpectRect(calls[3], 413, 397, 98, 30, 0xFF151515, fxSubtract);
  ExpectText(calls[4], "Cancel", 417, 401, 0xFF000000, 0xFF000000);
  ExpectText(calls[5], "Cancel", 416, 400, 0xFF00FFFF, 0xFF00FFFF);
  ExpectRect(calls[6], 513, 397, 98, 30, 0xFF192956, fxOpaque);
  ExpectText(calls[8], "Quit", 516, 400, 0xFFFFFFFF, 0xFFFFFFFF);
  state.Options.Lang = 2;
  EXPECT_EQ(MenuCalls(state)[2].X, 338 - 46);  // 44 bytes, 440 pixels: centred, overflowing on both sides
  // Without fonts to measure with, a question is centred on the window's middle.
  TFrameRecord unmeasured;
  DrawMenu(state, unmeasured);
  EXPECT_EQ(unmeasured.Calls()[2].X, 512);
  // The in-game window: its own question, three buttons from x 364.
  state.MenuKind = TMenuKind::GameDialog;
  state.MenuHover = 1;
  calls = MenuCalls(state);
  ASSERT_EQ(calls.size(), 3u + 3u * 3u);
  EXPECT_EQ(calls[2].X, 338 - 56);  // 46 bytes, 460 pixels
  EXPECT_EQ(calls[2].Text, MenuQuestion(TMenuKind::GameDialog, 2));
  ExpectRect(calls[3], 364, 397, 98, 30, 0xFF192956, fxOpaque);
  ExpectRect(calls[9], 564, 397, 98, 30, 0xFF151515, fxSubtract);
  EXPECT_EQ(calls[11].Text, MenuItemText(TMenuKind::GameDialog, 3, 2));
  state.Options.Lang = 1;
  calls = MenuCalls(state);
  ExpectText(calls[2], "Please select to continue", 338 + 49, 348, 0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_EQ(calls[8].Text, "Rematch");
  // The help buttons at the bottom right; no menu draws nothing.
  state.MenuKind = TMenuKind::HelpButtons;
  state.MenuHover = 3;
  calls = MenuCalls(state);
  ASSERT_EQ(calls.size(), 9u);
  ExpectRect(calls[0], 711, 723, 98, 30, 0xFF151515, fxSubtract);
  ExpectRect(calls[6], 911, 723, 98, 30, 0xFF192956, fxOpaque);
  ExpectText(calls[7], "Quit", 915, 727, 0xFF000000, 0xFF000000);
  state.MenuKind = TMenuKind::NoMenu;
  EXPECT_TRUE(MenuCalls(state).empty());
}

TEST(MenuView, HelpScreenShowsTheElevenButtonFacesWithTheirMeaning) {
  TSceneState state;
  state.OriginY = 128;
  TFrameRecord painter;
  DrawHelpScreen(state, painter);
  ASSERT_EQ(painter.Calls().size(), 1u + 11u * 3u + 2u);  // and the hint key's line below them
  EXPECT_TRUE(painter.Calls()[0].Is(TCallKind::Draw, TPicture::Ground));
  EXPECT_EQ(painter.Calls()[0].Pattern, 1);
  EXPECT_EQ(painter.Calls()[0].Fx, fxOpaque);
  for (int i = 0; i <= 10; ++i) {
    const auto at = static_cast<std::size_t>(1 + 3 * i);
    const int y = 128 + 62 + 60 * i;
    EXPECT_TRUE(painter.Calls()[at].Is(TCallKind::Draw, TPicture::Button));
    EXPECT_EQ(painter.Calls()[at].Pattern, i);
    EXPECT_EQ(painter.Calls()[at].Y, y);
    ExpectText(painter.Calls()[at + 1], HelpLegend(i, 1), 131, y + 11, 0xFF000000, 0xFF000000);
    ExpectText(painter.Calls()[at + 2], HelpLegend(i, 1), 130, y + 10, 0xFFDEDEDE, 0xFFDEDEDE);
  }
  EXPECT_EQ(painter.Calls()[2].Text, "Black pieces at the bottom");
  ExpectText(painter.Calls()[34], HelpHintText(1), 131, 128 + 62 + 660 + 11, 0xFF000000, 0xFF000000);
  ExpectText(painter.Calls()[35], "H: the computer suggests your move", 130, 128 + 62 + 660 + 10, 0xFFDEDEDE,
             0xFFDEDEDE);
}

// Every screen and menu in Russian: each text drawn is whole UTF-8 with Cyrillic letters, none empty.
TEST(MenuView, EveryRussianTextOfEveryScreenDraws) {
  std::size_t texts = 0;
  for (const TSceneState& state : test::EveryScreen(2)) {
    TFrameRecord painter;
    DrawFrame(state, painter, 1024, 768);
    for (const std::string& text : painter.Texts()) {
      ++texts;
      EXPECT_FALSE(text.empty());
      const std::size_t mark = text.find('?');  // a failed character; the only real ones end a question
      EXPECT_TRUE(mark == std::string::npos || mark + 1 == text.size()) << text;
      bool cyrillicOrDigit = false;
      for (std::size_t at = 0; at < text.size();) {
        const TUtf8Char ch = ReadUtf8Char(text, at);
        EXPECT_TRUE(ch.Valid) << text;
        cyrillicOrDigit = cyrillicOrDigit || (ch.CodePoint >= U'\u0400' && ch.CodePoint <= U'\u04FF') ||
                          (ch.CodePoint >= U'0' && ch.CodePoint <= U'9');
        at += ch.Length;
      }
      EXPECT_TRUE(cyrillicOrDigit || text == "English" || text == "Russian") << text;
    }
  }
  EXPECT_GT(texts, 150u);
}

TEST(FrameView, AFrameClearsDrawsScreenMenuPromotionAndCursorLast) {
  TSceneState state;
  state.SceneMode = TSceneMode::GameScreen;
  state.MenuKind = TMenuKind::GameDialog;
  state.GameState = TGameState::ChoosePromotion;
  state.OriginX = state.OriginY = 128;
  state.CursorX = 1024, state.CursorY = 0;
  TFrameRecord painter;
  DrawFrame(state, painter, 1280, 1024);
  const auto calls = painter.Calls();
  ExpectRect(calls.front(), 0, 0, 1280, 1024, 0x00000000, fxOpaque);
  EXPECT_TRUE(calls[1].Is(TCallKind::Draw, TPicture::Ground));
  EXPECT_TRUE(calls.back().Is(TCallKind::Draw, TPicture::Cursor));
  EXPECT_EQ(calls.back().X, 128 + 1024);
  EXPECT_EQ(calls.back().Y, 128);
  EXPECT_EQ(calls.back().Fx, fxBlend);
  // The window comes after the screen, the promotion panel after the window.
  std::size_t window = 0, panel = 0, buttons = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].Is(TCallKind::Draw, TPicture::Button)) buttons = i;
    if (calls[i].Is(TCallKind::Draw, TPicture::Window)) window = i;
    if (calls[i].Kind == TCallKind::FillRect && calls[i].X == 128 + 630 && calls[i].Y == 128 + 281) panel = i;
  }
  EXPECT_LT(buttons, window);
  EXPECT_LT(window, panel);
  // Every other screen shows the menu pointer; before start-up only the clear, the menu and the cursor.
  state.SceneMode = TSceneMode::TitleScreen;
  state.MenuKind = TMenuKind::MainMenu;
  state.GameState = TGameState::HumanToMove;
  painter.Clear();
  DrawFrame(state, painter, 1280, 1024);
  EXPECT_TRUE(painter.Calls().back().Is(TCallKind::Draw, TPicture::MenuCursor));
  state.SceneMode = TSceneMode::NotStarted;
  state.MenuKind = TMenuKind::NoMenu;
  painter.Clear();
  DrawFrame(state, painter, 1024, 768);
  ASSERT_EQ(painter.Calls().size(), 2u);
  EXPECT_TRUE(painter.Calls().back().Is(TCallKind::Draw, TPicture::MenuCursor));
}

}  // namespace
}  // namespace zelmar::scene
