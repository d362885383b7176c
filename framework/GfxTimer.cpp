#include "framework/GfxTimer.h"

#include <cmath>
#include <limits>

namespace zelmar {

namespace {

constexpr std::int64_t kOne = 1 << 20;                                          // one unit in fixed point
constexpr std::int64_t kMillisPerSecond = 1048576000;                           // 1000 ms in fixed point
constexpr std::int32_t kMaxDelta = 1 << 25;                                     // 32 ticks
constexpr std::int64_t kMaxElapsed = std::numeric_limits<std::int32_t>::max();  // just under 2048 ms

// Rounds to the nearest integer, halves to the even neighbour.
std::int64_t RoundEven(double value) {
  return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace

// Sets the defaults, picks the counter when the platform has one, takes the first reading and
// installs the idle handler.
TGfxTimer::TGfxTimer(TComponent* owner, TApplication& application)
    : TComponent(owner), application_(application) {
  SetSpeed(60.0);
  SetMaxFPS(100);
  platform::PlatformClock& clock = application_.Platform().Clock();
  frequency_ = clock.CounterFrequency();
  precision_ = frequency_ != 0 ? ppHigh : ppLow;
  if (precision_ == ppHigh) {
    lastCounter_ = clock.Counter();
  } else {
    lastTick_ = clock.TickCount();
  }
  application_.SetIdleHandler([this] { return Idle(); }, this);
}

// Removes the idle handler if it is still this timer's.
TGfxTimer::~TGfxTimer() {
  application_.RemoveIdleHandler(this);
}

// Ticks per second; below 1 (or NaN) becomes 1. A speed so high that a tick would round to nothing is held
// at a tick of one fixed-point unit.
void TGfxTimer::SetSpeed(double value) {
  if (!(value >= 1.0)) value = 1.0;
  speed_ = value;
  const std::int64_t length = RoundEven(static_cast<double>(kMillisPerSecond) / value);
  tickLength_ = static_cast<std::int32_t>(length < 1 ? 1 : length);
}

// Frames per second at most; 0 or less becomes 1.
void TGfxTimer::SetMaxFPS(int value) {
  if (value <= 0) value = 1;
  maxFPS_ = value;
  minFrameTime_ = static_cast<std::int32_t>(RoundEven(static_cast<double>(kMillisPerSecond) / value));
}

// Time since the previous call in fixed-point milliseconds. A pause of 2048 ms or more (a suspended machine,
// a dragged window) does not fit and is held just below 2048 ms.
std::int32_t TGfxTimer::MeasureElapsed() {
  platform::PlatformClock& clock = application_.Platform().Clock();
  std::int64_t elapsed;
  if (precision_ == ppHigh) {
    const std::uint64_t now = clock.Counter();
    const unsigned __int128 ticks = now - lastCounter_;
    lastCounter_ = now;
    const unsigned __int128 scaled = ticks * static_cast<unsigned __int128>(kMillisPerSecond) / frequency_;
    elapsed = scaled > static_cast<unsigned __int128>(kMaxElapsed) ? kMaxElapsed
                                                                   : static_cast<std::int64_t>(scaled);
  } else {
    const std::uint32_t now = clock.TickCount();
    const std::uint32_t millis = now - lastTick_;
    lastTick_ = now;
    elapsed = millis >= 2048 ? kMaxElapsed : static_cast<std::int64_t>(millis) * kOne;
  }
  return static_cast<std::int32_t>(elapsed);
}

// 1. Measures the frame. 2. Disabled: sleeps 5 ms. 3. Sleeps part of the rest of the shortest frame.
// 4. Converts the frame to ticks. 5. Counts the frame rate. 6. Adds the ticks to Lag if Process ran.
// 7. Raises OnTimer. Returns false: the loop calls again at once.
bool TGfxTimer::Idle() {
  platform::PlatformClock& clock = application_.Platform().Clock();
  const std::int32_t elapsed = MeasureElapsed();
  if (!enabled_) {
    clock.Sleep(5);
    return false;
  }
  std::int32_t slept = 0;
  if (minFrameTime_ > elapsed) {
    slept = static_cast<std::int32_t>((static_cast<std::int64_t>(minFrameTime_) - elapsed) / kOne);
    clock.Sleep(static_cast<std::uint32_t>(slept));
  }
  const std::int64_t delta = static_cast<std::int64_t>(elapsed) * kOne / tickLength_;
  delta_ = static_cast<std::int32_t>(delta > kMaxDelta ? kMaxDelta : delta);

  frameRateTime_ += static_cast<std::int64_t>(elapsed) + static_cast<std::int64_t>(slept) * kOne;
  const std::int64_t window = elapsed > 0 ? kMillisPerSecond / elapsed : 4;
  ++frameRateCount_;
  if (frameRateCount_ >= window) {
    if (frameRateTime_ > 0) {
      frameRate_ = static_cast<int>(frameRateCount_ * kOne * 1000 / frameRateTime_);
    }
    frameRateTime_ = 0;
    frameRateCount_ = 0;
  }
  if (processed_) {
    lag_ += delta_;
    processed_ = false;
  }
  if (OnTimer) OnTimer(this);
  return false;
}

// Raises OnProcess once per whole tick in Lag and keeps the fraction.
void TGfxTimer::Process() {
  processed_ = true;
  if (lag_ < kOne) return;
  if (OnProcess) {
    const std::int32_t ticks = lag_ >> 20;
    for (std::int32_t i = 0; i < ticks; ++i) OnProcess(this);
  }
  lag_ &= static_cast<std::int32_t>(kOne - 1);
}

}  // namespace zelmar
