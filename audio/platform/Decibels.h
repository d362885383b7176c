// Volume and pan in hundredths of a decibel, as the sound components express them.
#pragma once

namespace zelmar::audio {

constexpr int kVolumeMin = -10000;  // silence
constexpr int kVolumeMax = 0;       // the clip as recorded
constexpr int kPanLeft = -10000;    // right channel silent
constexpr int kPanRight = 10000;    // left channel silent
constexpr int kFrequencyOriginal = 0;
constexpr int kFrequencyMin = 100;
constexpr int kFrequencyMax = 200000;

// Linear gain of an attenuation in hundredths of a decibel; the minimum means silence.
float AttenuationGain(int hundredths);

struct ChannelGains {
  float Left = 1.0f;
  float Right = 1.0f;
};

// Per-channel gains of a volume and pan: the pan attenuates only the opposite channel.
ChannelGains GainsFor(int volume, int pan);

}  // namespace zelmar::audio
