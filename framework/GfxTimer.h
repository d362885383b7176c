// The frame timer: called from the application's idle processing, it limits frames to MaxFPS, raises
// OnTimer once per frame and, through Process, OnProcess once for every due tick of 1/Speed seconds.
// Times are fixed point with 20 fraction bits (2^20 is one millisecond or one tick).
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Application.h"
#include "framework/Component.h"

namespace zelmar {

enum TPerformancePrecision { ppLow, ppHigh };

class TGfxTimer : public TComponent {
 public:
  using TNotifyEvent = std::function<void(TGfxTimer* sender)>;

  // Takes the first time reading and installs the timer as the application's idle handler.
  TGfxTimer(TComponent* owner, TApplication& application);
  ~TGfxTimer() override;

  double Speed() const { return speed_; }
  void SetSpeed(double value);
  int MaxFPS() const { return maxFPS_; }
  void SetMaxFPS(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  TPerformancePrecision Precision() const { return precision_; }

  TNotifyEvent OnTimer;
  TNotifyEvent OnProcess;

  // Runs the due ticks; call from inside OnTimer.
  void Process();
  // One idle call: measure, limit, account, raise OnTimer. Always reports more idle work.
  bool Idle();

  std::int32_t Delta() const { return delta_; }
  std::int32_t Lag() const { return lag_; }
  int FrameRate() const { return frameRate_; }
  std::int32_t TickLength() const { return tickLength_; }
  std::int32_t MinFrameTime() const { return minFrameTime_; }

 private:
  std::int32_t MeasureElapsed();

  TApplication& application_;
  double speed_ = 60.0;
  int maxFPS_ = 100;
  bool enabled_ = false;
  TPerformancePrecision precision_ = ppLow;
  std::int32_t tickLength_ = 0;
  std::int32_t minFrameTime_ = 0;
  std::int32_t delta_ = 0;
  std::int32_t lag_ = 0;
  bool processed_ = false;
  int frameRate_ = 0;
  std::int64_t frameRateTime_ = 0;  // wide enough for any window of frames
  std::int64_t frameRateCount_ = 0;
  std::uint64_t lastCounter_ = 0;
  std::uint32_t lastTick_ = 0;
  std::uint64_t frequency_ = 0;
};

}  // namespace zelmar
