// Splitting and reading the words of protocol command lines.
#pragma once

#include <optional>
#include <string_view>

namespace zelmar {

// Drops spaces, tabs and line ends at both ends.
std::string_view Trim(std::string_view text);
// The first word of the text, and in rest what follows it, trimmed.
std::string_view FirstWord(std::string_view text, std::string_view& rest);
// A whole-text decimal number within [low, high], or nothing.
std::optional<long long> ReadInteger(std::string_view text, long long low, long long high);
// A whole-text non-negative decimal number with an optional fraction ("2", "0.5"), or nothing.
std::optional<double> ReadDecimal(std::string_view text, double high);
// Whether the word has the shape of a move in coordinate form (e2e4, e7e8q).
bool LooksLikeMove(std::string_view word);

}  // namespace zelmar
