#include "framework/platform/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "framework/platform/GlApi.h"
#include "framework/platform/QuitSignals.h"
#include "framework/platform/SdlInput.h"
#include "framework/platform/SdlWindow.h"

namespace zelmar::platform {

// SDL's performance counter, millisecond ticks and sleep.
class SdlPlatform::Clock_ : public PlatformClock {
 public:
  std::uint64_t CounterFrequency() override { return SDL_GetPerformanceFrequency(); }
  std::uint64_t Counter() override { return SDL_GetPerformanceCounter(); }
  std::uint32_t TickCount() override { return SDL_GetTicks(); }
  void Sleep(std::uint32_t milliseconds) override { SDL_Delay(milliseconds); }
};

namespace {

// Whether SDL runs one of its invisible drivers without having been asked for it by SDL_VIDEODRIVER.
bool InvisibleDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  return invisible && !(asked && SDL_strcasecmp(asked, driver) == 0);
}

}  // namespace

// Starts SDL's video part; without a display it stays off and windows cannot open. SDL falls back to its
// invisible drivers when no display answers; a game nobody can see is no use, so those count as no display.
// A display server that is just restarting refuses connections for a moment, so a few tries are made.
SdlPlatform::SdlPlatform() : clock_(std::make_unique<Clock_>()) {
  constexpr int kTries = 20;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (attempt > 0) SDL_Delay(25);
    video_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!video_ || !InvisibleDriver()) break;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetError("No display to open a window on");
    video_ = false;
  }
}

// Stops SDL's video part if it was started.
SdlPlatform::~SdlPlatform() {
  if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Opens a hidden window with an OpenGL 3.3 core drawable (the device adds the context).
std::unique_ptr<PlatformWindow> SdlPlatform::CreateWindow(const WindowSettings& settings) {
  if (!video_) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  std::uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (settings.Resizable) flags |= SDL_WINDOW_RESIZABLE;
  if (settings.AlwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  SDL_Window* window =
      SDL_CreateWindow(settings.Title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       settings.ClientWidth, settings.ClientHeight, flags);
  if (!window) return nullptr;
  return std::make_unique<SdlWindow>(window);
}

// The OpenGL graphics object; none without a display.
std::unique_ptr<GfxApi> SdlPlatform::CreateGfxApi() {
  if (!video_) return nullptr;
  return std::make_unique<GlApi>();
}

// A mouse fed from the SDL window's events.
std::unique_ptr<PlatformMouse> SdlPlatform::CreateMouse(PlatformWindow& window) {
  auto* sdlWindow = dynamic_cast<SdlWindow*>(&window);
  if (!sdlWindow) return nullptr;
  return std::make_unique<SdlMouse>(*this, *sdlWindow);
}

// A keyboard fed from the SDL window's events.
std::unique_ptr<PlatformKeyboard> SdlPlatform::CreateKeyboard(PlatformWindow& window) {
  auto* sdlWindow = dynamic_cast<SdlWindow*>(&window);
  if (!sdlWindow) return nullptr;
  return std::make_unique<SdlKeyboard>(*this, *sdlWindow);
}

// SDL's clock.
PlatformClock& SdlPlatform::Clock() {
  return *clock_;
}

// Hands every waiting event to the input devices; a quit or window close request makes the result false.
bool SdlPlatform::PumpEvents() {
  // A termination asked for from outside ends the loop like the window's close box.
  if (zelmar::QuitRequested()) return false;
  if (!video_) return true;
  bool keepRunning = true;
  // One pump, then everything queued (SDL_PollEvent would stop at its poll marker and leave events pushed
  // since the last pump for the next pass).
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    if (event.type == SDL_QUIT) keepRunning = false;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) keepRunning = false;
    if (event.type == SDL_WINDOWEVENT) {
      if (SdlWindow* window = SdlWindow::Of(event.window.windowID)) window->HandleWindowEvent(event.window);
    }
    for (SdlMouse* mouse : mice_) mouse->HandleEvent(event);
    for (SdlKeyboard* keyboard : keyboards_) keyboard->HandleEvent(event);
  }
  for (SdlMouse* mouse : mice_) mouse->UpdatePointerMode();
  return keepRunning;
}

// Sleeps until an event arrives or the time is up.
void SdlPlatform::WaitEvents(int milliseconds) {
  if (!video_) {
    SDL_Delay(static_cast<std::uint32_t>(milliseconds));
    return;
  }
  SDL_WaitEventTimeout(nullptr, milliseconds);
}

// SDL passes the name on where the desktop shows one (the sound server's list of programs, the window class).
void SdlPlatform::SetApplicationName(std::string_view name) {
  SDL_SetHint(SDL_HINT_APP_NAME, std::string(name).c_str());
}

// Input devices join and leave the list that hears the events.
void SdlPlatform::Attach(SdlMouse* mouse) {
  mice_.push_back(mouse);
}
void SdlPlatform::Detach(SdlMouse* mouse) {
  mice_.erase(std::remove(mice_.begin(), mice_.end(), mouse), mice_.end());
}
void SdlPlatform::Attach(SdlKeyboard* keyboard) {
  keyboards_.push_back(keyboard);
}
void SdlPlatform::Detach(SdlKeyboard* keyboard) {
  keyboards_.erase(std::remove(keyboards_.begin(), keyboards_.end(), keyboard), keyboards_.end());
}

}  // namespace zelmar::platform
