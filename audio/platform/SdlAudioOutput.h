// The output on an SDL2 audio device: the device's callback pulls the mix.
#pragma once

#include <memory>

#include <SDL.h>

#include "audio/platform/AudioOutput.h"

namespace zelmar::audio {

class SdlAudioOutput final : public AudioOutput {
 public:
  // Opens device number 0 (the default) or n (the n-th listed device); nullptr when it fails.
  static std::shared_ptr<SdlAudioOutput> open(int deviceNumber);
  // Number of output devices SDL lists (0 when the audio subsystem is unavailable).
  static int ListedDevices();

  ~SdlAudioOutput() override;
  bool Silent() const override { return silent_; }
  std::string Describe() const override { return description_; }

 private:
  SdlAudioOutput() = default;
  static void SDLCALL Callback(void* user, Uint8* stream, int len);

  SDL_AudioDeviceID device_ = 0;
  bool subsystem_ = false;
  bool silent_ = false;
  std::string description_;
};

}  // namespace zelmar::audio
