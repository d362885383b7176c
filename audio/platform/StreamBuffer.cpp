#include "audio/platform/StreamBuffer.h"

#include <algorithm>
#include <new>

namespace zelmar::audio {

// Joins the mix stopped, with the ring silent.
StreamBuffer::StreamBuffer(std::shared_ptr<AudioOutput> output, std::shared_ptr<PcmData> data,
                           const PcmFormat& format)
    : output_(std::move(output)), voice_(std::make_unique<PcmVoice>(std::move(data))), format_(format) {
  frames_ = voice_->data()->frames();
  output_->mixer().attach(voice_.get());
}

// Leaves the mix before the ring's memory goes.
StreamBuffer::~StreamBuffer() {
  output_->mixer().detach(voice_.get());
}

// Accepts 16-bit mono or stereo at a sensible rate and size; the ring starts silent.
std::unique_ptr<StreamBuffer> StreamBuffer::create(std::shared_ptr<AudioOutput> output,
                                                   const PcmFormat& format, uint32_t frames,
                                                   uint32_t& error) {
  error = kErrorInvalidFormat;
  if (!output || format.bitsPerSample != 16 || format.channels < 1 || format.channels > 2) return nullptr;
  if (format.sampleRate < 100 || format.sampleRate > 200000 || frames < 2 || frames > (1u << 24))
    return nullptr;
  auto data = std::make_shared<PcmData>();
  data->channels = format.channels;
  data->sampleRate = format.sampleRate;
  try {
    data->samples.assign(static_cast<size_t>(frames) * format.channels, 0);
  } catch (const std::bad_alloc&) {
    error = kErrorOutOfMemory;
    return nullptr;
  }
  error = 0;
  return std::unique_ptr<StreamBuffer>(new StreamBuffer(std::move(output), std::move(data), format));
}

// Splits the request at the end of the ring; a count beyond the ring is cut to the whole ring.
StreamBuffer::Region StreamBuffer::lock(uint32_t offset, uint32_t count) {
  offset %= frames_;
  count = std::min(count, frames_);
  const uint32_t head = std::min(count, frames_ - offset);
  int16_t* base = voice_->data()->samples.data();
  const size_t ch = format_.channels;
  Region region;
  region.first = {base + offset * ch, head * ch};
  region.second = {base, (count - head) * ch};
  return region;
}

// Publishes the rewritten frames to the audio thread.
void StreamBuffer::unlock() {
  voice_->publishWrites();
}

}  // namespace zelmar::audio
