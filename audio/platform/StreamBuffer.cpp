#include "audio/platform/StreamBuffer.h"

#include <algorithm>
#include <new>

namespace zelmar::audio {

// Joins the mix stopped, with the ring silent.
StreamBuffer::StreamBuffer(std::shared_ptr<AudioOutput> output, std::shared_ptr<PcmData> data,
                           const PcmFormat& format)
    : output_(std::move(output)), voice_(std::make_unique<PcmVoice>(std::move(data))), format_(format) {
  frames_ = voice_->Data()->Frames();
  output_->Mixer().Attach(voice_.get());
}

// Leaves the mix before the ring's memory goes.
StreamBuffer::~StreamBuffer() {
  output_->Mixer().Detach(voice_.get());
}

// Accepts 16-bit mono or stereo at a sensible rate and size; the ring starts silent.
std::unique_ptr<StreamBuffer> StreamBuffer::Create(std::shared_ptr<AudioOutput> output,
                                                   const PcmFormat& format, uint32_t frames,
                                                   uint32_t& error) {
  error = kErrorInvalidFormat;
  if (!output || format.BitsPerSample != 16 || format.Channels < 1 || format.Channels > 2) return nullptr;
  if (format.SampleRate < 100 || format.SampleRate > 200000 || frames < 2 || frames > (1u << 24))
    return nullptr;
  auto data = std::make_shared<PcmData>();
  data->Channels = format.Channels;
  data->SampleRate = format.SampleRate;
  try {
    data->Samples.assign(static_cast<size_t>(frames) * format.Channels, 0);
  } catch (const std::bad_alloc&) {
    error = kErrorOutOfMemory;
    return nullptr;
  }
  error = 0;
  return std::unique_ptr<StreamBuffer>(new StreamBuffer(std::move(output), std::move(data), format));
}

// Splits the request at the end of the ring; a count beyond the ring is cut to the whole ring.
StreamBuffer::Region StreamBuffer::Lock(uint32_t offset, uint32_t count) {
  offset %= frames_;
  count = std::min(count, frames_);
  const uint32_t head = std::min(count, frames_ - offset);
  int16_t* base = voice_->Data()->Samples.data();
  const size_t ch = format_.Channels;
  Region region;
  region.First = {base + offset * ch, head * ch};
  region.Second = {base, (count - head) * ch};
  return region;
}

// Publishes the rewritten frames to the audio thread.
void StreamBuffer::Unlock(uint64_t playableEnd) {
  voice_->PublishWrites(playableEnd);
}

}  // namespace zelmar::audio
