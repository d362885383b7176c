#include "scene/MenuView.h"

#include <string>

#include "scene/SceneTexts.h"

namespace zelmar::scene {
namespace {

// The current value of options item 1..9.
int OptionValue(const GameOptions& o, int item) {
  const std::int32_t values[9] = {o.Army,  o.Mode,  o.Depth,    o.Background, o.Classic,
                                  o.Music, o.Sound, o.Priority, o.Lang};
  return values[item - 1];
}

// One text in a single colour at a logical point.
void Text(const TSceneState& state, TScenePainter& painter, int font, std::string_view text, int x, int y,
          std::uint32_t color) {
  painter.TextOut(font, text, x + state.OriginX, y + state.OriginY, color, color, fxBlend);
}

// The main menu's four items, the hovered one all yellow, the others green fading to white.
void DrawMainMenu(const TSceneState& state, TScenePainter& painter) {
  for (int i = 1; i <= 4; ++i) {
    const bool hovered = i == state.MenuHover;
    const std::uint32_t top = hovered ? 0xFFFFFF00 : 0xFF00FF00, bottom = hovered ? 0xFFFFFF00 : 0xFFFFFFFF;
    painter.TextOut(kMenuFont, MainMenuText(i, state.Options.Lang), 86 + state.OriginX,
                    155 + 40 * (i - 1) + state.OriginY, top, bottom, fxBlend);
  }
}

// The options list: ten labels, then the value boxes of items 1..9.
void DrawOptionsMenu(const TSceneState& state, TScenePainter& painter) {
  const int lang = state.Options.Lang;
  for (int i = 1; i <= 10; ++i) {
    const int y = 155 + 40 * (i - 1);
    const std::string& label = OptionLabel(i, lang);
    Text(state, painter, kTextFont, label, 87, y + 1, 0xFFFFFFFF);
    if (i == state.MenuHover) {
      Text(state, painter, kTextFont, label, 87, y + 1, 0xFF000000);
      Text(state, painter, kTextFont, label, 86, y, 0xFFFFFFFF);
    } else {
      Text(state, painter, kTextFont, label, 86, y, 0xFF223322);
    }
  }
  for (int i = 1; i <= 9; ++i) {
    const int y = 152 + 40 * (i - 1);
    painter.FillRect(243 + state.OriginX, y + state.OriginY, 140, 30, 0xFFF6CFAD, fxMultiply);
    const std::string& value = OptionValueText(i, OptionValue(state.Options, i), lang);
    Text(state, painter, kTextFont, value, 247, y + 4, 0xFF888888);
    Text(state, painter, kTextFont, value, 246, y + 3, 0xFFFFFFFF);
  }
}

// Button i of a row whose first box is at (x0, y0): a dark or, hovered, blue box with its text.
void DrawButton(const TSceneState& state, TScenePainter& painter, int i, int x0, int y0,
                std::string_view text) {
  const bool hovered = i == state.MenuHover;
  const int left = x0 + 100 * (i - 1);
  if (hovered)
    painter.FillRect(left + state.OriginX, y0 + state.OriginY, 98, 30, 0xFF192956, fxOpaque);
  else
    painter.FillRect(left + state.OriginX, y0 + state.OriginY, 98, 30, 0xFF151515, fxSubtract);
  Text(state, painter, kTextFont, text, left + 4, y0 + 4, 0xFF000000);
  Text(state, painter, kTextFont, text, left + 3, y0 + 3, hovered ? 0xFFFFFFFF : 0xFF00FFFF);
}

// The dialog window with its question moved right by `d`.
void DrawWindow(const TSceneState& state, TScenePainter& painter, std::string_view question, int d) {
  painter.Draw(TPicture::Window, 0, 287 + state.OriginX, 277 + state.OriginY, fxBlend);
  Text(state, painter, kTextFont, question, 339 + d, 349, 0xFF000000);
  Text(state, painter, kTextFont, question, 338 + d, 348, 0xFFFFFFFF);
}

// The quit window: question and two buttons.
void DrawQuitConfirm(const TSceneState& state, TScenePainter& painter) {
  const int lang = state.Options.Lang;
  DrawWindow(state, painter, QuitQuestion(lang), lang == 1 ? 21 : 42);
  for (int i = 1; i <= 2; ++i) DrawButton(state, painter, i, 413, 397, QuitButtonText(i, lang));
}

// The in-game window: question and three buttons.
void DrawGameDialog(const TSceneState& state, TScenePainter& painter) {
  const int lang = state.Options.Lang;
  DrawWindow(state, painter, GameDialogQuestion(lang), lang == 1 ? 57 : 41);
  for (int i = 1; i <= 3; ++i) DrawButton(state, painter, i, 364, 397, GameDialogButtonText(i, lang));
}

}  // namespace

// The menu or dialog of MenuKind over the current screen.
void DrawMenu(const TSceneState& state, TScenePainter& painter) {
  switch (state.MenuKind) {
    case TMenuKind::MainMenu:
      DrawMainMenu(state, painter);
      break;
    case TMenuKind::OptionsMenu:
      DrawOptionsMenu(state, painter);
      break;
    case TMenuKind::QuitConfirm:
      DrawQuitConfirm(state, painter);
      break;
    case TMenuKind::GameDialog:
      DrawGameDialog(state, painter);
      break;
    case TMenuKind::HelpButtons:
      for (int i = 1; i <= 3; ++i)
        DrawButton(state, painter, i, 711, 723, HelpButtonText(i, state.Options.Lang));
      break;
    case TMenuKind::NoMenu:
      break;
  }
}

// The help background and the legend of the eleven button faces.
void DrawHelpScreen(const TSceneState& state, TScenePainter& painter) {
  painter.Draw(TPicture::Ground, 1, state.OriginX, state.OriginY, fxOpaque);
  for (int i = 0; i <= 10; ++i) {
    const int y = 62 + 60 * i;
    painter.Draw(TPicture::Button, i, 62 + state.OriginX, y + state.OriginY, fxBlend);
    const std::string& text = HelpLegend(i, state.Options.Lang);
    Text(state, painter, kTextFont, text, 131, y + 11, 0xFF000000);
    Text(state, painter, kTextFont, text, 130, y + 10, 0xFFDEDEDE);
  }
}

}  // namespace zelmar::scene
