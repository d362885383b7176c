// scene-bench: the game window's drawing with the real content (zelmar.def / zelmar.dat beside the program)
// through scripted frames of each screen: the title with its circle, the game with 32 figures, the posts,
// the side panel, the classic board and the in-game window over it, the options and the help screen. For
// each it prints the canvas batches and the processor time per frame on the test backend (the scene's and
// the canvas's own cost) and on OpenGL (needs a display; run it under xvfb-run headless). Then it runs the
// title screen in a 1024 x 768 window on the frame timer at its 100-frame limit for a few seconds, and
// gfx-demo beside it the same way, and prints the share of a core each one used.
//
// Usage: scene-bench [--frames N] [--seconds S] [--data DIR] [--test-only]
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ContentRig.h"
#include "framework/GfxTimer.h"
#include "framework/platform/SdlPlatform.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"
#include "scene/AnimationSteps.h"
#include "scene/FrameView.h"

using namespace zelmar;

using zelmar::scene::TContentRig;
using zelmar::scene::TSceneState;

namespace {

constexpr int kWidth = 1024, kHeight = 768;

// Processor time of the calling thread, in milliseconds.
double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Processor time (user and system) of the whole process so far, in seconds.
double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The folder of this program, where the content and gfx-demo are.
std::filesystem::path ProgramDir() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

// One screen of the bench: its name and how its state moves on per tick.
struct TScreen {
  const char* Name;
  TSceneState State;
};

// The scripted screens, each in the state its frames start from.
std::vector<TScreen> Screens() {
  using namespace zelmar::scene;
  std::vector<TScreen> out;
  TSceneState title;
  title.SceneMode = TSceneMode::TitleScreen;
  title.MenuHover = 2;
  out.push_back({"title", title});
  TSceneState game;
  game.SceneMode = TSceneMode::GameScreen;
  game.MenuKind = TMenuKind::GameDialog;
  game.MenuHover = 2;
  game.Options.Classic = 2;
  // 1. e4 e5 2. Nf3 Nc6: all 32 figures still on the board.
  for (const auto& [from, to] : {std::pair{53, 37}, std::pair{13, 29}, std::pair{63, 46}, std::pair{2, 19}}) {
    game.Board.Put(to, game.Board.At(from));
    game.Board.Put(from, 0);
  }
  game.SelectedSquare = 46;
  game.HoverSquare = 36;
  game.PanelPiece = 2;
  game.PortraitScale = 1.0;
  game.ButtonHover = 3;
  out.push_back({"game", game});
  TSceneState options = title;
  options.MenuKind = TMenuKind::OptionsMenu;
  options.MenuHover = 4;
  out.push_back({"options", options});
  TSceneState help;
  help.SceneMode = TSceneMode::HelpScreen;
  help.MenuKind = TMenuKind::HelpButtons;
  out.push_back({"help", help});
  return out;
}

// The view steps of one logic tick and a cursor on the move, so no two frames are alike.
void Tick(TSceneState& state, int frame) {
  zelmar::scene::TitleStep(state);
  zelmar::scene::PulseStep(state);
  if (state.SceneMode == zelmar::scene::TSceneMode::GameScreen) zelmar::scene::PortraitStep(state);
  state.CursorX = 300 + frame % 400;
  state.CursorY = 200 + frame % 300;
}

struct TFigures {
  double Batches = 0, CpuMs = 0, ProcessMs = 0;
};

// Renders `frames` frames of a screen (presenting each when asked) and averages batches and processor time.
TFigures Measure(TContentRig& rig, TSceneState state, int frames, bool present,
                 const std::function<void()>& perFrame) {
  auto frame = [&] {
    return rig.Render([&](zelmar::scene::TScenePainter& p) { DrawFrame(state, p, kWidth, kHeight); });
  };
  for (int i = 0; i < 3; ++i) frame();  // warm up
  long long batches = 0;
  const double cpu0 = ThreadCpuMs(), process0 = ProcessSeconds();
  for (int i = 0; i < frames; ++i) {
    Tick(state, i);
    frame();
    batches += rig.canvas.Batches();
    if (present) rig.device.Flip();
    perFrame();
  }
  return {static_cast<double>(batches) / frames, (ThreadCpuMs() - cpu0) / frames,
          (ProcessSeconds() - process0) * 1e3 / frames};
}

void PrintRow(const char* backend, const char* screen, int frames, const TFigures& f) {
  std::printf("%-8s %-8s %7d %14.1f %14.3f %16.3f\n", backend, screen, frames, f.Batches, f.CpuMs,
              f.ProcessMs);
}

// 1. The test backend: every screen, the recorded calls dropped after each frame.
bool RunTestBackend(const std::string& data, int frames) {
  platform::TestPlatform platform;
  platform.Gfx.Script.Current = {kWidth, kHeight, 60, platform::GfxFormat::X8R8G8B8};
  TApplication app(platform);
  TContentRig rig(app, platform, kWidth, kHeight);
  if (!rig.Load(data)) {
    std::fprintf(stderr, "scene-bench: the test backend could not load the content of %s\n", data.c_str());
    return false;
  }
  auto& drawing = static_cast<platform::TestDrawing&>(rig.device.ApiDevice()->Drawing());
  drawing.KeepVertices = false;
  drawing.LogCalls = false;
  for (const TScreen& s : Screens())
    PrintRow("test", s.Name, frames, Measure(rig, s.State, frames, false, [&] {
               drawing.Calls.clear();
               platform.Gfx.Log.clear();
             }));
  return true;
}

// 2. OpenGL: every screen presented in a window.
bool RunOpenGl(platform::SdlPlatform& platform, const std::string& data, int frames) {
  TApplication app(platform);
  TContentRig rig(app, platform, kWidth, kHeight);
  if (!rig.Load(data)) {
    std::fprintf(stderr, "scene-bench: OpenGL could not load the content of %s\n", data.c_str());
    return false;
  }
  for (const TScreen& s : Screens())
    PrintRow("opengl", s.Name, frames, Measure(rig, s.State, frames, true, [&] { platform.PumpEvents(); }));
  return true;
}

// 3. The title screen on the frame timer (60 ticks, at most 100 frames a second) for `seconds`; prints the
// frames per second and the share of one core the whole process (with a software renderer's own threads)
// and its main thread used meanwhile.
bool RunTitleLoop(platform::SdlPlatform& platform, const std::string& data, double seconds) {
  TApplication app(platform);
  TContentRig rig(app, platform, kWidth, kHeight);
  if (!rig.Load(data)) return false;
  TSceneState state = Screens()[0].State;
  TGfxTimer timer(&rig.form, app);
  timer.SetSpeed(60.0);
  timer.SetMaxFPS(100);
  long frames = 0;
  timer.OnTimer = [&](TGfxTimer*) {
    rig.Render([&](zelmar::scene::TScenePainter& p) { DrawFrame(state, p, kWidth, kHeight); });
    timer.Process();
    rig.device.Flip();
    ++frames;
  };
  timer.OnProcess = [&](TGfxTimer*) { Tick(state, static_cast<int>(frames)); };
  timer.SetEnabled(true);
  const std::uint32_t start = platform.Clock().TickCount();
  app.SetSynchronizeHook([&] {
    if (platform.Clock().TickCount() - start >= seconds * 1000) app.Terminate();
  });
  const double cpu0 = ProcessSeconds(), main0 = ThreadCpuMs();
  app.Run();
  const double wall = (platform.Clock().TickCount() - start) / 1000.0;
  std::printf("%.1f s: %ld frames (%.1f per second), processor %.1f%% of one core (main thread %.1f%%)\n",
              wall, frames, static_cast<double>(frames) / wall, 100.0 * (ProcessSeconds() - cpu0) / wall,
              (ThreadCpuMs() - main0) / (10.0 * wall));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 300;
  double seconds = 5;
  bool testOnly = false;
  std::string data = ProgramDir().string();
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
      frames = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
      seconds = std::max(0.5, std::atof(argv[++i]));
    else if (!std::strcmp(argv[i], "--data") && i + 1 < argc)
      data = argv[++i];
    else if (!std::strcmp(argv[i], "--test-only"))
      testOnly = true;
    else {
      std::fprintf(stderr, "usage: scene-bench [--frames N] [--seconds S] [--data DIR] [--test-only]\n");
      return 2;
    }
  }
  std::printf("%-8s %-8s %7s %14s %14s %16s\n", "backend", "screen", "frames", "batches/frame",
              "cpu ms/frame", "all threads ms");
  if (!RunTestBackend(data, frames)) return 1;
  if (testOnly) return 0;
  {
    platform::SdlPlatform platform;
    if (!platform.VideoAvailable()) {
      std::fprintf(stderr, "scene-bench: no display for the OpenGL run (try xvfb-run)\n");
      return 1;
    }
    if (!RunOpenGl(platform, data, std::max(1, frames / 3))) return 1;
    std::printf("\ntitle screen, 1024 x 768 window, frame timer at 100 frames a second:\n  scene-bench: ");
    std::fflush(stdout);
    if (!RunTitleLoop(platform, data, seconds)) return 1;
  }
  // gfx-demo in the same run, one after the other so they do not share the processor.
  const std::string demo = (ProgramDir() / "gfx-demo").string() + " --seconds " + std::to_string(seconds);
  std::printf("  gfx-demo:    ");
  std::fflush(stdout);
  const int status = std::system(demo.c_str());
  if (status != 0) std::fprintf(stderr, "scene-bench: %s failed (%d)\n", demo.c_str(), status);
  return status == 0 ? 0 : 1;
}
