// The exception every audio component raises; the game catches and ignores it.
#pragma once

#include <stdexcept>
#include <string>

namespace zelmar::audio {

class EAudioError : public std::runtime_error {
 public:
  explicit EAudioError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zelmar::audio
