// The text form of what one search hands on to the next, for keeping a game's computer player on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/search/ChessSearch.h"

namespace zelmar {

// The first token of the text; a later layout gets a new one.
inline constexpr std::string_view kCarriedLineFormat = "v1";
// The token of an empty entry.
inline constexpr std::string_view kNoCarriedMove = "-";

// The format token, then one token per ply: the move's squares ("e2e4") or "-" for none, the trailing
// "-" left out. Every token has at most four characters, so the text can be wrapped at any space.
std::string CarriedLineText(const TChessSearch::TCarriedLine& line);
// The line a CarriedLineText text holds; nothing for any other text. Tokens are separated by spaces,
// tabs or line breaks.
std::optional<TChessSearch::TCarriedLine> ParseCarriedLine(std::string_view text);

}  // namespace zelmar
