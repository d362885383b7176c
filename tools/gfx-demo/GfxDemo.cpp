// gfx-demo: opens the rendering device in a window and runs the frame timer at 60 ticks and at most 100
// frames per second, showing the measured frame rate and ticks per second in the window title. The clear
// colour steps once per tick, so an uneven loop shows as flicker. Escape or closing the window quits;
// F11 switches between window and full screen. "--seconds N" quits after N seconds and prints the
// figures (frames, ticks, processor time) for measuring; "--size W H" sets the back buffer's size.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/Form.h"
#include "framework/GfxDevice.h"
#include "framework/GfxKeyboard.h"
#include "framework/GfxTimer.h"
#include "framework/platform/SdlPlatform.h"

using namespace zelmar;

namespace {

constexpr int kKeyEscape = 0x01;
constexpr int kKeyF11 = 0x57;

// Processor time (user and system) the process has used so far, in seconds.
double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A colour of the hue wheel for step `n` (0xAABBGGRR).
std::uint32_t HueColor(long n) {
  const int phase = static_cast<int>(n % 360);
  auto channel = [](int degrees) {
    const int d = (degrees % 360 + 360) % 360;
    const int v = d < 60 ? d * 255 / 60 : d < 180 ? 255 : d < 240 ? (240 - d) * 255 / 60 : 0;
    return static_cast<std::uint32_t>(v / 2 + 32);
  };
  return 0xFF000000u | (channel(phase + 240) << 16) | (channel(phase + 120) << 8) | channel(phase);
}

// The demo window: device, timer and keyboard wired as the game wires them.
class DemoForm : public TForm {
 public:
  DemoForm(TApplication& app, platform::Platform& platform, int width, int height)
      : TForm(app, platform::WindowSettings{"gfx-demo", width, height}),
        device_(this, platform),
        timer_(this, app),
        keyboard_(this),
        windowWidth_(width),
        windowHeight_(height) {
    device_.SetWidth(width);
    device_.SetHeight(height);
    device_.SetBitDepth(bdLow);
    device_.SetHardwareTL(false);
    device_.OnRender = [](TGfxDevice*) {};
    timer_.SetSpeed(60.0);
    timer_.SetMaxFPS(100);
    timer_.OnTimer = [this](TGfxTimer*) { TimerTimer(); };
    timer_.OnProcess = [this](TGfxTimer*) { TimerProcess(); };
    keyboard_.SetForeground(false);
  }

  // Opens the device and starts the timer; false when the device cannot be made.
  bool Start() {
    if (!Window()) return false;
    Window()->Show();
    device_.OnInitialize = [this](TGfxDevice*, bool& success) {
      timer_.SetEnabled(success);
      keyboard_.Initialize();
    };
    if (!device_.Initialize()) return false;
    secondStart_ = Application().Platform().Clock().TickCount();
    return true;
  }

  long Frames() const { return frames_; }
  long Ticks() const { return ticks_; }

 private:
  // One frame: clear to the tick's colour, run the due ticks, present.
  void TimerTimer() {
    device_.Render(HueColor(ticks_), true);
    timer_.Process();
    device_.Flip();
    ++frames_;
    UpdateTitle();
  }

  // One logic tick: keys, then the colour step.
  void TimerProcess() {
    keyboard_.Update();
    if (keyboard_.KeyPressed(kKeyEscape)) Application().Terminate();
    if (keyboard_.KeyPressed(kKeyF11)) {
      int width = windowWidth_, height = windowHeight_;
      if (device_.Windowed()) Window()->ScreenSize(width, height);
      device_.SetWidth(width);
      device_.SetHeight(height);
      device_.SetVSync(device_.Windowed());
      device_.SetWindowed(!device_.Windowed());
    }
    ++ticks_;
    ++ticksThisSecond_;
  }

  // Once a second: FrameRate and ticks per second into the title.
  void UpdateTitle() {
    const std::uint32_t now = Application().Platform().Clock().TickCount();
    if (now - secondStart_ < 1000) return;
    const double tps = static_cast<double>(ticksThisSecond_) * 1000.0 / (now - secondStart_);
    char title[128];
    std::snprintf(title, sizeof title, "gfx-demo - FrameRate %d fps - %.1f ticks per second",
                  timer_.FrameRate(), tps);
    Window()->SetTitle(title);
    secondStart_ = now;
    ticksThisSecond_ = 0;
  }

  TGfxDevice device_;
  TGfxTimer timer_;
  TGfxKeyboard keyboard_;
  int windowWidth_;
  int windowHeight_;
  long frames_ = 0;
  long ticks_ = 0;
  long ticksThisSecond_ = 0;
  std::uint32_t secondStart_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = 0;
  int width = 1024, height = 768;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
    if (std::strcmp(argv[i], "--size") == 0 && i + 2 < argc) {
      width = std::max(16, std::atoi(argv[i + 1]));
      height = std::max(16, std::atoi(argv[i + 2]));
    }
  }
  platform::SdlPlatform platform;
  TApplication app(platform);
  DemoForm form(app, platform, width, height);
  if (!form.Start()) {
    std::fprintf(stderr, "gfx-demo: Failed initializing video device!\n");
    return 1;
  }
  const std::uint32_t start = platform.Clock().TickCount();
  const double cpuStart = ProcessorSeconds();
  if (seconds > 0) {
    app.SetSynchronizeHook([&] {
      if (platform.Clock().TickCount() - start >= seconds * 1000) app.Terminate();
    });
  }
  app.Run();
  const double wall = (platform.Clock().TickCount() - start) / 1000.0;
  const double cpu = ProcessorSeconds() - cpuStart;
  std::printf(
      "%.1f s: %ld frames (%.1f per second), %ld ticks (%.1f per second), processor %.1f%% of one core\n",
      wall, form.Frames(), static_cast<double>(form.Frames()) / wall, form.Ticks(),
      static_cast<double>(form.Ticks()) / wall, 100.0 * cpu / wall);
  return 0;
}
