// A streaming buffer: a ring of 16-bit frames the output plays round and round while its owner
// refills the part already played, found from the play cursor.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "audio/platform/AudioOutput.h"
#include "audio/platform/PcmFormat.h"
#include "audio/platform/PcmVoice.h"

namespace zelmar::audio {

// Error codes of a refused streaming buffer.
constexpr uint32_t kErrorInvalidFormat = 0x80070057;
constexpr uint32_t kErrorOutOfMemory = 0x8007000E;

class StreamBuffer {
 public:
  // A silent ring of `frames` frames in a 16-bit format of 1 or 2 channels. On failure gives
  // nullptr and sets `error` to one of the codes above.
  static std::unique_ptr<StreamBuffer> Create(std::shared_ptr<AudioOutput> output, const PcmFormat& format,
                                              uint32_t frames, uint32_t& error);
  ~StreamBuffer();
  StreamBuffer(const StreamBuffer&) = delete;
  StreamBuffer& operator=(const StreamBuffer&) = delete;

  const PcmFormat& Format() const { return format_; }
  uint32_t Frames() const { return frames_; }

  // The samples of `count` frames from `offset` on, split in two where they wrap round the ring.
  struct Region {
    std::span<int16_t> First;
    std::span<int16_t> Second;
  };
  // Only frames already played may be rewritten; Unlock() hands them to the audio thread, with how far the
  // output may play (frames from the last SetPlayCursor, counting every round): it falls silent there
  // rather than read frames that are not written yet.
  Region Lock(uint32_t offset, uint32_t count);
  void Unlock(uint64_t playableEnd = PcmVoice::kUnbounded);

  // Plays round the ring from the play cursor until stopped.
  void Play() { voice_->Play(true); }
  void Stop() { voice_->Stop(); }
  bool Playing() const { return voice_->Playing(); }
  // The frame the output plays next.
  uint32_t PlayCursor() const { return voice_->Position(); }
  void SetPlayCursor(uint32_t frame) { voice_->SetPosition(frame); }

 private:
  StreamBuffer(std::shared_ptr<AudioOutput> output, std::shared_ptr<PcmData> data, const PcmFormat& format);

  std::shared_ptr<AudioOutput> output_;
  std::unique_ptr<PcmVoice> voice_;
  PcmFormat format_;
  uint32_t frames_;
};

}  // namespace zelmar::audio
