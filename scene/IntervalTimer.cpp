#include "scene/IntervalTimer.h"

namespace zelmar::scene {

// A disabled timer on the given clock.
TIntervalTimer::TIntervalTimer(platform::PlatformClock& clock, std::uint32_t intervalMs)
    : clock_(clock), intervalMs_(intervalMs == 0 ? 1 : intervalMs) {}

// Enabling counts the first interval from now; enabling an enabled timer keeps its rhythm.
void TIntervalTimer::SetEnabled(bool value) {
  if (value && !enabled_) due_ = NowMicroseconds() + std::uint64_t{intervalMs_} * 1000;
  enabled_ = value;
}

// Fires once per elapsed interval; OnTimer may disable the timer, which ends the catching up.
void TIntervalTimer::Poll() {
  const std::uint64_t now = NowMicroseconds();
  while (enabled_ && now >= due_) {
    due_ += std::uint64_t{intervalMs_} * 1000;
    if (OnTimer) OnTimer();
  }
}

// The high-resolution counter in microseconds; without one the millisecond tick count, which wraps after
// about 49 days.
std::uint64_t TIntervalTimer::NowMicroseconds() {
  const std::uint64_t frequency = clock_.CounterFrequency();
  if (frequency == 0) return std::uint64_t{clock_.TickCount()} * 1000;
  const std::uint64_t counter = clock_.Counter();
  return counter / frequency * 1000000 + counter % frequency * 1000000 / frequency;
}

}  // namespace zelmar::scene
