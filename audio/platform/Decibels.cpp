#include "audio/platform/Decibels.h"

#include <algorithm>
#include <cmath>

namespace zelmar::audio {

// 10^(dB/20) with dB = hundredths / 100; -100 dB and below count as silence.
float AttenuationGain(int hundredths) {
  if (hundredths <= kVolumeMin) return 0.0f;
  if (hundredths >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

// A pan to the left lowers the right channel by |pan| and leaves the left one, and vice versa.
ChannelGains GainsFor(int volume, int pan) {
  const float master = AttenuationGain(volume);
  ChannelGains gains;
  gains.Left = master * AttenuationGain(pan > 0 ? -pan : 0);
  gains.Right = master * AttenuationGain(pan < 0 ? pan : 0);
  return gains;
}

}  // namespace zelmar::audio
