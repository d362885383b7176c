// Layout of interleaved integer PCM samples.
#pragma once

#include <cstdint>

namespace zelmar::audio {

struct PcmFormat {
  int channels = 2;
  int sampleRate = 44100;
  int bitsPerSample = 16;

  // Bytes taken by one sample frame (one sample of every channel).
  int frameBytes() const { return channels * ((bitsPerSample + 7) / 8); }
};

}  // namespace zelmar::audio
