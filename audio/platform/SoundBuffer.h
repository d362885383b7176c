// A sound-effect buffer: a clip in memory played once or looping on an output, with its own
// position, frequency, pan and volume. Duplicates share the clip's samples.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "audio/platform/AudioOutput.h"
#include "audio/platform/PcmFormat.h"
#include "audio/platform/PcmVoice.h"

namespace zelmar::audio {

class SoundBuffer {
 public:
  // Loads integer PCM (8, 16, 24 or 32 bits, 1 or 2 channels); nullptr for any other format.
  static std::unique_ptr<SoundBuffer> Create(std::shared_ptr<AudioOutput> output, const PcmFormat& format,
                                             std::span<const uint8_t> pcm);
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  // A new buffer on the same clip, stopped at position 0 with default parameters.
  std::unique_ptr<SoundBuffer> Duplicate() const;

  void Play(bool looping);
  void Stop();
  bool Playing() const { return voice_->Playing(); }

  // Position in sample frames of the clip.
  void SetPosition(uint32_t frame) { voice_->SetPosition(frame); }
  uint32_t Position() const { return voice_->Position(); }
  uint32_t Frames() const { return voice_->Data()->Frames(); }
  int SampleRate() const { return voice_->Data()->SampleRate; }

  // Each setter refuses (returns false, changes nothing) a value out of its range.
  bool SetFrequency(int hz);   // 0 = the clip's own rate, else 100..200000
  bool SetVolume(int volume);  // hundredths of a dB, -10000..0
  bool SetPan(int pan);        // hundredths of a dB, -10000 (left)..10000 (right)
  int Frequency() const { return frequency_; }
  int Volume() const { return volume_; }
  int Pan() const { return pan_; }

 private:
  SoundBuffer(std::shared_ptr<AudioOutput> output, std::shared_ptr<PcmData> data);

  std::shared_ptr<AudioOutput> output_;
  std::unique_ptr<PcmVoice> voice_;
  int frequency_ = kFrequencyOriginal;
  int volume_ = kVolumeMax;
  int pan_ = 0;
};

// Converts integer PCM of any supported width to 16-bit samples; false for other widths.
bool ConvertToPcm16(const PcmFormat& format, std::span<const uint8_t> pcm, std::vector<int16_t>& out);

}  // namespace zelmar::audio
