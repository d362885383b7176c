// The sound and music cues the game flow and the menus give; the game window plays them through the audio
// components, the tests record them.
#pragma once

namespace zelmar::scene {

enum class TTune { Title, Main };

class TSceneSounds {
 public:
  virtual ~TSceneSounds() = default;
  // Starts clip "sound_<n>" (1..8) once when Sound is 1; errors are swallowed.
  virtual void PlaySound(int n) = 0;
  // Replaces the running tune by `tune`, looping, when Music is 1; errors are swallowed.
  virtual void PlayMusic(TTune tune) = 0;
  // Stops the tune and returns once it has stopped.
  virtual void StopMusic() = 0;
  // Whether a tune is playing.
  virtual bool MusicPlaying() const = 0;
};

}  // namespace zelmar::scene
