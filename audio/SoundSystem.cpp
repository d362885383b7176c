#include "audio/SoundSystem.h"

namespace zelmar::audio {

void TSoundSystem::Loaded() {
  if (autoInitialize_ && !Initialized()) Initialize();
}

bool TSoundSystem::Initialize() {
  if (!output_) output_ = preset_ ? preset_ : AudioOutput::open(0);
  return Initialized();
}

}  // namespace zelmar::audio
