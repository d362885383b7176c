#include "launcher/LauncherTexts.h"

#include <array>

#include "launcher/Catalog.h"

namespace zelmar {
namespace {

// One text of the launcher: where it goes and its English.
struct LauncherText {
  std::string_view LauncherTexts::*Field;
  Message Text;
};

constexpr LauncherText kTexts[] = {
    {&LauncherTexts::Caption, Msg("Zelmar Chess")},
    // TRANSLATORS: the launcher's check boxes are narrow (about 60 pixels of text); keep the blank at each
    // end.
    {&LauncherTexts::FullScreen, Msg(" Full Screen ")},
    {&LauncherTexts::Maximized, Msg(" Maximized ")},
    {&LauncherTexts::Antialias, Msg(" Antialias ")},
    {&LauncherTexts::StartGame, Msg("Start Game")},
    {&LauncherTexts::CheckForUpdate, Msg("Check for Update")},
    {&LauncherTexts::QuitQuestion, Msg("launcher", "Are you sure you want to quit?")},
    // TRANSLATORS: the answers of the launcher's quit question; the underscore marks the access key.
    {&LauncherTexts::Yes, Msg("launcher", "_Yes")},
    {&LauncherTexts::No, Msg("launcher", "_No")},
    // TRANSLATORS: a game file that cannot be opened: "Cannot open “NAME”: REASON", with the language's
    // quotes.
    {&LauncherTexts::CannotOpenBefore, Msg("Cannot open “")},
    {&LauncherTexts::CannotOpenAfter, Msg("”: ")},
    {&LauncherTexts::FileMissing, Msg("there is no such file")},
    {&LauncherTexts::FileUnreadable, Msg("it cannot be read")},
    // TRANSLATORS: followed by the size limit and " MB".
    {&LauncherTexts::FileTooLarge, Msg("it is larger than ")},
    {&LauncherTexts::FileHoldsNoGame, Msg("it holds no game")},
    // TRANSLATORS: "the game at line NUMBER is refused: REASON"; the reason stays in English.
    {&LauncherTexts::GameRefusedBefore, Msg("the game at line ")},
    {&LauncherTexts::GameRefusedAfter, Msg(" is refused: ")},
    {&LauncherTexts::Megabytes, Msg(" MB")},
};

// The launcher's texts in every language, translated once.
std::array<LauncherTexts, kLanguageCount> AllTexts() {
  std::array<LauncherTexts, kLanguageCount> all{};
  for (std::int32_t lang = 1; lang <= kLanguageCount; ++lang)
    for (const LauncherText& text : kTexts) all[LanguageIndex(lang)].*text.Field = Translate(text.Text, lang);
  return all;
}

}  // namespace

const LauncherTexts& LauncherTextsFor(std::int32_t lang) {
  static const std::array<LauncherTexts, kLanguageCount> all = AllTexts();
  return all[LanguageIndex(lang)];
}

}  // namespace zelmar
