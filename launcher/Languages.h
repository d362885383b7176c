// The interface languages, by their "Lang" value 1..kLanguageCount, and the first start's choice among them
// from the desktop's locale.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <string_view>

namespace zelmar {

// One interface language: its gettext catalogue's code (po/CODE.po) and its name in itself.
struct Language {
  std::string_view Code;
  std::string_view Name;
};

// The languages in "Lang" order: value v is kLanguages[v - 1]. English is the catalogues' source language.
inline constexpr Language kLanguages[] = {
    {"en", "English"},    {"ru", "Русский"},  {"de", "Deutsch"},           {"fr", "Français"},
    {"es", "Español"},    {"it", "Italiano"}, {"pt_BR", "Português (BR)"}, {"pl", "Polski"},
    {"uk", "Українська"}, {"cs", "Čeština"},
};
inline constexpr std::int32_t kLanguageCount = static_cast<std::int32_t>(std::size(kLanguages));
inline constexpr std::int32_t kEnglish = 1;
// The first language (English).
inline constexpr std::int32_t kFirstLanguage = kEnglish;

// The place of a "Lang" value in tables of kLanguageCount texts; a value outside 1..kLanguageCount is
// English.
constexpr std::size_t LanguageIndex(std::int32_t lang) {
  return lang >= 1 && lang <= kLanguageCount ? static_cast<std::size_t>(lang - 1) : 0;
}

// The "Lang" value of a POSIX locale name such as "de_DE.UTF-8", "pt_BR" or "uk_UA@euro"; 0 when it names
// none of the languages ("C", "POSIX", an empty name, another language). Any Portuguese locale gives
// Brazilian Portuguese, the only Portuguese the game speaks.
std::int32_t LanguageOfLocale(std::string_view locale);

// Reads one environment variable; null when it is not set.
using EnvironmentReader = std::function<const char*(const char* name)>;

// The language the desktop asks for, for a first start: the locale of messages as POSIX orders it (the first
// non-empty of LC_ALL, LC_MESSAGES and LANG), or when none of these is set the first entry of GNU's LANGUAGE
// list; English when that names none of the languages.
std::int32_t DesktopLanguage(const EnvironmentReader& read);
// The same on the program's own environment.
std::int32_t DesktopLanguage();

}  // namespace zelmar
