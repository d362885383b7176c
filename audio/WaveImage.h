// Reading a complete RIFF WAVE file image held in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "audio/platform/PcmFormat.h"

namespace zelmar::audio {

struct TWaveImage {
  PcmFormat Format;
  std::span<const uint8_t> Samples;  // the data chunk, inside the image
};

// Finds the format and data chunks of an integer PCM wave image. On failure returns false and
// says why in `error`; the image is never read beyond its end.
bool ParseWaveImage(std::span<const uint8_t> image, TWaveImage& wave, std::string& error);

}  // namespace zelmar::audio
