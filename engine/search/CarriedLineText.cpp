// Writing and reading the carried line's text form.
#include "engine/search/CarriedLineText.h"

#include "engine/search/SearchRootText.h"

namespace zelmar {

namespace {

constexpr std::string_view kSeparators = " \t\r\n";
constexpr int kBoardSide = 8;

bool Empty(TSearchMove m) {
  return m.From == 0 && m.To == 0;
}

// The search square of a name like "e2"; -1 for anything else.
int ParseSquare(std::string_view name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] >= 'a' + kBoardSide || name[1] < '1' ||
      name[1] >= '1' + kBoardSide) {
    return -1;
  }
  return ('8' - name[1]) * kBoardSide + (name[0] - 'a');
}

}  // namespace

std::string CarriedLineText(const TChessSearch::TCarriedLine& line) {
  std::size_t used = line.size();
  while (used > 0 && Empty(line[used - 1])) --used;
  std::string out(kCarriedLineFormat);
  for (std::size_t p = 0; p < used; ++p) {
    out += ' ';
    out += Empty(line[p]) ? std::string(kNoCarriedMove) : SquareName(line[p].From) + SquareName(line[p].To);
  }
  return out;
}

// A move token names two different squares (an empty entry is only ever written "-"); more tokens
// than plies, an unknown format or any other token refuse the whole text.
std::optional<TChessSearch::TCarriedLine> ParseCarriedLine(std::string_view text) {
  TChessSearch::TCarriedLine line{};
  std::size_t ply = 0;
  bool formatSeen = false;
  std::size_t at = 0;
  for (;;) {
    at = text.find_first_not_of(kSeparators, at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(kSeparators, at), text.size());
    const std::string_view token = text.substr(at, end - at);
    at = end;
    if (!formatSeen) {
      if (token != kCarriedLineFormat) return std::nullopt;
      formatSeen = true;
      continue;
    }
    if (ply == line.size()) return std::nullopt;
    if (token != kNoCarriedMove) {
      if (token.size() != 4) return std::nullopt;
      const int from = ParseSquare(token.substr(0, 2));
      const int to = ParseSquare(token.substr(2, 2));
      if (from < 0 || to < 0 || from == to) return std::nullopt;
      line[ply] = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), 0, 0};
    }
    ++ply;
  }
  if (!formatSeen) return std::nullopt;
  return line;
}

}  // namespace zelmar
