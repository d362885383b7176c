// canvas-bench: draws a frame shaped like the game screen through the batching canvas (a 1024 x 768
// background, the 800 x 800 classic board, 64 figures, a 373 x 666 portrait, a dozen rectangles, 300
// points and 200 glyphs) and prints the draw calls per frame and the processor time per frame, on the
// test backend (the canvas's own cost) and on OpenGL (needs a display; run under xvfb-run headless).
//
// Usage: canvas-bench [--frames N] [--test-only] [--screenshot FILE.ppm]
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxCanvas.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/SdlPlatform.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"

using namespace zelmar;

namespace {

// Processor time of the calling thread, in milliseconds.
double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double WallMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

// An A8R8G8B8 image record of `count` patterns of w x h in a texture of tw x th, shaded by position.
std::vector<std::uint8_t> ImageRecord(int w, int h, int count, int tw, int th, bool alphaOnly = false) {
  std::vector<std::uint8_t> out{static_cast<std::uint8_t>(alphaOnly ? 10 : 5)};
  for (int v : {w, h, w, h, count, tw, th, 1}) PutInt32(out, v);
  out.reserve(out.size() + static_cast<std::size_t>(tw) * th * 4);
  for (int y = 0; y < th; ++y) {
    for (int x = 0; x < tw; ++x) {
      const bool inside = (x % w) > w / 8 && (x % w) < w - w / 8;  // transparent margins like a figure
      if (alphaOnly) {
        out.push_back(inside ? 255 : 0);
        continue;
      }
      out.push_back(static_cast<std::uint8_t>(x * 255 / tw));
      out.push_back(static_cast<std::uint8_t>(y * 255 / th));
      out.push_back(static_cast<std::uint8_t>((x + y) & 0xFF));
      out.push_back(inside ? 255 : 0);
    }
  }
  return out;
}

// A font record of 224 glyphs (codes 32..255) in 12 x 20 cells, 16 to a row.
std::vector<std::uint8_t> FontRecord() {
  std::vector<std::uint8_t> out;
  PutInt32(out, 32);
  PutInt32(out, 1);
  PutInt32(out, 0);
  PutInt32(out, 224);
  for (int i = 0; i < 224; ++i) {
    PutInt32(out, 7 + i % 5);
    PutInt32(out, 0);
  }
  const auto image = ImageRecord(12, 20, 224, 192, 280, true);
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

// The components one frame needs, bound to a device of 1024 x 768.
struct Scene {
  TForm form;
  TGfxDevice device;
  TGfxImages images{&form};
  TGfxCanvas canvas{&form};
  TGfxFonts fonts{&form};
  TGfxImage *ground = nullptr, *classic = nullptr, *figures = nullptr, *portrait = nullptr;
  TGfxFont* font = nullptr;

  Scene(TApplication& app, platform::Platform& platform)
      : form(app, platform::WindowSettings{"canvas-bench", 1024, 768}), device(&form, platform) {
    device.SetWidth(1024);
    device.SetHeight(768);
    images.SetMipMapping(false);
    canvas.SetAntialias(false);
    canvas.SetAlphaTesting(false);
    images.SetPublisher(&device);
    canvas.SetPublisher(&device);
    fonts.SetPublisher(&device);
    fonts.SetCanvas(&canvas);
  }

  // Starts the device and loads the pictures and the font; false when any of it fails.
  bool Load() {
    if (!device.Initialize()) return false;
    auto add = [&](const char* name, std::vector<std::uint8_t> record) {
      TGfxImage* image = images.Add();
      image->Name = name;
      return image->LoadFromRecord(record) ? image : nullptr;
    };
    ground = add("ground", ImageRecord(1024, 768, 1, 1024, 768));
    classic = add("classic", ImageRecord(800, 800, 1, 800, 800));
    figures = add("zelmar_piece_2", ImageRecord(112, 200, 12, 672, 400));
    portrait = add("zelmar_piece_1", ImageRecord(373, 666, 1, 373, 666));
    font = fonts.Add();
    return ground && classic && figures && portrait &&
           font->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh);
  }

  // One game-like frame, in the order the game screen draws.
  void Draw() {
    canvas.Draw(ground, 0, 0, 0, fxOpaque);
    canvas.DrawScaled(classic, 10, 64, 0.82, 0, fxBlend);
    for (int i = 0; i < 64; ++i) canvas.Draw(figures, 40 + (i % 8) * 70, 60 + (i / 8) * 60, i % 12, fxBlend);
    canvas.Draw(portrait, 650, 10, 0, fxBlend);
    for (int i = 0; i < 12; ++i) {
      const TDrawFx fx = i % 3 == 0 ? fxSubtract : i % 3 == 1 ? fxOpaque : fxMultiply;
      canvas.FillRect(11 + 50 * i, 11, 41, 42, 0xFF00FFFF, fx);
    }
    for (int i = 0; i < 300; ++i)
      canvas.PutPixel(100.0f + static_cast<float>(i % 60), 700.0f + static_cast<float>(i / 60), 0xFFFFFFFF,
                      fxOpaque);
    static const char* kLines[] = {"White to move: e2-e4 Nb8-c6 ", "Level 4  Zelmar mode  00 : 12 : 47 ",
                                   "#$FF00FFFFCheck! \xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0 ",
                                   "Take back  Replay  Menu  Options  Help  Quit ",
                                   "The computer is thinking at depth 6 ...  "};
    double y = 705;
    int glyphs = 0;
    for (int line = 0; glyphs < 200; line = (line + 1) % 5) {
      const std::string text = kLines[line];
      font->TextOut(text, 20, y, 0xFFFFFFFF, 0xFFE0E0E0, fxBlend);
      glyphs += static_cast<int>(text.size());
      y += 12;
    }
  }
};

struct Figures {
  int frames = 0;
  double batches = 0, cpuMs = 0, wallMs = 0;
};

// Renders `frames` frames (scene end flushes), presenting each when asked; averages the figures.
Figures Measure(Scene& scene, int frames, bool present, const std::function<void()>& perFrame) {
  Figures f;
  scene.device.OnRender = [&](TGfxDevice*) { scene.Draw(); };
  for (int i = 0; i < 3; ++i) scene.device.Render(0, true);  // warm up
  const double cpu0 = ThreadCpuMs(), wall0 = WallMs();
  long long batches = 0;
  for (int i = 0; i < frames; ++i) {
    scene.device.Render(0, true);
    batches += scene.canvas.Batches();
    if (present) scene.device.Flip();
    perFrame();
  }
  f.frames = frames;
  f.batches = static_cast<double>(batches) / frames;
  f.cpuMs = (ThreadCpuMs() - cpu0) / frames;
  f.wallMs = (WallMs() - wall0) / frames;
  return f;
}

// Writes the back buffer as a binary PPM.
bool Screenshot(Scene& scene, const char* path) {
  std::vector<std::uint32_t> pixels(1024 * 768);
  if (!platform::GfxSucceeded(scene.device.ApiDevice()->ReadBackBuffer(pixels.data(), 1024, 768)))
    return false;
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n1024 768\n255\n");
  bool ok = true;
  for (std::uint32_t p : pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    ok = ok && std::fwrite(rgb, 1, 3, file) == 3;
  }
  return std::fclose(file) == 0 && ok;
}

void Print(const char* backend, const Figures& f, bool wall) {
  std::printf("%-8s %7d %14.1f %14.3f", backend, f.frames, f.batches, f.cpuMs);
  if (wall) std::printf(" %14.3f", f.wallMs);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 2000;
  bool testOnly = false;
  const char* screenshot = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
      frames = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--test-only"))
      testOnly = true;
    else if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc)
      screenshot = argv[++i];
    else {
      std::fprintf(stderr, "usage: canvas-bench [--frames N] [--test-only] [--screenshot FILE.ppm]\n");
      return 2;
    }
  }
  std::printf("%-8s %7s %14s %14s %14s\n", "backend", "frames", "batches/frame", "cpu ms/frame",
              "wall ms/frame");

  // 1. The test backend: the canvas, images and fonts alone, recording calls without copies.
  {
    platform::TestPlatform platform;
    platform.Gfx.Script.Current = {1024, 768, 60, platform::GfxFormat::X8R8G8B8};
    TApplication app(platform);
    Scene scene(app, platform);
    if (!scene.Load()) {
      std::fprintf(stderr, "canvas-bench: the test backend refused the scene\n");
      return 1;
    }
    auto& drawing = static_cast<platform::TestDrawing&>(scene.device.ApiDevice()->Drawing());
    drawing.KeepVertices = false;
    drawing.LogCalls = false;
    Print("test",
          Measure(scene, frames, false,
                  [&] {
                    drawing.Calls.clear();
                    platform.Gfx.Log.clear();
                  }),
          false);
  }
  if (testOnly) return 0;

  // 2. OpenGL: the same frame presented in a window; processor time of the drawing thread.
  platform::SdlPlatform platform;
  if (!platform.VideoAvailable()) {
    std::fprintf(stderr, "canvas-bench: no display for the OpenGL run (try xvfb-run)\n");
    return 1;
  }
  TApplication app(platform);
  Scene scene(app, platform);
  if (!scene.Load()) {
    std::fprintf(stderr, "canvas-bench: OpenGL refused the scene\n");
    return 1;
  }
  Print("opengl", Measure(scene, std::max(1, frames / 10), true, [&] { platform.PumpEvents(); }), true);
  if (screenshot && (scene.device.Render(0, true), !Screenshot(scene, screenshot))) {
    std::fprintf(stderr, "canvas-bench: could not write %s\n", screenshot);
    return 1;
  }
  return 0;
}
