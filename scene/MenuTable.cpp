#include "scene/MenuTable.h"

#include <array>
#include <iterator>

#include "engine/SearchLevel.h"
#include "launcher/Languages.h"

namespace zelmar::scene {
namespace {

// TRANSLATORS: the player's army: the blonde figures play White, the brunettes Black.
constexpr Message kArmy[] = {Msg("army", "Blondes"), Msg("army", "Brunettes")};
// TRANSLATORS: the kind of game: standard chess, or chess with a Zelmar in place of each queen.
constexpr Message kMode[] = {Msg("mode", "Classic"), Msg("mode", "Zelmarian")};
constexpr Message kLevel[] = {Untranslated("1"), Untranslated("2"), Untranslated("3"), Untranslated("4"),
                              Untranslated("5"), Untranslated("6"), Untranslated("7"), Untranslated("8")};
static_assert(std::size(kLevel) == kHighestLevel - kLowestLevel + 1, "one text for every level");
// TRANSLATORS: where the board stands.
constexpr Message kLocation[] = {Msg("location", "Castle"), Msg("location", "Town")};
// TRANSLATORS: the flat board over the painted one: none, or of wood or marble.
constexpr Message kClassic[] = {Msg("classic board", "None"), Msg("classic board", "Wood"),
                                Msg("classic board", "Marble")};
constexpr Message kYesNo[] = {Msg("setting on or off", "Yes"), Msg("setting on or off", "No")};
// TRANSLATORS: the priority of the computer player's thinking on the processor.
constexpr Message kPriority[] = {Msg("priority", "Lowest"), Msg("priority", "Lower"),
                                 Msg("priority", "Normal")};

// Every language by its own name, the same in all of them.
constexpr std::array<Message, kLanguageCount> LanguageNames() {
  std::array<Message, kLanguageCount> names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = Untranslated(kLanguages[i].Name);
  return names;
}
constexpr std::array<Message, kLanguageCount> kLanguage = LanguageNames();
// TRANSLATORS: the marks drawn on the board: none, the last move's squares, or also where the selected piece
// can go.
constexpr Message kMarks[] = {Msg("move marks", "None"), Msg("move marks", "Last Move"),
                              Msg("move marks", "All")};

using enum TMenuAction;

// The main menu with "Continue"; without it the menu is the same list from its second item.
constexpr TMenuItem kMainItems[] = {
    {Msg("main menu", "Continue"), ContinueGame}, {Msg("main menu", "Game"), StartGame},
    {Msg("main menu", "Help"), OpenHelp},         {Msg("main menu", "Options"), OpenOptions},
    {Msg("main menu", "Quit"), OpenQuitConfirm},
};

// TRANSLATORS: the options' labels have about 150 pixels, their values 140.
constexpr TMenuItem kOptionsItems[] = {
    {Msg("option", "Your Army"), StepOption, &GameOptions::Army, kArmy},
    {Msg("option", "Mode"), StepOption, &GameOptions::Mode, kMode},
    {Msg("option", "Level"), StepOption, &GameOptions::Depth, kLevel},
    {Msg("option", "Location"), StepOption, &GameOptions::Background, kLocation},
    {Msg("option", "Classic Board"), StepBoardStyle, &GameOptions::Classic, kClassic},
    {Msg("option", "Music"), StepMusic, &GameOptions::Music, kYesNo},
    {Msg("option", "Sound Effects"), StepOption, &GameOptions::Sound, kYesNo},
    {Msg("option", "Engine Priority"), StepPriority, &GameOptions::Priority, kPriority},
    {Msg("option", "Language"), StepOption, &GameOptions::Lang, kLanguage},
    {Msg("option", "Move Marks"), StepOption, &GameOptions::Marks, kMarks},
    {Msg("option", "Back to Menu"), SaveOptions},
};

constexpr TMenuItem kQuitItems[] = {
    {Msg("quit window", "Cancel"), ReturnToMenu},
    {Msg("quit window", "Quit"), Quit},
};

constexpr TMenuItem kGameDialogItems[] = {
    {Msg("in-game window", "Cancel"), CloseDialog},
    {Msg("in-game window", "Rematch"), Rematch},
    {Msg("in-game window", "Menu"), ReturnToMenu},
};

constexpr TMenuItem kHelpItems[] = {
    {Msg("help screen", "Menu"), ReturnToMenu},
    {Msg("help screen", "Options"), OpenOptions},
    {Msg("help screen", "Quit"), OpenQuitConfirm},
};

// The main menu's items reach across the calm left part of the title picture (to x 390), so that a long item
// ("Продолжить") can be clicked on every letter.
constexpr TMenu kMainMenuWithContinue = {{86, 390, 155, 190}, 0, 40, false, {}, kMainItems};
constexpr TMenu kMainMenu = {kMainMenuWithContinue.First,
                             kMainMenuWithContinue.StepX,
                             kMainMenuWithContinue.StepY,
                             kMainMenuWithContinue.ClickSound,
                             {},
                             std::span(kMainItems).subspan(1)};
constexpr TMenu kOptionsMenu = {{86, 378, 155, 179}, 0, 40, true, {}, kOptionsItems};
constexpr TMenu kQuitConfirm = {
    {413, 511, 397, 427}, 100, 0, false, Msg("quit window", "Are you sure you want to quit?"), kQuitItems};
constexpr TMenu kGameDialog = {
    {364, 462, 397, 427}, 100, 0, true, Msg("in-game window", "Please select to continue"), kGameDialogItems};
constexpr TMenu kHelpButtons = {{711, 809, 723, 753}, 100, 0, false, {}, kHelpItems};
constexpr TMenu kNoMenu = {{0, 0, 0, 0}, 0, 0, false, {}, {}};

}  // namespace

const TMenu& MenuOf(TMenuKind kind, bool continueOffered) {
  switch (kind) {
    case TMenuKind::MainMenu:
      return continueOffered ? kMainMenuWithContinue : kMainMenu;
    case TMenuKind::OptionsMenu:
      return kOptionsMenu;
    case TMenuKind::QuitConfirm:
      return kQuitConfirm;
    case TMenuKind::GameDialog:
      return kGameDialog;
    case TMenuKind::HelpButtons:
      return kHelpButtons;
    case TMenuKind::NoMenu:
      break;
  }
  return kNoMenu;
}

const TMenu& ShownMenu(const TSceneState& state) {
  return MenuOf(state.MenuKind, state.ContinueOffered);
}

TItemBox ItemBox(const TMenu& menu, std::int32_t item) {
  const std::int32_t dx = menu.StepX * (item - 1), dy = menu.StepY * (item - 1);
  return {menu.First.Left + dx, menu.First.Right + dx, menu.First.Top + dy, menu.First.Bottom + dy};
}

TTextRoom ItemTextRoom(TMenuKind kind, std::int32_t item, bool continueOffered) {
  const TItemBox box = ItemBox(MenuOf(kind, continueOffered), item);
  switch (kind) {
    case TMenuKind::MainMenu:
      return {box.Left, box.Right};
    case TMenuKind::OptionsMenu:
      return {box.Left, kValueColumnLeft};
    case TMenuKind::QuitConfirm:
    case TMenuKind::GameDialog:
    case TMenuKind::HelpButtons:
      return {box.Left + kButtonInset, box.Right};
    case TMenuKind::NoMenu:
      break;
  }
  return {0, 0};
}

std::int32_t ItemAt(const TMenu& menu, std::int32_t x, std::int32_t y) {
  const auto count = static_cast<std::int32_t>(menu.Items.size());
  for (std::int32_t i = 1; i <= count; ++i) {
    const TItemBox box = ItemBox(menu, i);
    if (box.Left < x && x < box.Right && box.Top < y && y < box.Bottom) return i;
  }
  return 0;
}

}  // namespace zelmar::scene
