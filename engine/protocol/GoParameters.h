// The parameters of the UCI go command, read by a table of small handlers, one for each word.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol/TimePlan.h"

namespace zelmar {

struct TGoParameters {
  TClock Clocks[2];  // White's, Black's
  bool HaveClock = false;
  bool Infinite = false;
  bool Ponder = false;
  std::optional<int> Depth;
  std::optional<long long> MoveTime;  // milliseconds
  // What was left out and why, one line each ("go: ..."), for the GUI's info strings.
  std::vector<std::string> Notes;
};

// Reads the words after "go". A word with a bad or missing value, one not supported and one not known
// are left out with a note; the rest is read as if they were not there.
TGoParameters ParseGo(std::string_view arguments);

}  // namespace zelmar
