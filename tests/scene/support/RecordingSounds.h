// A cue sink for the scene tests: remembers every clip and tune asked for, gated by the settings as the
// game window's own cues are.
#pragma once

#include <optional>
#include <vector>

#include "launcher/GameOptions.h"
#include "scene/SceneSounds.h"

namespace zelmar::scene {

class TRecordingSounds : public TSceneSounds {
 public:
  explicit TRecordingSounds(const GameOptions& options) : options_(options) {}

  std::vector<int> Clips;           // the number of every clip started, in order
  std::vector<TTune> TunesStarted;  // every tune started, in order
  std::optional<TTune> Playing;     // the tune playing now
  int Stops = 0;                    // StopMusic calls that stopped a tune

  void PlaySound(TSoundClip clip) override {
    if (options_.Sound == 1) Clips.push_back(static_cast<int>(clip));
  }
  void PlayMusic(TTune tune) override {
    if (options_.Music != 1) return;
    TunesStarted.push_back(tune);
    Playing = tune;
  }
  void StopMusic() override {
    if (Playing) ++Stops;
    Playing.reset();
  }
  bool MusicPlaying() const override { return Playing.has_value(); }

 private:
  const GameOptions& options_;
};

}  // namespace zelmar::scene
