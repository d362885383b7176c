#include "audio/platform/SdlAudioOutput.h"

#include <cstring>

namespace zelmar::audio {

// Counts playback devices, starting SDL's audio for the question if nobody else has.
int SdlAudioOutput::ListedDevices() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  const int count = SDL_GetNumAudioDevices(0);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return count > 0 ? count : 0;
}

// Asks for 16-bit stereo at 44.1 kHz and accepts whatever rate the device prefers; the mixer
// resamples every voice to it.
std::shared_ptr<SdlAudioOutput> SdlAudioOutput::open(int deviceNumber) {
  std::shared_ptr<SdlAudioOutput> output(new SdlAudioOutput());
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  output->subsystem_ = true;
  const char* name = nullptr;
  if (deviceNumber > 0) {
    if (deviceNumber > SDL_GetNumAudioDevices(0)) return nullptr;
    name = SDL_GetAudioDeviceName(deviceNumber - 1, 0);
    if (!name) return nullptr;
  }
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = &SdlAudioOutput::Callback;
  want.userdata = output.get();
  SDL_AudioSpec have{};
  output->device_ = SDL_OpenAudioDevice(name, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (output->device_ == 0) return nullptr;
  const char* driver = SDL_GetCurrentAudioDriver();
  output->silent_ = driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "disk") == 0);
  output->mixer_ = std::make_unique<AudioMixer>(have.freq);
  output->description_ = std::string("SDL driver \"") + (driver ? driver : "?") + "\", " +
                         (name ? std::string("device \"") + name + "\"" : std::string("default device")) +
                         ", " + std::to_string(have.freq) + " Hz";
  SDL_PauseAudioDevice(output->device_, 0);
  return output;
}

// Closing the device waits for a callback in progress, so the mixer is free afterwards.
SdlAudioOutput::~SdlAudioOutput() {
  if (device_) SDL_CloseAudioDevice(device_);
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Runs on SDL's audio thread: the stream is 16-bit stereo, so it takes len / 4 frames.
void SDLCALL SdlAudioOutput::Callback(void* user, Uint8* stream, int len) {
  auto* self = static_cast<SdlAudioOutput*>(user);
  self->mixer_->Render(reinterpret_cast<int16_t*>(stream), len / 4);
}

}  // namespace zelmar::audio
