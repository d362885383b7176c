#include "audio/platform/PcmVoice.h"

#include <cmath>

namespace zelmar::audio {

PcmVoice::PcmVoice(std::shared_ptr<PcmData> data) : data_(std::move(data)) {}

// Starts playing from the current position.
void PcmVoice::Play(bool looping) {
  uint32_t serial = (control_.load(std::memory_order_relaxed) & ~(kSerialStep - 1)) + kSerialStep;
  control_.store(serial | kPlaying | (looping ? kLooping : 0), std::memory_order_release);
}

// Stops playing; the position stays where it was.
void PcmVoice::Stop() {
  uint32_t serial = (control_.load(std::memory_order_relaxed) & ~(kSerialStep - 1)) + kSerialStep;
  control_.store(serial, std::memory_order_release);
}

bool PcmVoice::Playing() const {
  return control_.load(std::memory_order_acquire) & kPlaying;
}

bool PcmVoice::Looping() const {
  return control_.load(std::memory_order_acquire) & kLooping;
}

// Records the new position for the audio thread and for queries until it is taken.
void PcmVoice::SetPosition(uint32_t frame) {
  const uint32_t total = data_->Frames();
  const uint32_t wrapped = total ? frame % total : 0;
  seek_.store(wrapped, std::memory_order_release);
  position_.store(wrapped, std::memory_order_release);
}

// A position set but not yet taken by the audio thread counts as the current one.
uint32_t PcmVoice::Position() const {
  const int64_t pending = seek_.load(std::memory_order_acquire);
  return pending >= 0 ? static_cast<uint32_t>(pending) : position_.load(std::memory_order_acquire);
}

// New gains apply from the next pass.
void PcmVoice::SetGains(ChannelGains gains) {
  leftGain_.store(gains.Left, std::memory_order_relaxed);
  rightGain_.store(gains.Right, std::memory_order_relaxed);
}

// One pass: take a pending seek, mix, publish the position, and end a one-shot that ran out.
void PcmVoice::Mix(int32_t* acc, int frames, int outputRate) {
  uint32_t control = control_.load(std::memory_order_acquire);
  if (!(control & kPlaying)) return;
  writes_.load(std::memory_order_acquire);
  const int64_t seek = seek_.exchange(-1, std::memory_order_acq_rel);
  if (seek >= 0) {
    cursor_ = static_cast<uint64_t>(seek) << 32;
    rounds_ = 0;
  }
  const int rate = frequency_.load(std::memory_order_relaxed);
  const uint64_t step =
      (static_cast<uint64_t>(rate > 0 ? rate : data_->SampleRate) << 32) / static_cast<uint64_t>(outputRate);
  const bool finished = !MixFrames(acc, frames, step, control & kLooping);
  if (finished) cursor_ = 0;
  position_.store(static_cast<uint32_t>(cursor_ >> 32), std::memory_order_release);
  if (finished) control_.compare_exchange_strong(control, control & ~kPlaying, std::memory_order_acq_rel);
}

// Linear interpolation between neighbouring frames; the frame after the last one is the first
// when looping and the last one itself otherwise. Stops, silent, before a frame past the playable bound.
bool PcmVoice::MixFrames(int32_t* acc, int frames, uint64_t step, bool loop) {
  const int16_t* s = data_->Samples.data();
  const uint64_t total = data_->Frames();
  const uint64_t end = total << 32;
  const uint64_t playableEnd = playableEnd_.load(std::memory_order_relaxed);
  const int ch = data_->Channels;
  const float gl = leftGain_.load(std::memory_order_relaxed);
  const float gr = rightGain_.load(std::memory_order_relaxed);
  constexpr float kFraction = 1.0f / 4294967296.0f;
  for (int f = 0; f < frames; ++f) {
    if (cursor_ >= end) {
      if (!loop || total == 0) return false;
      rounds_ += cursor_ / end;
      cursor_ %= end;
    }
    const uint64_t i = cursor_ >> 32;
    if (playableEnd != kUnbounded && rounds_ * total + i + 1 >= playableEnd) return true;
    const uint64_t j = i + 1 < total ? i + 1 : (loop ? 0 : i);
    const float t = static_cast<float>(cursor_ & 0xFFFFFFFFu) * kFraction;
    const float l = s[i * ch] + (s[j * ch] - s[i * ch]) * t;
    const float r = ch == 1 ? l : s[i * ch + 1] + (s[j * ch + 1] - s[i * ch + 1]) * t;
    acc[2 * f] += static_cast<int32_t>(std::lrintf(l * gl));
    acc[2 * f + 1] += static_cast<int32_t>(std::lrintf(r * gr));
    cursor_ += step;
  }
  if (cursor_ >= end) {
    if (!loop || total == 0) return false;
    rounds_ += cursor_ / end;
    cursor_ %= end;
  }
  return true;
}

}  // namespace zelmar::audio
