// The interface languages: the setting "Lang" runs from 1 to kLanguageCount, and every table of texts (the
// launcher's and the game window's) holds one text per language.
#pragma once

#include <cstdint>

namespace zelmar {

// The first language (English) and how many there are.
inline constexpr std::int32_t kFirstLanguage = 1;
inline constexpr std::int32_t kLanguageCount = 2;

}  // namespace zelmar
