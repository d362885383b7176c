#include "audio/SoundSystem.h"

namespace zelmar::audio {

// The owner's components are ready: the sound initializes itself when asked to.
void TSoundSystem::Loaded() {
  if (autoInitialize_ && !Initialized()) Initialize();
}

// Connects to the preset output or the default device; never fails, a missing device is silent.
bool TSoundSystem::Initialize() {
  if (!output_) output_ = preset_ ? preset_ : AudioOutput::Open(0);
  return Initialized();
}

}  // namespace zelmar::audio
