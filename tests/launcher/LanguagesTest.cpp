#include "launcher/Languages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "launcher/LauncherTexts.h"

namespace zelmar {
namespace {

TEST(Languages, LocaleNamesGiveTheirLanguage) {
  EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8"), 1);
  EXPECT_EQ(LanguageOfLocale("ru_RU.UTF-8"), 2);
  EXPECT_EQ(LanguageOfLocale("de_AT"), 3);
  EXPECT_EQ(LanguageOfLocale("fr_CA.ISO-8859-1"), 4);
  EXPECT_EQ(LanguageOfLocale("es"), 5);
  EXPECT_EQ(LanguageOfLocale("it_IT@euro"), 6);
  EXPECT_EQ(LanguageOfLocale("pt_BR.UTF-8"), 7);
  EXPECT_EQ(LanguageOfLocale("pt_PT.UTF-8"), 7);  // the only Portuguese
  EXPECT_EQ(LanguageOfLocale("pt"), 7);
  EXPECT_EQ(LanguageOfLocale("pl_PL.UTF-8"), 8);
  EXPECT_EQ(LanguageOfLocale("uk_UA.UTF-8"), 9);
  EXPECT_EQ(LanguageOfLocale("cs_CZ.UTF-8"), 10);
  for (const char* none : {"", "C", "C.UTF-8", "POSIX", "ja_JP.UTF-8", "_BR", ".UTF-8", "@euro", "ptx_BR"})
    EXPECT_EQ(LanguageOfLocale(none), 0) << none;
}

// POSIX's order for the messages' locale: LC_ALL, LC_MESSAGES, LANG, the first one set and not empty; GNU's
// LANGUAGE list only when none of them is set.
TEST(Languages, TheDesktopsLanguageFollowsThePosixOrder) {
  using Environment = std::map<std::string, std::string>;
  const auto language = [](const Environment& environment) {
    return DesktopLanguage([&](const char* name) -> const char* {
      const auto found = environment.find(name);
      return found == environment.end() ? nullptr : found->second.c_str();
    });
  };
  EXPECT_EQ(language({}), kEnglish);
  EXPECT_EQ(language({{"LANG", "de_DE.UTF-8"}}), 3);
  EXPECT_EQ(language({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), 4);
  EXPECT_EQ(language({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR"}, {"LC_ALL", "cs_CZ"}}), 10);
  EXPECT_EQ(language({{"LANG", "de_DE.UTF-8"}, {"LC_ALL", ""}}), 3);  // an empty value counts as unset
  EXPECT_EQ(language({{"LANGUAGE", "pl:de:en"}}), 8);
  EXPECT_EQ(language({{"LANGUAGE", "pt_BR"}, {"LANG", "C.UTF-8"}}), kEnglish);
  EXPECT_EQ(language({{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "uk"}}), kEnglish);
  EXPECT_EQ(language({{"LANGUAGE", ""}}), kEnglish);
}

TEST(Languages, EachHasItsOwnNameAndTheLauncherTextsInIt) {
  EXPECT_EQ(kLanguageCount, 10);
  EXPECT_EQ(kLanguages[0].Name, "English");
  EXPECT_EQ(kLanguages[1].Name, "Русский");
  EXPECT_EQ(kLanguages[6].Name, "Português (BR)");
  EXPECT_EQ(kLanguages[9].Name, "Čeština");
  for (std::int32_t lang = 2; lang <= kLanguageCount; ++lang) {
    const LauncherTexts& texts = LauncherTextsFor(lang);
    const LauncherTexts& english = LauncherTextsFor(kEnglish);
    EXPECT_NE(texts.StartGame, english.StartGame) << lang;
    EXPECT_NE(texts.QuitQuestion, english.QuitQuestion) << lang;
    EXPECT_NE(texts.FileMissing, english.FileMissing) << lang;
    for (std::string_view text :
         {texts.Caption, texts.FullScreen, texts.Maximized, texts.Antialias, texts.CheckForUpdate, texts.Yes,
          texts.No, texts.CannotOpenBefore, texts.CannotOpenAfter, texts.FileUnreadable, texts.FileTooLarge,
          texts.FileHoldsNoGame, texts.GameRefusedBefore, texts.GameRefusedAfter, texts.Megabytes})
      EXPECT_FALSE(text.empty()) << lang;
    EXPECT_TRUE(texts.Yes.starts_with("_") && texts.No.starts_with("_")) << lang;  // their access keys
  }
}

}  // namespace
}  // namespace zelmar
