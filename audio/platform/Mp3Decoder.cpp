#include "audio/platform/Mp3Decoder.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "audio/platform/MpegProbe.h"

namespace zelmar::audio {

namespace {

// The library's one-time set-up; a no-op on recent versions but still required by older ones.
void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

Mp3Decoder::~Mp3Decoder() {
  Close();
}

// Allows every rate the library knows with the one channel layout and encoding wanted.
bool Mp3Decoder::Configure(int channels, int encoding) {
  if (mpg123_format_none(handle_) != MPG123_OK) return false;
  const int layout = channels == 1   ? MPG123_MONO
                     : channels == 2 ? MPG123_STEREO
                                     : (MPG123_MONO | MPG123_STEREO);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i) {
    if (mpg123_format(handle_, rates[i], layout, encoding) != MPG123_OK) return false;
  }
  return true;
}

// 1. MPEG frames at the start of the file; 2. a quiet, gapless handle; 3. the output layout;
// 4. the file and its first frame's format.
bool Mp3Decoder::Open(const std::string& path, int channels, bool highPrecision) {
  Close();
  if (!FileLooksLikeMpegAudio(path)) return false;
  InitLibrary();
  int error = MPG123_OK;
  handle_ = mpg123_new(nullptr, &error);
  if (!handle_) return false;
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  floating_ = highPrecision && Configure(channels, MPG123_ENC_FLOAT_32);
  if (!floating_ && !Configure(channels, MPG123_ENC_SIGNED_16)) {
    Close();
    return false;
  }
  long rate = 0;
  int fileChannels = 0;
  int encoding = 0;
  if (mpg123_open(handle_, path.c_str()) != MPG123_OK ||
      mpg123_getformat(handle_, &rate, &fileChannels, &encoding) != MPG123_OK || rate <= 0 ||
      fileChannels < 1) {
    Close();
    return false;
  }
  format_ = PcmFormat{fileChannels, static_cast<int>(rate), 16};
  return true;
}

// Releases the file and the library handle.
void Mp3Decoder::Close() {
  if (handle_) {
    mpg123_close(handle_);
    mpg123_delete(handle_);
    handle_ = nullptr;
  }
}

// Reads whole frames; floating-point samples are rounded and saturated to 16 bits.
long Mp3Decoder::Read(int16_t* out, long frames) {
  if (!handle_ || frames <= 0) return handle_ ? 0 : -1;
  const size_t samples = static_cast<size_t>(frames) * format_.Channels;
  size_t done = 0;
  int result = MPG123_NEW_FORMAT;
  for (int attempt = 0; attempt < 2 && result == MPG123_NEW_FORMAT && done == 0; ++attempt) {
    result = ReadSamples(out, samples, done);
  }
  if (result != MPG123_OK && result != MPG123_DONE && result != MPG123_NEW_FORMAT && done == 0) return -1;
  return static_cast<long>(done / format_.Channels);
}

// One library read of up to `samples` samples; `done` receives the samples delivered.
int Mp3Decoder::ReadSamples(int16_t* out, size_t samples, size_t& done) {
  int result = MPG123_OK;
  if (floating_) {
    if (scratch_.size() < samples) scratch_.resize(samples);
    result = mpg123_read(handle_, scratch_.data(), samples * sizeof(float), &done);
    done /= sizeof(float);
    for (size_t i = 0; i < done; ++i) {
      const float v = std::clamp(scratch_[i] * 32768.0f, -32768.0f, 32767.0f);
      out[i] = static_cast<int16_t>(std::lrintf(v));
    }
  } else {
    result = mpg123_read(handle_, out, samples * sizeof(int16_t), &done);
    done /= sizeof(int16_t);
  }
  return result;
}

// Sample-accurate thanks to gapless mode: the encoder's delay is not counted.
bool Mp3Decoder::Seek(int64_t frame) {
  return handle_ && mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) >= 0;
}

}  // namespace zelmar::audio
