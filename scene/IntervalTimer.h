// An interval timer driven from the application loop: while enabled it raises OnTimer once for every whole
// interval of real time since it was enabled, on the thread that polls it. A loop that stalls catches up on
// the next poll instead of losing the time.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/platform/PlatformClock.h"

namespace zelmar::scene {

class TIntervalTimer {
 public:
  TIntervalTimer(platform::PlatformClock& clock, std::uint32_t intervalMs);

  bool Enabled() const { return enabled_; }
  // Enabling a disabled timer starts a fresh interval, enabling an enabled one keeps its rhythm; disabling
  // drops the part of an interval already run.
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return intervalMs_; }

  // Raises OnTimer for every interval that has run out since the last poll; call on every loop pass.
  void Poll();

  std::function<void()> OnTimer;

 private:
  std::uint64_t NowMicroseconds();

  platform::PlatformClock& clock_;
  std::uint32_t intervalMs_;
  bool enabled_ = false;
  std::uint64_t due_ = 0;  // microseconds of the next firing
};

}  // namespace zelmar::scene
