#include "scene/MenuTable.h"

#include <iterator>

#include "engine/SearchLevel.h"
#include "launcher/Languages.h"

namespace zelmar::scene {
namespace {

constexpr TTextPair kArmy[] = {{"Blondes", "Блондинки"}, {"Brunettes", "Брюнетки"}};
constexpr TTextPair kMode[] = {{"Classic", "Классическая"}, {"Zelmarian", "Зельмарская"}};
constexpr TTextPair kLevel[] = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"},
                                {"5", "5"}, {"6", "6"}, {"7", "7"}, {"8", "8"}};
static_assert(std::size(kLevel) == kHighestLevel - kLowestLevel + 1, "one text for every level");
constexpr TTextPair kLocation[] = {{"Castle", "Замок"}, {"Town", "Город"}};
constexpr TTextPair kClassic[] = {{"None", "Нет"}, {"Wood", "Дерево"}, {"Marble", "Мрамор"}};
constexpr TTextPair kYesNo[] = {{"Yes", "Да"}, {"No", "Нет"}};
constexpr TTextPair kPriority[] = {{"Lowest", "Оч. низкий"}, {"Lower", "Низкий"}, {"Normal", "Обычный"}};
constexpr TTextPair kLanguage[] = {{"English", "English"}, {"Russian", "Russian"}};
static_assert(std::size(kLanguage) == kLanguageCount, "one text for every language");

using enum TMenuAction;

// The main menu with "Continue"; without it the menu is the same list from its second item.
constexpr TMenuItem kMainItems[] = {
    {{"Continue", "Продолжить"}, ContinueGame},
    {{"Game", "Играть"}, StartGame},
    {{"Help", "Справка"}, OpenHelp},
    {{"Options", "Настройки"}, OpenOptions},
    {{"Quit", "Выход"}, OpenQuitConfirm},
};

constexpr TMenuItem kOptionsItems[] = {
    {{"Your Army", "Ваша армия"}, StepOption, &GameOptions::Army, kArmy},
    {{"Mode", "Тип игры"}, StepOption, &GameOptions::Mode, kMode},
    {{"Level", "Уровень"}, StepOption, &GameOptions::Depth, kLevel},
    {{"Location", "Локация"}, StepOption, &GameOptions::Background, kLocation},
    {{"Classic Board", "Доска"}, StepBoardStyle, &GameOptions::Classic, kClassic},
    {{"Music", "Музыка"}, StepMusic, &GameOptions::Music, kYesNo},
    {{"Sound Effects", "Звук"}, StepOption, &GameOptions::Sound, kYesNo},
    {{"Engine Priority", "Приоритет"}, StepPriority, &GameOptions::Priority, kPriority},
    {{"Language", "Язык"}, StepOption, &GameOptions::Lang, kLanguage},
    {{"Back to Menu", "Назад в меню"}, SaveOptions},
};

constexpr TMenuItem kQuitItems[] = {
    {{"Cancel", "Отмена"}, ReturnToMenu},
    {{"Quit", "Выход"}, Quit},
};

constexpr TMenuItem kGameDialogItems[] = {
    {{"Cancel", "Отмена"}, CloseDialog},
    {{"Rematch", "Рестарт"}, Rematch},
    {{"Menu", "Меню"}, ReturnToMenu},
};

constexpr TMenuItem kHelpItems[] = {
    {{"Menu", "Меню"}, ReturnToMenu},
    {{"Options", "Опции"}, OpenOptions},
    {{"Quit", "Выход"}, OpenQuitConfirm},
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
constexpr TMenu kQuitConfirm = {{413, 511, 397, 427},
                                100,
                                0,
                                false,
                                {"Are you sure you want to quit?", "Вы хотите покинуть игру?"},
                                kQuitItems};
constexpr TMenu kGameDialog = {
    {364, 462, 397, 427}, 100, 0, true, {"Please select to continue", "Выберите для продолжения"},
    kGameDialogItems};
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
