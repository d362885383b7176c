#include "scene/FrameGate.h"

#include <utility>

namespace zelmar::scene {

// The presented frame becomes the one to compare with; the old one's storage serves the next frame.
void TFrameGate::Presented(const TScreenFacts& facts) {
  std::swap(next_, shown_);
  shownFacts_ = facts;
  known_ = true;
}

}  // namespace zelmar::scene
