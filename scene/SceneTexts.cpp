#include "scene/SceneTexts.h"

#include <array>
#include <span>
#include <vector>

#include "scene/MenuTable.h"

namespace zelmar::scene {
namespace {

constexpr Message kStatus[] = {Msg("Your move?"), Msg("Please wait. Thinking..."), Untranslated(""),
                               Msg("Please select piece")};
constexpr Message kResults[] = {Msg("Game Over - Mate"), Msg("Draw - StaleMate"),
                                Msg("Draw - No Mating Material"), Msg("Draw - Threefold Position")};
// TRANSLATORS: the status line while the computer looks for the player's best move, then once it has
// found it (the move follows, in algebraic notation).
constexpr Message kHint[] = {Msg("Finding a hint..."), Msg("Hint:")};
// TRANSLATORS: the help screen's line on the key H.
constexpr Message kHelpHint[] = {Msg("H: the computer suggests your move")};
// Codes -6..6 at index code + 6, then the two Zelmars.
constexpr Message kPieces[] = {
    Msg("Black King"), Msg("Black Queen"), Msg("Black Rook"), Msg("Black Bishop"), Msg("Black Knight"),
    Msg("Black Pawn"), Untranslated(""),   Msg("White Pawn"), Msg("White Knight"), Msg("White Bishop"),
    Msg("White Rook"), Msg("White Queen"), Msg("White King"), Msg("White Zelmar"), Msg("Black Zelmar")};
// TRANSLATORS: the help screen's legend of the tool buttons.
constexpr Message kLegend[] = {Msg("Black pieces at the bottom"),
                               Msg("White pieces at the bottom"),
                               Msg("Increase pieces size"),
                               Msg("Decrease pieces size"),
                               Msg("Hidden classic board"),
                               Msg("Show classic board"),
                               Msg("Increase board size"),
                               Msg("Decrease board size"),
                               Msg("Move back"),
                               Msg("Move forward"),
                               Msg("Exit to Menu")};

// A table of texts: [index][LanguageIndex(lang)].
using TTable = std::vector<std::array<std::string, kLanguageCount>>;

TTable Convert(std::span<const Message> messages) {
  TTable table;
  table.reserve(messages.size());
  for (const Message& message : messages) {
    std::array<std::string, kLanguageCount>& texts = table.emplace_back();
    for (std::int32_t lang = 1; lang <= kLanguageCount; ++lang)
      texts[LanguageIndex(lang)] = Translate(message, lang);
  }
  return table;
}

// The kinds of menu with items, for the tables indexed by kind.
constexpr TMenuKind kMenuKinds[] = {TMenuKind::NoMenu,      TMenuKind::MainMenu,    TMenuKind::QuitConfirm,
                                    TMenuKind::OptionsMenu, TMenuKind::HelpButtons, TMenuKind::GameDialog};
constexpr std::size_t kMenuKindCount = std::size(kMenuKinds);

// The item texts of a menu in one of its forms.
TTable ItemTexts(TMenuKind kind, bool continueOffered) {
  std::vector<Message> messages;
  for (const TMenuItem& item : MenuOf(kind, continueOffered).Items) messages.push_back(item.Text);
  return Convert(messages);
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
    const Message question = MenuOf(kind).Question;
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
  TTable Hint = Convert(kHint), HelpHint = Convert(kHelpHint);
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

// Entry `index` of a table in the language, or an empty text outside the table.
const std::string& Pick(const TTable& table, int index, int lang) {
  static const std::string empty;
  if (index < 0 || index >= static_cast<int>(table.size())) return empty;
  return table[static_cast<std::size_t>(index)][LanguageIndex(lang)];
}

}  // namespace

const std::string& StatusText(TGameState state, int lang) {
  return Pick(Tables().Status, static_cast<int>(state), lang);
}

std::string HintStatusText(std::string_view san, int lang) {
  if (san.empty()) return Pick(Tables().Hint, 0, lang);
  return Pick(Tables().Hint, 1, lang) + " " + std::string(san);
}

const std::string& HelpHintText(int lang) {
  return Pick(Tables().HelpHint, 0, lang);
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
