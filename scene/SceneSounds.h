// The sound and music cues the game flow and the menus give; the game window plays them through the audio
// components, the tests record them.
#pragma once

namespace zelmar::scene {

enum class TTune { Title, Main };

// The effect clips by what they sound for; each value is the clip's number n in "sound_<n>". Clips 1, 6
// and 8 are carried with the game but never played.
enum class TSoundClip : int {
  Unused1 = 1,
  Click = 2,       // an options item or a button of the in-game window clicked
  PieceMoved = 3,  // the player selects a piece; every move's glide ends
  Capture = 4,     // the engine reports a capture
  Promotion = 5,   // the player picks the promotion piece
  Unused6 = 6,
  Check = 7,  // the engine reports check, and again mate
  Unused8 = 8,
};

class TSceneSounds {
 public:
  virtual ~TSceneSounds() = default;
  // Starts clip "sound_<n>" (n = the value of `clip`) once when Sound is 1; errors are swallowed.
  virtual void PlaySound(TSoundClip clip) = 0;
  // Replaces the running tune by `tune`, looping, when Music is 1; errors are swallowed.
  virtual void PlayMusic(TTune tune) = 0;
  // Stops the tune and returns once it has stopped.
  virtual void StopMusic() = 0;
  // Whether a tune is playing.
  virtual bool MusicPlaying() const = 0;
};

}  // namespace zelmar::scene
