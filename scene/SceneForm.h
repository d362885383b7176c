// The game window: owns the rules engine with its computer player, the rendering device and frame timer,
// the canvas, pictures, fonts, archive and loader, the game clock, the sound and music components and the
// input devices; runs start-up, the per-tick logic and the per-frame drawing, and shutdown.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "launcher/GameOptions.h"
#include "launcher/MainForm.h"

namespace zelmar::audio {
class AudioOutput;
}

namespace zelmar::scene {

// What the game window is given from outside, so that whole games run headless in the tests.
struct TSceneSetup {
  // Shows the launcher on the settings (which it reads) and returns the player's choices.
  std::function<LauncherChoices(GameOptions& options)> Launcher;
  // The folder of zelmar.dat, zelmar.def and the two tunes.
  std::filesystem::path DataFolder;
  // The settings file the options menu saves to.
  std::filesystem::path ConfigFile;
  // The output the clips and the music play on; null opens the sound device.
  std::shared_ptr<audio::AudioOutput> AudioOutput;
};

}  // namespace zelmar::scene
