// The music input for MP3 files.
#pragma once

#include "audio/MediaSource.h"

namespace zelmar::audio {

class TMp3Source : public TMediaSource {
 protected:
  std::unique_ptr<MediaDecoder> CreateDecoder() const override;
};

}  // namespace zelmar::audio
