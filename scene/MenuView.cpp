#include "scene/MenuView.h"

#include <string>

#include "scene/MenuTable.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene {
namespace {

// One text in a single colour at a logical point.
void Text(const TSceneState& state, TScenePainter& painter, int font, std::string_view text, int x, int y,
          std::uint32_t color) {
  painter.TextOut(font, text, x + state.OriginX, y + state.OriginY, color, color, fxBlend);
}

// The main menu's items in the form shown, the hovered one all yellow, the others green fading to white.
void DrawMainMenu(const TSceneState& state, TScenePainter& painter) {
  const TMenu& menu = MenuOf(TMenuKind::MainMenu, state.ContinueOffered);
  for (int i = 1; i <= static_cast<int>(menu.Items.size()); ++i) {
    const bool hovered = i == state.MenuHover;
    const std::uint32_t top = hovered ? 0xFFFFFF00 : 0xFF00FF00, bottom = hovered ? 0xFFFFFF00 : 0xFFFFFFFF;
    const TItemBox box = ItemBox(menu, i);
    const TTextRoom room = ItemTextRoom(TMenuKind::MainMenu, i, state.ContinueOffered);
    painter.TextOut(kMenuFont,
                    MenuItemText(TMenuKind::MainMenu, i, state.Options.Lang, state.ContinueOffered),
                    room.Left + state.OriginX, box.Top + state.OriginY, top, bottom, fxBlend);
  }
}

// The options list: the labels, and beside each item with a setting the box of its value.
void DrawOptionsMenu(const TSceneState& state, TScenePainter& painter) {
  const int lang = state.Options.Lang;
  const TMenu& menu = MenuOf(TMenuKind::OptionsMenu);
  const int count = static_cast<int>(menu.Items.size());
  for (int i = 1; i <= count; ++i) {
    const int top = ItemBox(menu, i).Top, left = ItemTextRoom(TMenuKind::OptionsMenu, i).Left;
    const std::string& label = MenuItemText(TMenuKind::OptionsMenu, i, lang);
    Text(state, painter, kTextFont, label, left + 1, top + 1, 0xFFFFFFFF);
    if (i == state.MenuHover) {
      Text(state, painter, kTextFont, label, left + 1, top + 1, 0xFF000000);
      Text(state, painter, kTextFont, label, left, top, 0xFFFFFFFF);
    } else {
      Text(state, painter, kTextFont, label, left, top, 0xFF223322);
    }
  }
  for (int i = 1; i <= count; ++i) {
    const TMenuItem& item = menu.Items[static_cast<std::size_t>(i - 1)];
    if (item.Setting == nullptr) continue;
    const int y = ItemBox(menu, i).Top - kValueColumnRaise;
    painter.FillRect(kValueColumnLeft + state.OriginX, y + state.OriginY, kValueColumnWidth,
                     kValueColumnHeight, 0xFFF6CFAD, fxMultiply);
    const std::string& value = OptionValueText(i, state.Options.*item.Setting, lang);
    Text(state, painter, kTextFont, value, kValueRoom.Left + 1, y + kValueInset + 1, 0xFF888888);
    Text(state, painter, kTextFont, value, kValueRoom.Left, y + kValueInset, 0xFFFFFFFF);
  }
}

// Item i of a row of buttons: a dark or, hovered, blue box with its text.
void DrawButton(const TSceneState& state, TScenePainter& painter, const TMenu& menu, int i,
                std::string_view text) {
  const bool hovered = i == state.MenuHover;
  const TItemBox box = ItemBox(menu, i);
  const int width = box.Right - box.Left, height = box.Bottom - box.Top;
  if (hovered)
    painter.FillRect(box.Left + state.OriginX, box.Top + state.OriginY, width, height, 0xFF192956, fxOpaque);
  else
    painter.FillRect(box.Left + state.OriginX, box.Top + state.OriginY, width, height, 0xFF151515,
                     fxSubtract);
  const int left = box.Left + kButtonInset, top = box.Top + kButtonInset;
  Text(state, painter, kTextFont, text, left + 1, top + 1, 0xFF000000);
  Text(state, painter, kTextFont, text, left, top, hovered ? 0xFFFFFFFF : 0xFF00FFFF);
}

// A row of buttons, under a dialog window with its question when the menu has one.
void DrawButtonRow(const TSceneState& state, TScenePainter& painter, TMenuKind kind) {
  const int lang = state.Options.Lang;
  const TMenu& menu = MenuOf(kind);
  if (!menu.Question.English.empty()) {
    const std::string& question = MenuQuestion(kind, lang);
    const int left = CentredLeft(kQuestionRoom, painter.TextWidth(kTextFont, question));
    painter.Draw(TPicture::Window, 0, kDialogLeft + state.OriginX, kDialogTop + state.OriginY, fxBlend);
    Text(state, painter, kTextFont, question, left + 1, 349, 0xFF000000);
    Text(state, painter, kTextFont, question, left, 348, 0xFFFFFFFF);
  }
  for (int i = 1; i <= static_cast<int>(menu.Items.size()); ++i)
    DrawButton(state, painter, menu, i, MenuItemText(kind, i, lang));
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
    case TMenuKind::GameDialog:
    case TMenuKind::HelpButtons:
      DrawButtonRow(state, painter, state.MenuKind);
      break;
    case TMenuKind::NoMenu:
      break;
  }
}

// The help background, the legend of the eleven button faces, and below them the hint key's line.
void DrawHelpScreen(const TSceneState& state, TScenePainter& painter) {
  constexpr int kLegendRows = 11, kRowTop = 62, kRowStep = 60;
  painter.Draw(TPicture::Ground, 1, state.OriginX, state.OriginY, fxOpaque);
  const auto line = [&](const std::string& text, int y) {
    Text(state, painter, kTextFont, text, kLegendRoom.Left + 1, y + 11, 0xFF000000);
    Text(state, painter, kTextFont, text, kLegendRoom.Left, y + 10, 0xFFDEDEDE);
  };
  for (int i = 0; i < kLegendRows; ++i) {
    const int y = kRowTop + kRowStep * i;
    painter.Draw(TPicture::Button, i, 62 + state.OriginX, y + state.OriginY, fxBlend);
    line(HelpLegend(i, state.Options.Lang), y);
  }
  line(HelpHintText(state.Options.Lang), kRowTop + kRowStep * kLegendRows);
}

}  // namespace zelmar::scene
