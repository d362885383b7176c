#include "scene/SceneTexts.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <vector>

namespace zelmar::scene {
namespace {

// One text in both languages, UTF-8.
struct TPair {
  std::string_view English, Russian;
};

constexpr TPair kStatus[] = {{"Your move?", "Ваш ход?"},
                             {"Please wait. Thinking...", "Пожалуйста, подождите..."},
                             {"", ""},
                             {"Please select piece", "Пожалуйста, выберите фигуру"}};
constexpr TPair kResults[] = {{"Game Over - Mate", "Игра завершена - Мат"},
                              {"Draw - StaleMate", "Ничья - Пат"},
                              {"Draw - No Mating Material", "Ничья - Мат невозможен"},
                              {"Draw - Threefold Position", "Ничья - Повторение позиции"}};
// Codes -6..6 at index code + 6, then the two Zelmars.
constexpr TPair kPieces[] = {{"Black King", "Черный Король"},
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
constexpr TPair kMainMenu[] = {
    {"Game", "Играть"}, {"Help", "Справка"}, {"Options", "Настройки"}, {"Quit", "Выход"}};
constexpr TPair kQuit[] = {
    {"Are you sure you want to quit?", "Вы хотите покинуть игру?"}, {"Cancel", "Отмена"}, {"Quit", "Выход"}};
constexpr TPair kGameDialog[] = {{"Please select to continue", "Выберите для продолжения"},
                                 {"Cancel", "Отмена"},
                                 {"Rematch", "Рестарт"},
                                 {"Menu", "Меню"}};
constexpr TPair kHelpButtons[] = {{"Menu", "Меню"}, {"Options", "Опции"}, {"Quit", "Выход"}};
constexpr TPair kOptionLabels[] = {{"Your Army", "Ваша армия"}, {"Mode", "Тип игры"},
                                   {"Level", "Уровень"},        {"Location", "Локация"},
                                   {"Classic Board", "Доска"},  {"Music", "Музыка"},
                                   {"Sound Effects", "Звук"},   {"Engine Priority", "Приоритет"},
                                   {"Language", "Язык"},        {"Back to Menu", "Назад в меню"}};
constexpr TPair kArmy[] = {{"Blondes", "Блондинки"}, {"Brunettes", "Брюнетки"}};
constexpr TPair kMode[] = {{"Classic", "Классическая"}, {"Zelmarian", "Зельмарская"}};
constexpr TPair kLevel[] = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"},
                            {"5", "5"}, {"6", "6"}, {"7", "7"}, {"8", "8"}};
constexpr TPair kLocation[] = {{"Castle", "Замок"}, {"Town", "Город"}};
constexpr TPair kClassic[] = {{"None", "Нет"}, {"Wood", "Дерево"}, {"Marble", "Мрамор"}};
constexpr TPair kYesNo[] = {{"Yes", "Да"}, {"No", "Нет"}};
constexpr TPair kPriority[] = {{"Lowest", "Оч. низкий"}, {"Lower", "Низкий"}, {"Normal", "Обычный"}};
constexpr TPair kLanguage[] = {{"English", "English"}, {"Russian", "Russian"}};
constexpr TPair kLegend[] = {{"Black pieces at the bottom", "Черные фигуры внизу"},
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

// A table converted to the fonts' code page: [index][0] English, [index][1] Russian.
using TTable = std::vector<std::array<std::string, 2>>;

template <std::size_t N>
TTable Convert(const TPair (&pairs)[N]) {
  TTable table;
  table.reserve(N);
  for (const TPair& pair : pairs) table.push_back({ToWindows1251(pair.English), ToWindows1251(pair.Russian)});
  return table;
}

// Every table, converted once.
struct TTables {
  TTable Status = Convert(kStatus), Results = Convert(kResults), Pieces = Convert(kPieces);
  TTable MainMenu = Convert(kMainMenu), Quit = Convert(kQuit), GameDialog = Convert(kGameDialog);
  TTable HelpButtons = Convert(kHelpButtons), OptionLabels = Convert(kOptionLabels);
  std::array<TTable, 9> OptionValues = {Convert(kArmy),     Convert(kMode),     Convert(kLevel),
                                        Convert(kLocation), Convert(kClassic),  Convert(kYesNo),
                                        Convert(kYesNo),    Convert(kPriority), Convert(kLanguage)};
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

const std::string& MainMenuText(int item, int lang) {
  return Pick(Tables().MainMenu, item - 1, lang);
}
const std::string& QuitQuestion(int lang) {
  return Pick(Tables().Quit, 0, lang);
}
const std::string& QuitButtonText(int item, int lang) {
  return Pick(Tables().Quit, item >= 1 && item <= 2 ? item : -1, lang);
}
const std::string& GameDialogQuestion(int lang) {
  return Pick(Tables().GameDialog, 0, lang);
}
const std::string& GameDialogButtonText(int item, int lang) {
  return Pick(Tables().GameDialog, item >= 1 && item <= 3 ? item : -1, lang);
}
const std::string& HelpButtonText(int item, int lang) {
  return Pick(Tables().HelpButtons, item - 1, lang);
}
const std::string& OptionLabel(int item, int lang) {
  return Pick(Tables().OptionLabels, item - 1, lang);
}

const std::string& OptionValueText(int item, int value, int lang) {
  if (item < 1 || item > 9) return Pick(Tables().Legend, -1, lang);
  return Pick(Tables().OptionValues[static_cast<std::size_t>(item - 1)], value - 1, lang);
}

const std::string& HelpLegend(int pattern, int lang) {
  return Pick(Tables().Legend, pattern, lang);
}

// 1. Opens a UTF-8 to Windows-1251 converter. 2. Converts piece by piece; an input sequence the code page
// cannot hold (or a broken one) becomes '?' and the conversion goes on after it.
std::string ToWindows1251(std::string_view utf8) {
  iconv_t cd = iconv_open("CP1251", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
  std::string out;
  std::string input(utf8);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip one UTF-8 sequence (a lead byte and its continuation bytes).
    out.push_back('?');
    ++in, --inLeft;
    while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) ++in, --inLeft;
  }
  iconv_close(cd);
  return out;
}

}  // namespace zelmar::scene
