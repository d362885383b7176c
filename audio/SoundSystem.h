// The sound object the effect clips play on: it owns the connection to the audio output.
#pragma once

#include <memory>

#include "audio/platform/AudioOutput.h"

namespace zelmar::audio {

class TSoundSystem {
 public:
  TSoundSystem() = default;
  ~TSoundSystem() = default;
  TSoundSystem(const TSoundSystem&) = delete;
  TSoundSystem& operator=(const TSoundSystem&) = delete;

  bool AutoInitialize() const { return autoInitialize_; }
  void SetAutoInitialize(bool value) { autoInitialize_ = value; }

  // Called by the owner once its components are set up: initializes when AutoInitialize is set.
  void Loaded();

  // Opens the default output (silent when there is no sound device); true when initialized.
  bool Initialize();
  // Lets go of the output; clips already loaded keep it alive until they are released.
  void Finalize() { output_.reset(); }
  bool Initialized() const { return output_ != nullptr; }

  // The output sound buffers are created on; empty until initialized.
  const std::shared_ptr<AudioOutput>& Output() const { return output_; }

  // Makes Initialize() use this output instead of a device (tests pull the mix themselves).
  void UseOutput(std::shared_ptr<AudioOutput> output) { preset_ = std::move(output); }

 private:
  bool autoInitialize_ = true;
  std::shared_ptr<AudioOutput> preset_;
  std::shared_ptr<AudioOutput> output_;
};

}  // namespace zelmar::audio
