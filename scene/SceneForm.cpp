#include "scene/SceneForm.h"

#include <cstdio>

#include "engine/ComputerPlayer.h"
#include "scene/SceneScreen.h"
#include "zelmar_window_icon.h"

namespace zelmar::scene {

namespace {

// The game window as the platform opens it: the logical screen's size, fixed border, always on top.
platform::WindowSettings GameWindowSettings() {
  platform::WindowSettings settings;
  settings.Title = "Zelmar Chess II";
  settings.ClientWidth = kLogicalWidth;
  settings.ClientHeight = kLogicalHeight;
  settings.Resizable = false;
  settings.AlwaysOnTop = true;
  return settings;
}

// Gives the window the game's icon, the picture of the desktop icons carried inside the program as square
// RGBA rows; the side follows from the byte count.
void SetGameIcon(platform::PlatformWindow& window) {
  const std::span<const unsigned char> icon = FindWindowIcon("window_icon");
  int side = 0;
  while (static_cast<std::size_t>(side + 1) * (side + 1) * 4 <= icon.size()) ++side;
  if (side > 0 && static_cast<std::size_t>(side) * side * 4 == icon.size()) window.SetIcon(icon, side);
}

}  // namespace

// Builds every component with its settings, wires the handlers, runs the start-up sequence and shows the
// window when it reached the title screen.
TSceneForm::TSceneForm(TApplication& application, platform::Platform& platform, TSceneSetup setup)
    : TForm(application, GameWindowSettings()),
      Timer1(platform.Clock(), 1000),
      EnginePoll(platform.Clock(), 500),
      Device(this, platform),
      Timer(this, application),
      SceneCanvas(this),
      Images(this),
      Fonts(this),
      Loader(this),
      WaveList1(&SoundSystem1),
      GfxMouse1(this),
      GfxKeyboard1(this),
      setup_(std::move(setup)),
      sounds_(state_.Options, WaveList1, Mp3Source1, AudioOut1, setup_.DataFolder),
      painter_(SceneCanvas),
      flow_(state_, ChessEngine, sounds_, Timer1),
      keeper_(state_, ChessEngine, flow_),
      menus_(
          state_, ChessEngine, sounds_, Timer1,
          TMenuActions{[this] { StartNewGame(); }, [this] { ContinueGame(); },
                       [this](const GameOptions& options) { return SaveOptions(options, setup_.ConfigFile); },
                       [this] { Quit(); }}) {
  frames_.MeasureWith(&painter_);
  SetUpComponents();
  FormCreate();
  if (Running()) FormShow();
}

// The music stops first; the computer player is parked before anything it may call goes.
TSceneForm::~TSceneForm() {
  FormDestroy();
  Application().SetSynchronizeHook(nullptr);
  ChessEngine.StopThinking();
  Device.Finalize();
  Device.OnFinalize = nullptr;
}

// The settings of the components' table; the framework's defaults differ where a setting is made here.
// 1. The rules engine with its computer player. 2. Device and frame timer. 3. Canvas, pictures, archive,
// loader and fonts, all bound to the device, the data files looked up in the data folder. 4. Sound.
// 5. Input. 6. The loop's own pass: the engine's queued calls and the two clocks.
void TSceneForm::SetUpComponents() {
  ChessEngine.BeginLoading();
  ComputerPlayer = &AttachComputerPlayer(ChessEngine);
  ChessEngine.SetSearchDepth(5);
  ChessEngine.SetThinkingPriority(tpLower);
  ChessEngine.SetComputerPlaysBlack(true);
  ChessEngine.SetComputerPlaysWhite(false);
  ChessEngine.SetZelmarMode(false);
  ChessEngine.EndLoading();

  Device.SetWidth(kLogicalWidth);
  Device.SetHeight(kLogicalHeight);
  Device.SetBitDepth(bdLow);
  Device.SetRefresh(0);
  Device.SetWindowed(true);
  Device.SetVSync(false);
  Device.SetHardwareTL(false);
  Device.SetDepthBuffer(false);
  Device.OnInitialize = [this](TGfxDevice* sender, bool& success) { DeviceInitialize(sender, success); };
  Device.OnFinalize = [this](TGfxDevice* sender) { DeviceFinalize(sender); };
  Device.OnRender = [this](TGfxDevice* sender) { DeviceRender(sender); };
  Timer.SetSpeed(60.0);
  Timer.SetMaxFPS(100);
  Timer.SetEnabled(false);
  Timer.OnTimer = [this](TGfxTimer* sender) { TimerTimer(sender); };
  Timer.OnProcess = [this](TGfxTimer* sender) { TimerProcess(sender); };

  SceneCanvas.SetAlphaTesting(false);
  SceneCanvas.SetVertexCache(4096);
  SceneCanvas.SetAntialias(false);
  SceneCanvas.SetDithering(false);
  SceneCanvas.SetPublisher(&Device);
  Images.SetMipMapping(false);
  Images.SetPublisher(&Device);
  Archive.SetFileName((setup_.DataFolder / "zelmar.dat").string());
  Archive.SetOpenMode(opReadOnly);
  Fonts.SetCanvas(&SceneCanvas);
  Fonts.SetPublisher(&Device);
  Loader.SetImages(&Images);
  Loader.SetFonts(&Fonts);
  Loader.SetArchive(&Archive);
  Loader.XMLDescFile = (setup_.DataFolder / "zelmar.def").string();
  Loader.SetPublisher(&Device);

  Mp3Source1.SetLoop(false);
  Mp3Source1.SetEndSample(-1);
  Mp3Source1.SetHighPrecision(true);
  Mp3Source1.SetOutputChannels(audio::cnMaxAvailable);
  AudioOut1.SetInput(&Mp3Source1);
  AudioOut1.SetDeviceNumber(0);
  AudioOut1.SetFramesInBuffer(65536);
  AudioOut1.SetPollingInterval(200);
  if (setup_.AudioOutput) {
    SoundSystem1.UseOutput(setup_.AudioOutput);
    AudioOut1.UseOutput(setup_.AudioOutput);
  }
  SoundSystem1.SetAutoInitialize(true);
  SoundSystem1.Loaded();
  LoadSoundClips(WaveList1);  // a clip that cannot be had stays silent

  GfxMouse1.SetForeground(false);
  GfxMouse1.SetBufferSize(256);
  GfxMouse1.SetExclusive(true);
  GfxMouse1.SetClearOnUpdate(true);
  GfxKeyboard1.SetForeground(false);

  EnginePoll.OnTimer = [this] { ChessEngine.PollCustomEngine(); };
  EnginePoll.SetEnabled(true);
  Application().SetSynchronizeHook([this] {
    if (ChessEngine.RunPendingCalls() > 0) flow_.UpdateMarks();
    Timer1.Poll();
    EnginePoll.Poll();
  });
}

// The start-up sequence:
// 1. The launcher's fields. 2. The engine's start position. 3. (The board component is never shown.)
// 4. Not started. 5. The launcher. 6. Closed without starting: the program ends. 7. The device and the
// content; a failure is told and ends the program. 8. The canvas's antialiasing. 9. Window or full screen.
// 10. The mouse in the foreground (an initialized mouse keeps its cooperation). 11. The title screen.
// 12. The kept games: a game opened from a file goes straight to the game screen.
void TSceneForm::FormCreate() {
  StartPending = true;
  Maximized = false;
  ChessEngine.NewGame();
  state_.SceneMode = TSceneMode::NotStarted;
  const LauncherChoices choices = setup_.Launcher ? setup_.Launcher(state_.Options) : LauncherChoices{};
  StartPending = !choices.Started;
  Maximized = choices.Maximized;
  if (StartPending) {
    Application().Terminate();
    return;
  }
  if (!Window() || !Device.Initialize()) {
    ShowVideoFailure();
    return;
  }
  SceneCanvas.SetAntialias(choices.Antialias);
  PlaceDevice(choices);
  GfxMouse1.SetForeground(true);
  state_.SceneMode = TSceneMode::TitleScreen;
  state_.Pulse = 20;
  state_.PulseDir = -1;
  state_.GameState = TGameState::HumanToMove;
  keeper_.Open(setup_.GamesFolder);
  if (setup_.OpenedGame) {
    keeper_.Adopt(*setup_.OpenedGame);
    menus_.ShowGame();
  } else {
    sounds_.PlayMusic(TTune::Title);
  }
}

// The error box (the desktop's from the setup, else the window's; the error stream without either), then
// the end with a failure status.
void TSceneForm::ShowVideoFailure() {
  if (setup_.ShowError) {
    setup_.ShowError("Zelmar Chess II", kVideoFailure);
  } else if (Window()) {
    Window()->ShowError("Zelmar Chess II", kVideoFailure);
  } else {
    std::fprintf(stderr, "zelmar-chess: %s\n", kVideoFailure);
  }
  exitCode_ = 1;
  Application().Terminate();
}

// Full screen takes the screen's size (or the logical size when Maximized fits), with the scene centred
// and synchronised to the display; a window keeps the logical size at origin (0, 0).
void TSceneForm::PlaceDevice(const LauncherChoices& choices) {
  if (!choices.FullScreen) {
    Device.SetVSync(false);
    Device.SetWindowed(true);
    return;
  }
  int screenWidth = 0, screenHeight = 0;
  Window()->ScreenSize(screenWidth, screenHeight);
  const TScreenLayout layout = FullScreenLayout(screenWidth, screenHeight, Maximized);
  Device.SetWidth(layout.Width);
  Device.SetHeight(layout.Height);
  state_.OriginX = layout.OriginX;
  state_.OriginY = layout.OriginY;
  Device.SetVSync(true);
  Device.SetWindowed(false);
}

// Hides the system pointer (the game draws its own), gives the window its icon, size and state, centres it
// and shows it: in a window a client area of 1024 x 768, or opened maximised over a restore size of 512 x
// 384.
void TSceneForm::FormShow() {
  platform::PlatformWindow* window = Window();
  window->SetCursorVisible(false);
  SetGameIcon(*window);
  if (Device.Windowed()) {
    window->SetClientSize(Maximized ? 512 : kLogicalWidth, Maximized ? 384 : kLogicalHeight);
    window->Center();
    if (Maximized) {
      window->Maximize();
    } else {
      window->Restore();
    }
  } else {
    window->Restore();
  }
  window->Show();
}

// Loads the group "Content" and checks that every picture the screens draw and the three fonts are there
// (a description that reads but whose records fail is a failure too); the frame timer runs only then. The
// memory the launcher and the loading freed goes back to the system.
void TSceneForm::DeviceInitialize(TGfxDevice*, bool& success) {
  success = Loader.LoadGroup("Content") && painter_.Bind(Images, Fonts);
  TApplication::ReturnFreePages();
  Timer.SetEnabled(success);
  GfxMouse1.Initialize();
  GfxKeyboard1.Initialize();
}

// The game clock stops with the device; the pictures and fonts go with it.
void TSceneForm::DeviceFinalize(TGfxDevice*) {
  Timer1.SetEnabled(false);
  painter_.Unbind();
}

// The current game is written and the music stops when the window goes.
void TSceneForm::FormDestroy() {
  KeepCurrentGame();
  sounds_.StopMusic();
}

void TSceneForm::KeepCurrentGame() {
  keeper_.KeepNow();
}

// "Game" and "Rematch": the game they replace goes to the archive first when it qualifies.
void TSceneForm::StartNewGame() {
  keeper_.BeforeNewGame();
  flow_.StartNewGame();
}

// "Continue": the kept game, or a new one when there is none to go on with.
void TSceneForm::ContinueGame() {
  if (!keeper_.Continue()) StartNewGame();
}

// The quit window's "Quit": the game is written and the loop ends at once.
void TSceneForm::Quit() {
  KeepCurrentGame();
  Application().Terminate();
}

}  // namespace zelmar::scene
