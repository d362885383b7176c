// An audio output: a mixer and whatever pulls its samples (a sound device, a silent clock, a test).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/platform/AudioMixer.h"

namespace zelmar::audio {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  AudioMixer& Mixer() { return *mixer_; }
  // True when nothing is heard (no device, or SDL's dummy driver).
  virtual bool Silent() const = 0;
  // What plays the mix, for diagnostics: driver, device and rate.
  virtual std::string Describe() const = 0;

  // Number of valid device numbers: 0 (the system's default output) and one per listed device.
  static int DeviceCount();

  // Opens the output of a device number, shared with every other user of the same number so that
  // effects and music mix into one stream. Device 0 falls back to a silent output when no device
  // can be opened; another number that cannot be opened gives nullptr.
  static std::shared_ptr<AudioOutput> Open(int deviceNumber);

 protected:
  AudioOutput() = default;
  std::unique_ptr<AudioMixer> mixer_;
};

// Discards the mix at the pace of a real device, so that everything behaves as when heard.
class SilentAudioOutput final : public AudioOutput {
 public:
  explicit SilentAudioOutput(int sampleRate = 44100);
  ~SilentAudioOutput() override;
  bool Silent() const override { return true; }
  std::string Describe() const override;

 private:
  void Run();

  std::mutex lock_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

// An output nobody plays: the owner pulls the mix itself (tests, offline rendering).
class ManualAudioOutput final : public AudioOutput {
 public:
  explicit ManualAudioOutput(int sampleRate = 44100);
  bool Silent() const override { return true; }
  std::string Describe() const override;

  // Mixes the next `frames` stereo frames and returns them interleaved.
  std::vector<int16_t> Pull(int frames);
};

}  // namespace zelmar::audio
