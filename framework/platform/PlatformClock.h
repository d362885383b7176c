// Time as the frame timer reads it.
#pragma once

#include <cstdint>

namespace zelmar::platform {

class PlatformClock {
 public:
  virtual ~PlatformClock() = default;
  // Ticks of the high-resolution counter per second; 0 when there is no such counter.
  virtual std::uint64_t CounterFrequency() = 0;
  // The high-resolution counter.
  virtual std::uint64_t Counter() = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // Sleeps about `milliseconds` (0 gives up the rest of the time slice).
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace zelmar::platform
