#include "scene/SoundCues.h"

#include <exception>
#include <utility>

#include "audio/AudioError.h"
#include "zelmar_clips.h"

namespace zelmar::scene {

namespace {

constexpr int kClipCount = 8;

}  // namespace

const char* TuneFileName(TTune tune) {
  return tune == TTune::Title ? "title_theme.mp3" : "main_theme.mp3";
}

// The clips built into the program.
std::string LoadSoundClips(audio::TWaveList& clips) {
  return LoadSoundClips(clips, [](std::string_view name) { return FindClip(name); });
}

// Adds the eight clips in order; a missing or refused image leaves an empty item and is named in the result.
std::string LoadSoundClips(audio::TWaveList& clips, const TClipLookup& lookup) {
  clips.Clear();
  std::string problems;
  for (int n = 1; n <= kClipCount; ++n) {
    const std::string name = "sound_" + std::to_string(n);
    const std::span<const unsigned char> image = lookup ? lookup(name) : std::span<const unsigned char>{};
    audio::TWaveItem* item = nullptr;
    if (image.empty()) {
      problems += name + ": not found; ";
    } else {
      try {
        item = &clips.Add(name, image);
      } catch (const audio::EAudioError& error) {
        problems += name + ": " + error.what() + "; ";
      }
    }
    if (!item) item = &clips.Add(name);
    item->SetLooped(false);
    item->SetMaxPlayingCount(0);
  }
  if (!problems.empty()) problems.resize(problems.size() - 2);
  return problems;
}

TSoundCues::TSoundCues(const GameOptions& options, audio::TWaveList& clips, audio::TMp3Source& source,
                       audio::TAudioStreamOut& output, std::filesystem::path dataFolder)
    : options_(options), clips_(clips), source_(source), output_(output), dataFolder_(std::move(dataFolder)) {
  output_.SetInput(&source_);
}

// Starts the clip once on a free voice when sound effects are on; a missing clip or a failing device is
// ignored so that the game goes on.
void TSoundCues::PlaySound(TSoundClip clip) {
  if (options_.Sound != 1) return;
  try {
    clips_.Items(static_cast<int>(clip) - 1).Play(false);
  } catch (const std::exception&) {
    // A clip that cannot be played is simply not heard.
  }
}

// Replaces the running tune by `tune` from its beginning, looping, when music is on. An unreadable file
// leaves silence (the old tune has been stopped); every error is ignored.
void TSoundCues::PlayMusic(TTune tune) {
  if (options_.Music != 1) return;
  try {
    // 1. The running tune ends first.
    StopMusic();
    // 2. The new file.
    source_.SetFileName((dataFolder_ / TuneFileName(tune)).string());
    // 3. Only a file that opens and is understood is played.
    if (!source_.Valid()) return;
    source_.SetLoop(true);
    output_.Run();
  } catch (const std::exception&) {
    // No music, no message.
  }
}

// Stops a playing tune and returns once the streaming thread has ended.
void TSoundCues::StopMusic() {
  if (output_.Status() == audio::tosPlaying) output_.Stop(false);
}

bool TSoundCues::MusicPlaying() const {
  return output_.Status() == audio::tosPlaying;
}

}  // namespace zelmar::scene
