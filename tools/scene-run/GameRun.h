// The real game window for the measuring tools: built as the program builds it (SDL and OpenGL, the data
// beside the tools), with a launcher that closes at once, driven by pointer events pushed into SDL's queue
// and by passes of the application loop in real time.
#pragma once

#include <SDL.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "audio/ProgramFiles.h"
#include "framework/platform/SdlPlatform.h"
#include "framework/platform/SdlWindow.h"
#include "scene/SceneForm.h"

namespace zelmar::tools {

struct TGameRun {
  using Clock = std::chrono::steady_clock;

  platform::SdlPlatform Platform;
  TApplication Application{Platform};
  std::unique_ptr<scene::TSceneForm> Form;
  Clock::time_point LauncherClosed{}, FirstFrame{};

  // Builds the window on a fresh config.ini in a scratch file (perspective board, sound and music off, the
  // computer at level 1), which `adjust` may change, and runs the loop until the first frame has been
  // presented; false when the window did not start.
  bool Start(const std::filesystem::path& config, const std::function<void(GameOptions&)>& adjust = {}) {
    scene::TSceneSetup setup;
    setup.Launcher = [this, adjust](GameOptions& options) {
      LoadOptions(options, "");
      options.Classic = 1;
      options.Sound = 2;
      options.Music = 2;
      options.Depth = 1;
      if (adjust) adjust(options);
      LauncherClosed = Clock::now();
      return LauncherChoices{true, false, false, true};
    };
    setup.DataFolder = audio::ProgramDirectory();
    setup.ConfigFile = config;
    Form = std::make_unique<scene::TSceneForm>(Application, Platform, std::move(setup));
    if (!Form->Running()) return false;
    Form->Timer.OnTimer = [this](TGfxTimer* sender) {
      Form->TimerTimer(sender);
      if (FirstFrame == Clock::time_point{}) FirstFrame = Clock::now();
    };
    while (FirstFrame == Clock::time_point{})
      if (!Application.ProcessOnce()) return false;
    return true;
  }

  // Runs the loop for a while of real time.
  void Loop(int milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end && Application.ProcessOnce()) {
    }
  }

  // Runs the loop until `done` holds or `seconds` have passed; whether it holds.
  bool LoopUntil(const std::function<bool()>& done, int seconds) {
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (!done() && Clock::now() < end && Application.ProcessOnce()) {
    }
    return done();
  }

  SDL_Window* Window() const { return static_cast<platform::SdlWindow*>(Form->Window())->Handle(); }

  // The pointer moves to a logical point of the window.
  void Point(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(Window());
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
  }

  // The pointer moves to a logical point and, a moment later, clicks there; the loop runs until the click
  // has been read.
  void Click(int x, int y) {
    Point(x, y);
    Loop(50);
    PushClick(x, y);
    Loop(50);
  }

  // A key pressed and, a moment later, released; the loop runs until both have been read.
  void PressKey(SDL_Scancode key) {
    for (const auto type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event event{};
      event.type = type;
      event.key.windowID = SDL_GetWindowID(Window());
      event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.scancode = key;
      SDL_PushEvent(&event);
      Loop(100);
    }
  }

  // A press and release of the left button at a logical point, left in SDL's queue for the next pass.
  void PushClick(int x, int y) {
    for (const auto type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event click{};
      click.type = type;
      click.button.windowID = SDL_GetWindowID(Window());
      click.button.button = SDL_BUTTON_LEFT;
      click.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      click.button.x = x;
      click.button.y = y;
      SDL_PushEvent(&click);
    }
  }
};

}  // namespace zelmar::tools
