// The whole game window on the test backend: the real TSceneForm with scripted launcher choices and
// settings, the real content beside the programs (build/bin), the clips and tunes on an output nobody
// plays, the stepped clock, and scripted pointer, clicks and keys. The computer player is the real worker;
// waiting for it is waiting on a condition with a generous real-time deadline.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "audio/platform/AudioOutput.h"
#include "framework/Application.h"
#include "framework/platform/TestPlatform.h"
#include "launcher/GameOptions.h"
#include "launcher/MainForm.h"
#include "scene/SceneForm.h"

namespace zelmar::scene::test {

// The folder of the built programs and their data (build/bin, beside the folder of the test programs).
std::filesystem::path ProgramDataFolder();

class TSceneFormRig {
 public:
  // Settings as the launcher would read them: quick computer, sound and music off (they still run through
  // the real cues), the perspective board.
  TSceneFormRig();
  ~TSceneFormRig();

  // Creates the window (FormCreate runs: the scripted launcher, the device, the title screen).
  void Start();
  // The window goes, as when it is closed; the rig may Start again.
  void Stop() { form_.reset(); }

  TSceneForm& Form() { return *form_; }
  TSceneState& State() { return form_->State(); }
  TChessBrd& Engine() { return form_->ChessEngine; }
  platform::TestWindow& Window() { return static_cast<platform::TestWindow&>(*form_->Window()); }

  // One pass of the application loop over `milliseconds` of stepped time; false once the loop has ended.
  bool Pass(double milliseconds = 50);
  // Runs passes until `ticks` more logic ticks have run (or the loop ends).
  void RunTicks(int ticks);
  // Runs the loop (waiting for the worker while it thinks) until `done` holds; false after the deadline
  // or when the loop ended first.
  bool RunUntil(const std::function<bool()>& done, std::chrono::seconds deadline = std::chrono::seconds(60));
  // Runs until no move glides and the engine waits for the player's side (or the game is over).
  bool Settle();

  // The pointer over a logical point; a press and release within one poll; one tick reads them.
  void ClickAt(int x, int y);
  // A click at the centre of a square of the board in view (perspective or classic).
  void ClickSquare(std::string_view name);
  // The player's move by two clicks, then until it is played and the computer has answered (or the game
  // ended).
  bool PlayMove(std::string_view from, std::string_view to);
  // A key down for one pass, then up for one pass.
  void PressKey(int code);

  // --- Script, before Start ---
  platform::TestPlatform Platform;
  TApplication Application{Platform};
  GameOptions Options;
  LauncherChoices Choices{true, false, false, true};
  std::filesystem::path DataFolder = ProgramDataFolder();
  std::filesystem::path ConfigFile;
  std::filesystem::path GamesFolder;  // empty: no game is kept
  std::optional<TGameRecord> OpenedGame;
  std::shared_ptr<audio::ManualAudioOutput> Output = std::make_shared<audio::ManualAudioOutput>();
  int LauncherRuns = 0;
  int Ticks = 0;

 private:
  std::filesystem::path scratch_;
  std::unique_ptr<TSceneForm> form_;
};

}  // namespace zelmar::scene::test
