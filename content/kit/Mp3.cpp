#include "content/kit/Mp3.h"

#include <algorithm>
#include <memory>

#include <lame/lame.h>

namespace zelmar::content {

Bytes EncodeMp3(const Stereo& s, int kbps) {
  std::unique_ptr<lame_global_flags, decltype(&lame_close)> gf(lame_init(), &lame_close);
  if (!gf) return {};
  lame_set_in_samplerate(gf.get(), s.Rate);
  lame_set_out_samplerate(gf.get(), s.Rate);
  lame_set_num_channels(gf.get(), 2);
  lame_set_mode(gf.get(), JOINT_STEREO);
  lame_set_brate(gf.get(), kbps);
  lame_set_quality(gf.get(), 2);
  lame_set_bWriteVbrTag(gf.get(), 1);  // the Info tag carries delay and padding for gapless decoding
  lame_set_write_id3tag_automatic(gf.get(), 0);
  if (lame_init_params(gf.get()) < 0) return {};
  Bytes out;
  const int chunk = 8192;
  std::vector<unsigned char> buf(static_cast<size_t>(1.25 * chunk + 7200));
  for (size_t at = 0; at < s.Frames(); at += chunk) {
    const int n = static_cast<int>(std::min<size_t>(chunk, s.Frames() - at));
    const int got = lame_encode_buffer_ieee_float(gf.get(), s.Left.data() + at, s.Right.data() + at, n,
                                                  buf.data(), static_cast<int>(buf.size()));
    if (got < 0) return {};
    out.insert(out.end(), buf.begin(), buf.begin() + got);
  }
  const int tail = lame_encode_flush(gf.get(), buf.data(), static_cast<int>(buf.size()));
  if (tail < 0) return {};
  out.insert(out.end(), buf.begin(), buf.begin() + tail);
  // The first frame was reserved for the Info tag; fill it in now that the totals are known.
  const size_t tagSize = lame_get_lametag_frame(gf.get(), buf.data(), buf.size());
  if (tagSize > 0 && tagSize <= out.size()) std::copy(buf.begin(), buf.begin() + tagSize, out.begin());
  return out;
}

}  // namespace zelmar::content
