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
    "Cannot open \u201c",
    "\u201d: ",
    "there is no such file",
    "it cannot be read",
    "it is larger than ",
    "it holds no game",
    "the game at line ",
    " is refused: ",
    " MB",
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
    "Не удалось открыть «",
    "»: ",
    "такого файла нет",
    "файл не читается",
    "файл больше ",
    "в файле нет партии",
    "партия в строке ",
    " не принята: ",
    " МБ",
};

}  // namespace

const LauncherTexts& LauncherTextsFor(std::int32_t lang) {
  return lang == 1 ? kEnglish : kRussian;
}

}  // namespace zelmar
