#include "scene/AnimationSteps.h"

#include <cmath>
#include <numbers>

#include "framework/GfxRounding.h"

namespace zelmar::scene {

// 1. Turns the circle. 2. Reverses at pi and 2 pi. 3. Places the twelve figures round (222, 419) on a radius
// that follows the angle.
void TitleStep(TSceneState& state) {
  constexpr double kPi = std::numbers::pi;
  state.TitleAngle += state.TitleSpeed;
  if (state.TitleAngle < kPi) {
    state.TitleSpeed = 0.01;
    state.TitleAngle = kPi;
  }
  if (state.TitleAngle > 2 * kPi) {
    state.TitleSpeed = -0.01;
    state.TitleAngle = 2 * kPi;
  }
  const double radius = state.TitleAngle / 3 * 80;
  for (int i = 1; i <= 12; ++i) {
    const double theta = (i - 1) * 0.523 + state.TitleAngle;
    const auto at = static_cast<std::size_t>(i - 1);
    state.TitleX[at] = RoundHalfEven(std::sin(theta) * radius) + 222;
    state.TitleY[at] = RoundHalfEven(std::cos(theta) * radius) + 419;
  }
}

// The selection's posts swing between 1 and 51.
void PulseStep(TSceneState& state) {
  state.Pulse += state.PulseDir;
  if (state.Pulse > 50) state.PulseDir = -1;
  if (state.Pulse <= 1) state.PulseDir = 1;
}

// The portrait shrinks ever faster towards 1 and then stays there.
void PortraitStep(TSceneState& state) {
  const double s = state.PortraitScale;
  state.PortraitScale = s > 1 ? s + state.PortraitDecay * s * s * s : 1.0;
}

}  // namespace zelmar::scene
