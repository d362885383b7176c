// Layout of interleaved integer PCM samples.
#pragma once

#include <cstdint>

namespace zelmar::audio {

struct PcmFormat {
  int Channels = 2;
  int SampleRate = 44100;
  int BitsPerSample = 16;

  // Bytes taken by one sample frame (one sample of every channel).
  int FrameBytes() const { return Channels * ((BitsPerSample + 7) / 8); }
};

}  // namespace zelmar::audio
