// One named effect clip of a wave list, with the buffers it plays on.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "audio/platform/SoundBuffer.h"

namespace zelmar::audio {

class TWaveList;

class TWaveItem {
 public:
  explicit TWaveItem(TWaveList& owner, std::string name = {});
  ~TWaveItem();
  TWaveItem(const TWaveItem&) = delete;
  TWaveItem& operator=(const TWaveItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  bool Looped() const { return looped_; }
  void SetLooped(bool value) { looped_ = value; }
  // Copies allowed to play at once; 0 = unlimited.
  int MaxPlayingCount() const { return maxPlayingCount_; }
  void SetMaxPlayingCount(int value) { maxPlayingCount_ = value < 0 ? 0 : value; }

  // The clip as a complete RIFF WAVE image. A new image replaces the clip and its buffers; an
  // image that is not integer PCM is refused with EAudioError and the old clip stays.
  const std::vector<uint8_t>& Wave() const { return wave_; }
  void SetWave(std::span<const uint8_t> image);

  // 0 = the clip's own rate, else 100..200000 Hz (clamped into range).
  int Frequency() const { return frequency_; }
  void SetFrequency(int hz);
  // Hundredths of a decibel: pan -10000 (left) .. 10000 (right), volume -10000 .. 0 (clamped).
  int Pan() const { return pan_; }
  void SetPan(int pan);
  int Volume() const { return volume_; }
  void SetVolume(int volume);

  // Starts the clip: looped items on their own buffer, others on a free or reused copy. With
  // `wait` returns only when that copy has finished (or, on a stalled device, when it should have).
  // Does nothing before the sound is initialized.
  void Play(bool wait = false);
  // Stops every buffer of the item.
  void Stop();
  // True while any buffer of the item plays.
  bool Playing() const;
  // Copies made for one-shot playback so far.
  int CopyCount() const { return static_cast<int>(copies_.size()); }

 private:
  bool Prepare();
  SoundBuffer* FreeCopy();
  void ApplyParameters(SoundBuffer& buffer) const;
  void WaitUntilFinished(const SoundBuffer& copy) const;
  void ReleaseBuffers();

  TWaveList& owner_;
  std::string name_;
  bool looped_ = false;
  int maxPlayingCount_ = 0;
  std::vector<uint8_t> wave_;
  int frequency_ = 0;
  int pan_ = 0;
  int volume_ = 0;
  std::shared_ptr<AudioOutput> output_;               // the output the buffers below were made on
  std::unique_ptr<SoundBuffer> loaded_;               // the clip itself, also used for looped playback
  std::vector<std::unique_ptr<SoundBuffer>> copies_;  // oldest first
};

}  // namespace zelmar::audio
