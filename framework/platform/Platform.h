// One platform: the window, graphics, input, time and event source the framework runs on. The game uses
// SdlPlatform (SDL2 and OpenGL 3.3 core); the logic tests use TestPlatform, which needs no display.
#pragma once

#include <memory>
#include <string_view>

#include "framework/platform/GfxApi.h"
#include "framework/platform/PlatformClock.h"
#include "framework/platform/PlatformInput.h"
#include "framework/platform/PlatformWindow.h"

namespace zelmar::platform {

class Platform {
 public:
  virtual ~Platform() = default;

  // Opens a window (hidden until Show). Null when the platform has no display.
  virtual std::unique_ptr<PlatformWindow> CreateWindow(const WindowSettings& settings) = 0;
  // The graphics entry object; null when graphics are not available.
  virtual std::unique_ptr<GfxApi> CreateGfxApi() = 0;
  // Input devices reading the events that reach `window`; null on failure.
  virtual std::unique_ptr<PlatformMouse> CreateMouse(PlatformWindow& window) = 0;
  virtual std::unique_ptr<PlatformKeyboard> CreateKeyboard(PlatformWindow& window) = 0;
  virtual PlatformClock& Clock() = 0;
  // Handles every waiting event; returns false when the user asked to close the window.
  virtual bool PumpEvents() = 0;
  // Waits up to `milliseconds` for an event to arrive.
  virtual void WaitEvents(int milliseconds) = 0;
  // The program's name as the desktop shows it; platforms that show none ignore it.
  virtual void SetApplicationName(std::string_view name) { static_cast<void>(name); }
};

}  // namespace zelmar::platform
