// The software mixer: sums every attached voice into 16-bit stereo at the output's rate.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace zelmar::audio {

// One sound source the mixer pulls from. Mix() runs on the audio thread: it must neither
// allocate nor wait, and adds its samples (stereo, scaled to 16-bit range) into `acc`.
class MixerVoice {
 public:
  virtual ~MixerVoice() = default;
  virtual void Mix(int32_t* acc, int frames, int outputRate) = 0;
};

class AudioMixer {
 public:
  // Frames mixed per internal pass; Render() splits longer requests into passes of this size.
  static constexpr int kBlockFrames = 1024;

  explicit AudioMixer(int sampleRate);

  int SampleRate() const { return sampleRate_; }

  // Fills `out` with `frames` interleaved stereo frames; safe to call from the audio callback.
  void Render(int16_t* out, int frames);

  // Adds a voice to the mix; it is pulled from the next pass on.
  void Attach(MixerVoice* voice);
  // Removes a voice; once this returns the audio thread no longer touches it.
  void Detach(MixerVoice* voice);

 private:
  const int sampleRate_;
  // Guards only the voice list. Writers hold it for one insert or erase; the audio thread holds
  // it while it mixes one pass, so a detached voice can be destroyed safely.
  std::mutex lock_;
  std::vector<MixerVoice*> voices_;
  std::vector<int32_t> acc_;  // one pass of stereo accumulators, sized once
};

}  // namespace zelmar::audio
