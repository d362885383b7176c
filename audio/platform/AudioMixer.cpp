#include "audio/platform/AudioMixer.h"

#include <algorithm>

namespace zelmar::audio {

// Sizes the accumulators once so that rendering never allocates.
AudioMixer::AudioMixer(int sampleRate) : sampleRate_(sampleRate), acc_(2 * kBlockFrames) {
  voices_.reserve(64);
}

// Mixes pass by pass, then saturates each sum to the 16-bit range.
void AudioMixer::Render(int16_t* out, int frames) {
  while (frames > 0) {
    const int n = std::min(frames, kBlockFrames);
    std::fill_n(acc_.begin(), 2 * n, 0);
    {
      std::lock_guard<std::mutex> guard(lock_);
      for (MixerVoice* voice : voices_) voice->Mix(acc_.data(), n, sampleRate_);
    }
    for (int i = 0; i < 2 * n; ++i) {
      out[i] = static_cast<int16_t>(std::clamp<int32_t>(acc_[i], INT16_MIN, INT16_MAX));
    }
    out += 2 * n;
    frames -= n;
  }
}

// Registers a voice with the mix.
void AudioMixer::Attach(MixerVoice* voice) {
  std::lock_guard<std::mutex> guard(lock_);
  voices_.push_back(voice);
}

// Unregisters a voice; taking the lock waits out a pass that may still be mixing it.
void AudioMixer::Detach(MixerVoice* voice) {
  std::lock_guard<std::mutex> guard(lock_);
  std::erase(voices_, voice);
}

}  // namespace zelmar::audio
