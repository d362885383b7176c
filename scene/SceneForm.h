// The game window: owns the rules engine with its computer player, the rendering device and frame timer,
// the canvas, pictures, fonts, archive and loader, the game clock, the sound and music components and the
// input devices; runs start-up, the per-tick logic and the per-frame drawing, and shutdown.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "audio/AudioStreamOut.h"
#include "audio/Mp3Source.h"
#include "audio/SoundSystem.h"
#include "audio/WaveList.h"
#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/notation/GameRecord.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxCanvas.h"
#include "framework/GfxDb.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/GfxKeyboard.h"
#include "framework/GfxLoader.h"
#include "framework/GfxMouse.h"
#include "framework/GfxTimer.h"
#include "launcher/GameOptions.h"
#include "launcher/MainForm.h"
#include "scene/CanvasPainter.h"
#include "scene/FrameGate.h"
#include "scene/GameFlow.h"
#include "scene/GameKeeper.h"
#include "scene/IntervalTimer.h"
#include "scene/Menus.h"
#include "scene/SceneState.h"
#include "scene/SoundCues.h"

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
  // Shows the failure message (title, text) and returns when the player has read it; null uses the game
  // window's own box.
  std::function<void(std::string_view title, std::string_view text)> ShowError;
  // Where the current game and the archive of games are kept; empty: no game is kept.
  std::filesystem::path GamesFolder;
  // A game opened from a PGN file, shown once the launcher is passed; it becomes the current game.
  std::optional<TGameRecord> OpenedGame;
};

// The message shown when the device or the pictures cannot be had.
inline constexpr const char* kVideoFailure = "Failed initializing video device!";

class TSceneForm : public TForm {
 public:
  // Builds the components and runs FormCreate: the launcher, the device, the title screen. When the
  // launcher was closed without starting or the device failed, the application has been told to end.
  TSceneForm(TApplication& application, platform::Platform& platform, TSceneSetup setup);
  // Runs FormDestroy, then lets the components go with the computer player parked.
  ~TSceneForm() override;

  // 0 for a game played or a launcher closed, 1 when the device could not be started.
  int ExitCode() const { return exitCode_; }
  // Whether start-up reached the title screen.
  bool Running() const { return state_.SceneMode != TSceneMode::NotStarted; }

  TSceneState& State() { return state_; }
  TGameFlow& Flow() { return flow_; }
  TMenus& Menus() { return menus_; }
  TGameKeeper& Keeper() { return keeper_; }

  // Writes the current game now when any of it, the clocks too, differs from its file (at the end of the
  // program: the quit window, the close box and the quit signals; the window's destruction does it too).
  void KeepCurrentGame();

  // --- Handlers, as the form wires them ---
  void FormCreate();
  void FormShow();
  void DeviceInitialize(TGfxDevice* sender, bool& success);
  void DeviceFinalize(TGfxDevice* sender);
  void TimerTimer(TGfxTimer* sender);
  void TimerProcess(TGfxTimer* sender);
  void DeviceRender(TGfxDevice* sender);
  void FormDestroy();

  // --- Fields ---
  bool StartPending = true;  // until the launcher's start button
  bool Maximized = false;    // the launcher's " Maximized " box
  // Draws and presents every frame the timer asks for, changed or not, as long as the window exists (for
  // measuring what drawing only the changes saves).
  bool DrawEveryFrame = false;

  // --- Components (destroyed in reverse order: the engine last, after everything that uses it) ---
  TChessBrd ChessEngine;
  TChessThread* ComputerPlayer = nullptr;  // the engine's worker, owned by it
  TIntervalTimer Timer1;
  TIntervalTimer EnginePoll;  // the half-second poll of a custom move source
  TGfxDevice Device;
  TGfxTimer Timer;
  TGfxCanvas SceneCanvas;
  TGfxImages Images;
  TGfxDb Archive;
  TGfxFonts Fonts;
  TGfxLoader Loader;
  audio::TSoundSystem SoundSystem1;
  audio::TWaveList WaveList1;
  audio::TMp3Source Mp3Source1;
  audio::TAudioStreamOut AudioOut1;
  TGfxMouse GfxMouse1;
  TGfxKeyboard GfxKeyboard1;

 private:
  void SetUpComponents();
  void ShowVideoFailure();
  void PlaceDevice(const LauncherChoices& choices);
  void WindowSizeKeys();
  void UpdateCursor();
  void ClickHandler();
  void StartNewGame();
  void ContinueGame();
  void Quit();
  TScreenFacts ScreenFacts();

  TSceneSetup setup_;
  int exitCode_ = 0;
  TSceneState state_;
  TSoundCues sounds_;
  TCanvasPainter painter_;
  TFrameGate frames_;         // the frame recorded before drawing and the one last presented
  bool replayFrame_ = false;  // DeviceRender replays the recorded frame instead of drawing anew
  TGameFlow flow_;
  TGameKeeper keeper_;
  TMenus menus_;
};

}  // namespace zelmar::scene
