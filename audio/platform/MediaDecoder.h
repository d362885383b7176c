// A decoder of a compressed audio file into 16-bit PCM, as the music input uses it.
#pragma once

#include <cstdint>
#include <string>

#include "audio/platform/PcmFormat.h"

namespace zelmar::audio {

class MediaDecoder {
 public:
  virtual ~MediaDecoder() = default;

  // Opens a file and reads its format; false on any failure (missing, empty, not decodable).
  // `channels` 0 keeps the file's own channel count, 1 or 2 mixes down or up to it.
  virtual bool Open(const std::string& path, int channels, bool highPrecision) = 0;
  virtual void Close() = 0;
  // Format of the delivered PCM (always 16 bits) after a successful Open().
  virtual const PcmFormat& Format() const = 0;
  // Decodes up to `frames` frames; returns how many were delivered, 0 at the end, -1 on an error.
  virtual long Read(int16_t* out, long frames) = 0;
  // Moves to a sample frame; false when the decoder cannot seek.
  virtual bool Seek(int64_t frame) = 0;
};

}  // namespace zelmar::audio
