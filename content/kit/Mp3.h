// MP3 encoding of a stereo buffer with LAME, gapless (encoder delay and padding recorded in the Info tag).
#pragma once
#include "content/kit/Records.h"
#include "content/kit/Sound.h"

namespace zelmar::content {

// The MP3 file bytes of the buffer at a constant bit rate; empty on failure.
Bytes EncodeMp3(const Stereo& s, int kbps);

}  // namespace zelmar::content
