#include "scene/support/SceneFormRig.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "audio/ProgramFiles.h"
#include "framework/platform/TestDrawing.h"
#include "scene/SceneGeometry.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene::test {

namespace {

// A fresh folder under the system's temporary folder for one rig.
std::filesystem::path ScratchFolder() {
  static std::atomic<int> counter{0};
  const auto folder = std::filesystem::temp_directory_path() /
                      ("zelmar-scene-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

// The test programs live in build/tests, the game's programs and data in build/bin; ZELMAR_DATA_FOLDER
// names another folder (the sanitizer trees use the data of the main build).
std::filesystem::path ProgramDataFolder() {
  if (const char* folder = std::getenv("ZELMAR_DATA_FOLDER"); folder && *folder) return folder;
  return audio::ProgramDirectory().parent_path() / "bin";
}

// Settings chosen for quick, quiet and repeatable games; the settings file lives in a scratch folder.
TSceneFormRig::TSceneFormRig() : scratch_(ScratchFolder()) {
  Options.Depth = 1;
  Options.Music = 2;
  Options.Sound = 2;
  Options.Classic = 1;
  Options.Mode = 1;
  ConfigFile = scratch_ / "config.ini";
}

// The window goes before the scratch folder.
TSceneFormRig::~TSceneFormRig() {
  form_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(scratch_, ignored);
}

// The scripted launcher hands over the settings and the choices; the drawing calls are neither logged nor
// kept, so that long games stay small.
void TSceneFormRig::Start() {
  TSceneSetup setup;
  setup.Launcher = [this](GameOptions& options) {
    ++LauncherRuns;
    options = Options;
    return Choices;
  };
  setup.DataFolder = DataFolder;
  setup.ConfigFile = ConfigFile;
  setup.GamesFolder = GamesFolder;
  setup.OpenedGame = OpenedGame;
  setup.AudioOutput = Output;
  form_ = std::make_unique<TSceneForm>(Application, Platform, std::move(setup));
  if (form_->Device.ApiDevice()) {
    if (auto* drawing = dynamic_cast<platform::TestDrawing*>(&form_->Device.ApiDevice()->Drawing())) {
      drawing->LogCalls = false;
      drawing->KeepVertices = false;
    }
  }
  form_->Timer.OnProcess = [this](TGfxTimer* sender) {
    ++Ticks;
    form_->TimerProcess(sender);
  };
}

// The stepped clock moves on, then the loop makes one pass (a frame and the ticks that fell due).
bool TSceneFormRig::Pass(double milliseconds) {
  Platform.Time.Advance(milliseconds);
  const bool going = Application.ProcessOnce();
  Platform.Gfx.Log.clear();
  return going;
}

// Passes of 50 ms run three ticks each.
void TSceneFormRig::RunTicks(int ticks) {
  const int until = Ticks + ticks;
  while (Ticks < until && Pass()) {
  }
}

// Between passes the worker gets time to think; the loop's own pass runs what it handed over.
bool TSceneFormRig::RunUntil(const std::function<bool()>& done, std::chrono::seconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (Engine().Thinking()) Engine().WaitForWorkerCalls(std::chrono::milliseconds(20));
    if (!Pass()) return done();
  }
  return true;
}

// The player may act once nothing glides and the engine waits for the player's side (or the game is over).
bool TSceneFormRig::Settle() {
  return RunUntil([this] {
    if (State().Animating) return false;
    const TGameState state = State().GameState;
    if (state == TGameState::GameOver) return true;
    return (state == TGameState::HumanToMove || state == TGameState::ChoosePromotion) &&
           !Engine().ComputerToMove();
  });
}

// Point, press and release are all read by the first tick of the next pass.
void TSceneFormRig::ClickAt(int x, int y) {
  Platform.Input.PointAt(x + State().OriginX, y + State().OriginY);
  Platform.Input.Button(0, true);
  Platform.Input.Button(0, false);
  RunTicks(1);
}

// The middle of the square in the view in use (the flow tests' point of a square).
void TSceneFormRig::ClickSquare(std::string_view name) {
  const TScreenPoint point = SquarePoint(State(), Sq(name));
  ClickAt(point.X, point.Y);
}

// Two clicks, then the glide, the hand-over, the computer's answer and its glide.
bool TSceneFormRig::PlayMove(std::string_view from, std::string_view to) {
  const int moves = Engine().CurrentMove();
  const bool white = Engine().WhiteToMove();
  ClickSquare(from);
  ClickSquare(to);
  if (!RunUntil([&] { return Engine().CurrentMove() != moves || Engine().WhiteToMove() != white; }))
    return false;
  return Settle();
}

// Down during one pass's ticks (pressed in the first), up in the next.
void TSceneFormRig::PressKey(int code) {
  Platform.Input.Keys[static_cast<std::size_t>(code)] = 0x80;
  RunTicks(1);
  Platform.Input.Keys[static_cast<std::size_t>(code)] = 0;
  RunTicks(1);
}

}  // namespace zelmar::scene::test
