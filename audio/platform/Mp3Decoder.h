// MP3 decoding with libmpg123: a file in, 16-bit PCM out, sample-accurate and gapless.
#pragma once

#include <vector>

#include <mpg123.h>

#include "audio/platform/MediaDecoder.h"

namespace zelmar::audio {

class Mp3Decoder final : public MediaDecoder {
 public:
  Mp3Decoder() = default;
  ~Mp3Decoder() override;
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // With `highPrecision` the decoder synthesises in floating point and the samples are rounded
  // to 16 bits here; otherwise it produces 16-bit samples itself.
  bool Open(const std::string& path, int channels, bool highPrecision) override;
  void Close() override;
  const PcmFormat& Format() const override { return format_; }
  long Read(int16_t* out, long frames) override;
  bool Seek(int64_t frame) override;

 private:
  bool Configure(int channels, int encoding);
  int ReadSamples(int16_t* out, size_t samples, size_t& done);

  mpg123_handle* handle_ = nullptr;
  PcmFormat format_;
  bool floating_ = false;
  std::vector<float> scratch_;
};

}  // namespace zelmar::audio
