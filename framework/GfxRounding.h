// Rounding helpers shared by the drawing code: real sizes become whole pixels by rounding half to even.
#pragma once

#include <cmath>
#include <limits>

namespace zelmar {

// Rounds to the nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4); NaN gives 0 and
// values beyond the int range are clamped, so odd input never becomes undefined behaviour.
inline int RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  double r = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) r = 2.0 * std::round(value / 2.0);
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

// Rounds toward zero with the same protection against NaN and overflow.
inline int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  double t = std::trunc(value);
  if (t >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (t <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(t);
}

}  // namespace zelmar
