// How long one move may think under a clock: a soft limit after which no new iteration starts and a
// hard limit at which the running iteration is abandoned.
#pragma once

#include <chrono>

namespace zelmar {

using TMillis = std::chrono::milliseconds;

// The clock of the side to move as the protocols give it.
struct TClock {
  TMillis Remaining{0};
  TMillis Increment{0};
  int MovesToGo = 0;  // moves until the next time control; 0 for the whole game
};

struct TTimePlan {
  TMillis Soft{0};
  TMillis Hard{0};
};

// Kept back from every clock for reading, writing and the GUI's own delays.
inline constexpr TMillis SafetyMargin{60};

// Plans one move from the clock: an even share of the time left over the moves still to play (a
// sudden-death game counts a fixed horizon), plus most of the increment; never more than a fraction
// of what is left, so a long think cannot lose the game on time.
TTimePlan PlanMove(const TClock& clock);

// A fixed time per move (CECP st, UCI movetime): think up to it, less the safety margin.
TTimePlan PlanFixed(TMillis perMove);

// Only the guard against losing on time, for fixed-depth searches played under a clock.
TTimePlan PlanSafetyOnly(const TClock& clock);

}  // namespace zelmar
