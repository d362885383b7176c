#include "engine/protocol/CommandText.h"

#include <charconv>
#include <cmath>

namespace zelmar {

namespace {
constexpr std::string_view Blanks = " \t\r\n";
}  // namespace

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(Blanks);
  return text.substr(first, last - first + 1);
}

std::string_view FirstWord(std::string_view text, std::string_view& rest) {
  text = Trim(text);
  const auto end = text.find_first_of(Blanks);
  if (end == std::string_view::npos) {
    rest = {};
    return text;
  }
  rest = Trim(text.substr(end));
  return text.substr(0, end);
}

std::optional<long long> ReadInteger(std::string_view text, long long low, long long high) {
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

std::optional<double> ReadDecimal(std::string_view text, double high) {
  double value = 0;
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value > high)
    return std::nullopt;
  return value;
}

bool LooksLikeMove(std::string_view w) {
  const auto file = [](char c) { return c >= 'a' && c <= 'h'; };
  const auto rank = [](char c) { return c >= '1' && c <= '8'; };
  if (w.size() != 4 && w.size() != 5) return false;
  if (!file(w[0]) || !rank(w[1]) || !file(w[2]) || !rank(w[3])) return false;
  return w.size() == 4 || std::string_view("qrbnQRBN").find(w[4]) != std::string_view::npos;
}

}  // namespace zelmar
