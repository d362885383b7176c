// The game's platform: SDL2 windows, events and time, OpenGL 3.3 core graphics, and mouse and keyboard
// read from the window's events.
#pragma once

#include <memory>
#include <vector>

#include "framework/platform/Platform.h"

namespace zelmar::platform {

class SdlWindow;
class SdlMouse;
class SdlKeyboard;

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  // Whether SDL's video part started (false without a display; windows and graphics then fail).
  bool VideoAvailable() const { return video_; }

  std::unique_ptr<PlatformWindow> CreateWindow(const WindowSettings& settings) override;
  std::unique_ptr<GfxApi> CreateGfxApi() override;
  std::unique_ptr<PlatformMouse> CreateMouse(PlatformWindow& window) override;
  std::unique_ptr<PlatformKeyboard> CreateKeyboard(PlatformWindow& window) override;
  PlatformClock& Clock() override;
  bool PumpEvents() override;
  void WaitEvents(int milliseconds) override;
  void SetApplicationName(std::string_view name) override;

  // Input devices register here to receive their window's events.
  void Attach(SdlMouse* mouse);
  void Detach(SdlMouse* mouse);
  void Attach(SdlKeyboard* keyboard);
  void Detach(SdlKeyboard* keyboard);

 private:
  class Clock_;
  bool video_ = false;
  std::unique_ptr<PlatformClock> clock_;
  std::vector<SdlMouse*> mice_;
  std::vector<SdlKeyboard*> keyboards_;
};

}  // namespace zelmar::platform
