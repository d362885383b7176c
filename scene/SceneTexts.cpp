#include "scene/SceneTexts.h"

#include <array>
#include <span>
#include <vector>

#include "scene/MenuTable.h"

namespace zelmar::scene {
namespace {

constexpr TTextPair kStatus[] = {{"Your move?", "Ваш ход?"},
                                 {"Please wait. Thinking...", "Пожалуйста, подождите..."},
                                 {"", ""},
                                 {"Please select piece", "Пожалуйста, выберите фигуру"}};
constexpr TTextPair kResults[] = {{"Game Over - Mate", "Игра завершена - Мат"},
                                  {"Draw - StaleMate", "Ничья - Пат"},
                                  {"Draw - No Mating Material", "Ничья - Мат невозможен"},
                                  {"Draw - Threefold Position", "Ничья - Повторение позиции"}};
// Codes -6..6 at index code + 6, then the two Zelmars.
constexpr TTextPair kPieces[] = {{"Black King", "Черный Король"},
                                 {"Black Queen", "Черный Ферзь"},
                                 {"Black Rook", "Черная Ладья"},
                                 {"Black Bishop", "Черный Слон"},
                                 {"Black Knight", "Черный Конь"},
                                 {"Black Pawn", "Черная Пешка"},
                                 {"", ""},
                                 {"White Pawn", "Белая Пешка"},
                                 {"White Knight", "Белый Конь"},
                                 {"White Bishop", "Белый Слон"},
                                 {"White Rook", "Белая Ладья"},
                                 {"White Queen", "Белый Ферзь"},
                                 {"White King", "Белый Король"},
                                 {"White Zelmar", "Белая Зельмара"},
                                 {"Black Zelmar", "Черная Зельмара"}};
constexpr TTextPair kLegend[] = {{"Black pieces at the bottom", "Черные фигуры внизу"},
                                 {"White pieces at the bottom", "Белые фигуры внизу"},
                                 {"Increase pieces size", "Увеличить размер фигур"},
                                 {"Decrease pieces size", "Уменьшить размер фигур"},
                                 {"Hidden classic board", "Скрыть классическую доску"},
                                 {"Show classic board", "Показать классическую доску"},
                                 {"Increase board size", "Увеличить размер доски"},
                                 {"Decrease board size", "Уменьшить размер доски"},
                                 {"Move back", "Ход назад"},
                                 {"Move forward", "Ход вперед"},
                                 {"Exit to Menu", "Возврат в главное меню"}};

// A table of texts: [index][0] English, [index][1] Russian.
using TTable = std::vector<std::array<std::string, 2>>;

TTable Convert(std::span<const TTextPair> pairs) {
  TTable table;
  table.reserve(pairs.size());
  for (const TTextPair& pair : pairs) table.push_back({std::string(pair.English), std::string(pair.Russian)});
  return table;
}

// The kinds of menu with items, for the tables indexed by kind.
constexpr TMenuKind kMenuKinds[] = {TMenuKind::NoMenu,      TMenuKind::MainMenu,    TMenuKind::QuitConfirm,
                                    TMenuKind::OptionsMenu, TMenuKind::HelpButtons, TMenuKind::GameDialog};
constexpr std::size_t kMenuKindCount = std::size(kMenuKinds);

// The item texts of a menu in one of its forms.
TTable ItemTexts(TMenuKind kind, bool continueOffered) {
  std::vector<TTextPair> pairs;
  for (const TMenuItem& item : MenuOf(kind, continueOffered).Items) pairs.push_back(item.Text);
  return Convert(pairs);
}

// Per kind and form (without and with "Continue"): its item texts; per kind: its question.
using TFormTables = std::array<TTable, 2>;
std::array<TFormTables, kMenuKindCount> MenuItemTables() {
  std::array<TFormTables, kMenuKindCount> tables;
  for (TMenuKind kind : kMenuKinds)
    tables[static_cast<std::size_t>(kind)] = {ItemTexts(kind, false), ItemTexts(kind, true)};
  return tables;
}
std::array<TTable, kMenuKindCount> MenuQuestionTables() {
  std::array<TTable, kMenuKindCount> tables;
  for (TMenuKind kind : kMenuKinds) {
    const TTextPair question = MenuOf(kind).Question;
    tables[static_cast<std::size_t>(kind)] = Convert(std::span(&question, 1));
  }
  return tables;
}

// The value texts of the options list's items, item i at [i - 1] (none for "Back to Menu").
std::vector<TTable> OptionValueTables() {
  std::vector<TTable> tables;
  for (const TMenuItem& item : MenuOf(TMenuKind::OptionsMenu).Items) tables.push_back(Convert(item.Values));
  return tables;
}

// Every table, made once.
struct TTables {
  TTable Status = Convert(kStatus), Results = Convert(kResults), Pieces = Convert(kPieces);
  std::array<TFormTables, kMenuKindCount> MenuItems = MenuItemTables();
  std::array<TTable, kMenuKindCount> MenuQuestions = MenuQuestionTables();
  std::vector<TTable> OptionValues = OptionValueTables();
  TTable Legend = Convert(kLegend);
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

// Entry `index` of a table in the language, or an empty text outside the table.
const std::string& Pick(const TTable& table, int index, int lang) {
  static const std::string empty;
  if (index < 0 || index >= static_cast<int>(table.size())) return empty;
  return table[static_cast<std::size_t>(index)][lang == 1 ? 0 : 1];
}

}  // namespace

const std::string& StatusText(TGameState state, int lang) {
  return Pick(Tables().Status, static_cast<int>(state), lang);
}

const std::string& ResultTextOf(TResult result, int lang) {
  return Pick(Tables().Results, static_cast<int>(result), lang);
}

const std::string& PieceName(int code, bool zelmar, int lang) {
  if (zelmar && (code == kQueen || code == -kQueen)) return Pick(Tables().Pieces, code > 0 ? 13 : 14, lang);
  if (code < -6 || code > 6) return Pick(Tables().Pieces, -1, lang);
  return Pick(Tables().Pieces, code + 6, lang);
}

const std::string& MenuItemText(TMenuKind kind, int item, int lang, bool continueOffered) {
  return Pick(Tables().MenuItems[static_cast<std::size_t>(kind)][continueOffered ? 1 : 0], item - 1, lang);
}

const std::string& MenuQuestion(TMenuKind kind, int lang) {
  return Pick(Tables().MenuQuestions[static_cast<std::size_t>(kind)], 0, lang);
}

const std::string& OptionValueText(int item, int value, int lang) {
  const std::vector<TTable>& values = Tables().OptionValues;
  static const TTable none;
  if (item < 1 || item > static_cast<int>(values.size())) return Pick(none, 0, lang);
  return Pick(values[static_cast<std::size_t>(item - 1)], value - 1, lang);
}

const std::string& HelpLegend(int pattern, int lang) {
  return Pick(Tables().Legend, pattern, lang);
}

}  // namespace zelmar::scene
