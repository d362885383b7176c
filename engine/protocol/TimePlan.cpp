// The time plan of one move.
#include "engine/protocol/TimePlan.h"

#include <algorithm>

namespace zelmar {

namespace {
// Moves a sudden-death game is expected to last beyond this one.
constexpr int SuddenDeathHorizon = 30;
// Share of the time left that one move may never exceed (1 / n), and the least any move gets.
constexpr int MostOfRemaining = 4;
constexpr TMillis LeastThink{5};
}  // namespace

TTimePlan PlanMove(const TClock& clock) {
  // 1. What the clock really offers, less the margin.
  const TMillis usable = std::max(TMillis{0}, clock.Remaining - SafetyMargin);
  // 2. An even share over the moves to go, plus three quarters of the increment.
  const int moves = clock.MovesToGo > 0 ? std::min(clock.MovesToGo, SuddenDeathHorizon) : SuddenDeathHorizon;
  TMillis target = usable / moves + clock.Increment * 3 / 4;
  // 3. The hard limit: two and a half targets, never above the cap on one move (the last move
  //    before a time control may use most of what is left).
  const TMillis cap = clock.MovesToGo == 1 ? usable * 3 / 4 : usable / MostOfRemaining;
  TMillis hard = std::min(target * 5 / 2, cap);
  target = std::min(target, hard);
  // 4. No new iteration after half the target: the next one takes several times as long.
  TTimePlan plan;
  plan.Hard = std::max(hard, LeastThink);
  plan.Soft = std::max(target / 2, LeastThink);
  return plan;
}

TTimePlan PlanFixed(TMillis perMove) {
  const TMillis hard = std::max(perMove - SafetyMargin, LeastThink);
  return {hard / 2, hard};
}

TTimePlan PlanSafetyOnly(const TClock& clock) {
  const TMillis usable = std::max(TMillis{0}, clock.Remaining - SafetyMargin);
  const TMillis cap = clock.MovesToGo == 1 ? usable * 3 / 4 : usable / 2;
  const TMillis hard = std::max(cap + clock.Increment / 2, LeastThink);
  return {hard, hard};
}

}  // namespace zelmar
