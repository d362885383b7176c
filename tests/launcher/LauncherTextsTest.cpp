#include "launcher/LauncherTexts.h"

#include <gtest/gtest.h>

namespace zelmar {
namespace {

TEST(LauncherTexts, English) {
  const LauncherTexts& t = LauncherTextsFor(1);
  EXPECT_EQ(t.Caption, "Zelmar Chess");
  EXPECT_EQ(t.FullScreen, " Full Screen ");
  EXPECT_EQ(t.Maximized, " Maximized ");
  EXPECT_EQ(t.Antialias, " Antialias ");
  EXPECT_EQ(t.StartGame, "Start Game");
  EXPECT_EQ(t.CheckForUpdate, "Check for Update");
  EXPECT_EQ(t.QuitQuestion, "Are you sure you want to quit?");
  EXPECT_EQ(t.Yes, "_Yes");
  EXPECT_EQ(t.No, "_No");
}

TEST(LauncherTexts, Russian) {
  {
    const int lang = 2;
    const LauncherTexts& t = LauncherTextsFor(lang);
    EXPECT_EQ(t.Caption, "Шахматы с Зельмарами");
    EXPECT_EQ(t.FullScreen, " Полноэкр. ");
    EXPECT_EQ(t.Maximized, " Растянуть ");
    EXPECT_EQ(t.Antialias, " Сглаж. ");
    EXPECT_EQ(t.StartGame, "Запуск игры");
    EXPECT_EQ(t.CheckForUpdate, "Проверить обновления");
    EXPECT_EQ(t.QuitQuestion, "Вы уверены, что хотите выйти из игры?");
    EXPECT_EQ(t.Yes, "_Да");
    EXPECT_EQ(t.No, "_Нет");
  }
}

TEST(LauncherTexts, EnglishForAValueOutsideTheLanguages) {
  for (const int lang : {0, -1, 11}) EXPECT_EQ(&LauncherTextsFor(lang), &LauncherTextsFor(1));
}

TEST(LauncherTexts, Address) {
  EXPECT_TRUE(kProductWebAddress.starts_with("https://"));
}

}  // namespace
}  // namespace zelmar
