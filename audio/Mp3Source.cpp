#include "audio/Mp3Source.h"

#include "audio/platform/Mp3Decoder.h"

namespace zelmar::audio {

std::unique_ptr<MediaDecoder> TMp3Source::CreateDecoder() const {
  return std::make_unique<Mp3Decoder>();
}

}  // namespace zelmar::audio
