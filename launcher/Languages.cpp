#include "launcher/Languages.h"

#include <cstdlib>

namespace zelmar {

std::int32_t LanguageOfLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::string_view language = locale.substr(0, locale.find('_'));
  if (language.empty()) return 0;
  for (std::int32_t lang = 1; lang <= kLanguageCount; ++lang) {
    const std::string_view code = kLanguages[lang - 1].Code;
    if (code.substr(0, code.find('_')) == language) return lang;
  }
  return 0;
}

std::int32_t DesktopLanguage(const EnvironmentReader& read) {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = read(name);
    if (value != nullptr && *value != '\0') {
      locale = value;
      break;
    }
  }
  if (locale.empty()) {
    const char* list = read("LANGUAGE");
    if (list != nullptr) locale = std::string_view(list).substr(0, std::string_view(list).find(':'));
  }
  const std::int32_t lang = LanguageOfLocale(locale);
  return lang != 0 ? lang : kEnglish;
}

std::int32_t DesktopLanguage() {
  return DesktopLanguage([](const char* name) { return std::getenv(name); });
}

}  // namespace zelmar
