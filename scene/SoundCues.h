// The game window's sound and music cues on the audio components: the effect clips of a wave list and one
// looping tune streamed from an MP3 file of the data folder, gated by the Sound and Music settings.
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "audio/AudioStreamOut.h"
#include "audio/Mp3Source.h"
#include "audio/WaveList.h"
#include "launcher/GameOptions.h"
#include "scene/SceneSounds.h"

namespace zelmar::scene {

// The file name of a tune inside the data folder.
const char* TuneFileName(TTune tune);

// Where the bytes of clip "sound_<n>" come from; an empty span when there is no such clip.
using TClipLookup = std::function<std::span<const unsigned char>(std::string_view name)>;

// Fills `clips` (emptied first) with "sound_1" ... "sound_8" in that order, one-shot and without a limit on
// copies, from the clips carried inside the program (or from `lookup`). A clip that is missing or refused
// still gets its (empty, silent) item so that item n - 1 stays clip n; the result then names every such
// clip and its reason, and is empty when all eight were loaded.
std::string LoadSoundClips(audio::TWaveList& clips);
std::string LoadSoundClips(audio::TWaveList& clips, const TClipLookup& lookup);

class TSoundCues : public TSceneSounds {
 public:
  // The components are the game window's and must outlive the cues; `source` becomes the output's input.
  // `dataFolder` holds "title_theme.mp3" and "main_theme.mp3".
  TSoundCues(const GameOptions& options, audio::TWaveList& clips, audio::TMp3Source& source,
             audio::TAudioStreamOut& output, std::filesystem::path dataFolder);

  void PlaySound(TSoundClip clip) override;
  void PlayMusic(TTune tune) override;
  void StopMusic() override;
  bool MusicPlaying() const override;

 private:
  const GameOptions& options_;
  audio::TWaveList& clips_;
  audio::TMp3Source& source_;
  audio::TAudioStreamOut& output_;
  std::filesystem::path dataFolder_;
};

}  // namespace zelmar::scene
