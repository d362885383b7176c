// Decides whether a frame needs drawing: a frame whose calls equal those of the frame last presented, on
// a screen where nothing else changed, would show the same pixels again, so the device neither draws nor
// presents it.
#pragma once

#include <cstdint>

#include "scene/FrameRecord.h"

namespace zelmar::scene {

// What decides the picture on the screen besides the drawing calls.
struct TScreenFacts {
  std::uint32_t WindowExposures = 0;  // times the window's contents may have been lost (exposed, resized)
  std::uint32_t DeviceResets = 0;     // times the back buffer was made again
  bool Antialias = false;             // the canvas's texture filter
  bool operator==(const TScreenFacts& other) const = default;
};

class TFrameGate {
 public:
  // The record the next frame is drawn into; emptied by each call.
  TFrameRecord& Begin() {
    next_.Clear();
    return next_;
  }
  // The frame recorded since Begin.
  const TFrameRecord& Next() const { return next_; }
  // Whether the frame recorded since Begin must be drawn and presented on a screen with these facts.
  bool MustDraw(const TScreenFacts& facts) const {
    return !known_ || !(facts == shownFacts_) || !(next_ == shown_);
  }
  // The recorded frame has been presented on a screen with these facts.
  void Presented(const TScreenFacts& facts);
  // What the screen shows is no longer known (a failed present, a hidden window): the next frame is drawn.
  void Forget() { known_ = false; }
  // The painter whose fonts measure the texts of the frames recorded.
  void MeasureWith(const TScenePainter* fonts) {
    next_.MeasureWith(fonts);
    shown_.MeasureWith(fonts);
  }

 private:
  TFrameRecord next_, shown_;
  TScreenFacts shownFacts_;
  bool known_ = false;
};

}  // namespace zelmar::scene
