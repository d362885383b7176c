// Every text of the game window in every language: there, not empty, and reaching the fonts as whole UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/GfxUtf8.h"
#include "launcher/Languages.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene {
namespace {

// Every text of every table in one language.
std::vector<std::string> AllTexts(int lang) {
  std::vector<std::string> texts;
  for (TGameState s : {TGameState::HumanToMove, TGameState::ComputerThinking, TGameState::ChoosePromotion})
    texts.push_back(StatusText(s, lang));
  for (TResult r : {TResult::Mate, TResult::StaleMate, TResult::NoMatingMaterial, TResult::Threefold})
    texts.push_back(ResultTextOf(r, lang));
  for (int code = -6; code <= 6; ++code)
    if (code != 0) texts.push_back(PieceName(code, false, lang));
  texts.push_back(PieceName(5, true, lang));
  texts.push_back(PieceName(-5, true, lang));
  for (int i = 1; i <= 4; ++i) texts.push_back(MenuItemText(TMenuKind::MainMenu, i, lang));
  texts.push_back(MenuQuestion(TMenuKind::QuitConfirm, lang));
  texts.push_back(MenuQuestion(TMenuKind::GameDialog, lang));
  for (int i = 1; i <= 3; ++i) {
    if (i <= 2) texts.push_back(MenuItemText(TMenuKind::QuitConfirm, i, lang));
    texts.push_back(MenuItemText(TMenuKind::GameDialog, i, lang));
    texts.push_back(MenuItemText(TMenuKind::HelpButtons, i, lang));
  }
  const int counts[] = {2, 2, 8, 2, 3, 2, 2, 3, kLanguageCount, 3};
  for (int item = 1; item <= 11; ++item) {
    texts.push_back(MenuItemText(TMenuKind::OptionsMenu, item, lang));
    for (int v = 1; item <= 10 && v <= counts[item - 1]; ++v) texts.push_back(OptionValueText(item, v, lang));
  }
  for (int p = 0; p <= 10; ++p) texts.push_back(HelpLegend(p, lang));
  return texts;
}

TEST(SceneTexts, EveryTableHasEveryLanguage) {
  const std::vector<std::string> english = AllTexts(kEnglish);
  for (int lang = 1; lang <= kLanguageCount; ++lang) {
    const std::vector<std::string> texts = AllTexts(lang);
    ASSERT_EQ(texts.size(), english.size());
    std::size_t translated = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_FALSE(texts[i].empty()) << "language " << lang << ", text " << i;
      translated += texts[i] != english[i] ? 1 : 0;
    }
    // Some words are the same as the English (the levels' digits, the languages' names, "Menu", "Normal"
    // ...).
    if (lang != kEnglish) {
      EXPECT_GT(translated, texts.size() / 2) << "language " << lang;
    }
  }
  // Each language in its place: the main menu's "Game" and the Language option's own name.
  const char* const game[] = {"Game",  "Играть", "Spielen", "Jouer", "Jugar",
                              "Gioca", "Jogar",  "Graj",    "Грати", "Hrát"};
  for (int lang = 1; lang <= kLanguageCount; ++lang) {
    EXPECT_EQ(MenuItemText(TMenuKind::MainMenu, 1, lang), game[lang - 1]);
    for (int shown = 1; shown <= kLanguageCount; ++shown)
      EXPECT_EQ(OptionValueText(9, shown, lang), kLanguages[shown - 1].Name);
  }
  // A value outside 1..kLanguageCount speaks English.
  for (int lang : {0, -1, kLanguageCount + 1}) EXPECT_EQ(AllTexts(lang), english);
}

TEST(SceneTexts, EveryTextIsWholeUtf8InEveryLanguage) {
  for (int lang = kFirstLanguage; lang < kFirstLanguage + kLanguageCount; ++lang) {
    for (const std::string& text : AllTexts(lang)) {
      EXPECT_FALSE(text.empty());
      for (std::size_t at = 0; at < text.size();) {
        const TUtf8Char ch = ReadUtf8Char(text, at);
        EXPECT_TRUE(ch.Valid) << text;
        at += ch.Length;
      }
    }
  }
  EXPECT_EQ(MenuItemText(TMenuKind::MainMenu, 1, 2), "Играть");
  EXPECT_EQ(PieceName(-5, true, 2), "Черная Зельмара");
  EXPECT_EQ(MenuItemText(TMenuKind::MainMenu, 1, 1), "Game");
  EXPECT_EQ(OptionValueText(9, 2, 2), "Русский");
}

TEST(SceneTexts, NumbersOutsideATableGiveEmptyTexts) {
  EXPECT_EQ(MenuItemText(TMenuKind::MainMenu, 0, 1), "");
  EXPECT_EQ(MenuItemText(TMenuKind::MainMenu, 5, 2), "");
  EXPECT_EQ(OptionValueText(3, 9, 1), "");
  EXPECT_EQ(OptionValueText(11, 1, 1), "");
  EXPECT_EQ(PieceName(7, false, 1), "");
  EXPECT_EQ(MenuItemText(TMenuKind::QuitConfirm, 3, 1), "");
}

}  // namespace
}  // namespace zelmar::scene
