#include "launcher/LauncherTexts.h"

namespace zelmar {
namespace {

constexpr LauncherTexts kEnglish{
    "Zelmar Chess",
    " Full Screen ",
    " Maximized ",
    " Antialias ",
    "Start Game",
    "Check for Update",
    "Are you sure you want to quit?",
    "_Yes",
    "_No",
};

constexpr LauncherTexts kRussian{
    "Шахматы с Зельмарами",
    " Полноэкр. ",
    " Растянуть ",
    " Сглаж. ",
    "Запуск игры",
    "Проверить обновления",
    "Вы уверены, что хотите выйти из игры?",
    "_Да",
    "_Нет",
};

}  // namespace

const LauncherTexts& LauncherTextsFor(std::int32_t lang) {
  return lang == 1 ? kEnglish : kRussian;
}

}  // namespace zelmar
