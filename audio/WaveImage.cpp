#include "audio/WaveImage.h"

#include <cstring>

namespace zelmar::audio {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const uint8_t* p) {
  return Le16(p) | static_cast<uint32_t>(Le16(p + 2)) << 16;
}

// Checks a format chunk: integer PCM (plain or extensible), 1 or 2 channels, 8 to 32 bits.
bool ReadFormat(std::span<const uint8_t> chunk, PcmFormat& format, std::string& error) {
  if (chunk.size() < 16) {
    error = "format chunk too short";
    return false;
  }
  uint16_t tag = Le16(chunk.data());
  if (tag == kFormatExtensible) {
    if (chunk.size() < 40) {
      error = "extensible format chunk too short";
      return false;
    }
    tag = Le16(chunk.data() + 24);  // first two bytes of the sub-format identifier
  }
  format.Channels = Le16(chunk.data() + 2);
  format.SampleRate = static_cast<int>(Le32(chunk.data() + 4));
  format.BitsPerSample = Le16(chunk.data() + 14);
  if (tag != kFormatPcm) {
    error = "not PCM data";
  } else if (format.Channels < 1 || format.Channels > 2) {
    error = "unsupported channel count";
  } else if (format.SampleRate < 100 || format.SampleRate > 200000) {
    error = "unsupported sample rate";
  } else if (format.BitsPerSample % 8 != 0 || format.BitsPerSample < 8 || format.BitsPerSample > 32) {
    error = "unsupported sample size";
  } else {
    return true;
  }
  return false;
}

}  // namespace

// Walks the chunks after the RIFF header; each chunk must fit inside the image.
bool ParseWaveImage(std::span<const uint8_t> image, TWaveImage& wave, std::string& error) {
  if (image.size() < 12 || std::memcmp(image.data(), "RIFF", 4) != 0 ||
      std::memcmp(image.data() + 8, "WAVE", 4) != 0) {
    error = "not a RIFF WAVE image";
    return false;
  }
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= image.size()) {
    const uint8_t* header = image.data() + at;
    const size_t size = Le32(header + 4);
    if (size > image.size() - at - 8) {
      error = "chunk runs past the end of the image";
      return false;
    }
    std::span<const uint8_t> body = image.subspan(at + 8, size);
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (!ReadFormat(body, wave.Format, error)) return false;
      haveFormat = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (!haveFormat) {
        error = "data chunk before the format chunk";
        return false;
      }
      wave.Samples = body;
      return true;
    }
    at += 8 + size + (size & 1);
  }
  error = haveFormat ? "no data chunk" : "no format chunk";
  return false;
}

}  // namespace zelmar::audio
