// A voice that plays 16-bit PCM frames from memory, once or looping, resampled to the output.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/platform/AudioMixer.h"
#include "audio/platform/Decibels.h"

namespace zelmar::audio {

// Samples of one voice: interleaved 16-bit frames at their own rate. Clips share them between
// duplicates; a streaming buffer owns and rewrites its own.
struct PcmData {
  std::vector<int16_t> Samples;
  int Channels = 2;
  int SampleRate = 44100;

  uint32_t Frames() const { return static_cast<uint32_t>(Samples.size() / Channels); }
};

// Control fields are atomics written by the owning thread and read by the audio thread; the
// play position is advanced only by the audio thread and published for queries.
class PcmVoice final : public MixerVoice {
 public:
  explicit PcmVoice(std::shared_ptr<PcmData> data);

  void Mix(int32_t* acc, int frames, int outputRate) override;

  const std::shared_ptr<PcmData>& Data() const { return data_; }

  void Play(bool looping);
  void Stop();
  bool Playing() const;
  bool Looping() const;

  // Moves the play position to a frame (wrapped into the data).
  void SetPosition(uint32_t frame);
  uint32_t Position() const;

  // 0 plays at the data's own rate.
  void SetFrequency(int hz) { frequency_.store(hz, std::memory_order_relaxed); }
  void SetGains(ChannelGains gains);

  // Publishes samples written into the data since the last call to the audio thread, and how far the
  // voice may now play: frames counted from the last seek, round after round of a looping voice. A voice
  // that reaches the bound falls silent and keeps its place until a later call moves the bound, so it
  // never reads frames its writer may be rewriting. Without a call there is no bound.
  void PublishWrites(uint64_t playableEnd = kUnbounded) {
    playableEnd_.store(playableEnd, std::memory_order_relaxed);
    writes_.fetch_add(1, std::memory_order_release);
  }
  static constexpr uint64_t kUnbounded = ~uint64_t{0};

 private:
  static constexpr uint32_t kPlaying = 1;
  static constexpr uint32_t kLooping = 2;
  static constexpr uint32_t kSerialStep = 4;

  // Adds frames from the current position; returns false when a one-shot play ran out.
  bool MixFrames(int32_t* acc, int frames, uint64_t step, bool loop);

  std::shared_ptr<PcmData> data_;
  // Play state and a serial that changes with every Play() and Stop(), so that the audio thread
  // ending a one-shot never cancels a Play() that raced with it.
  std::atomic<uint32_t> control_{0};
  std::atomic<int64_t> seek_{-1};  // a requested position, taken by the audio thread
  std::atomic<uint32_t> position_{0};
  std::atomic<int> frequency_{0};
  std::atomic<float> leftGain_{1.0f};
  std::atomic<float> rightGain_{1.0f};
  std::atomic<uint32_t> writes_{0};
  std::atomic<uint64_t> playableEnd_{kUnbounded};  // published with writes_
  uint64_t cursor_ = 0;                            // audio thread only: 32.32 fixed-point frame position
  uint64_t rounds_ = 0;  // audio thread only: times a looping voice went round its data since the last seek
};

}  // namespace zelmar::audio
