// An SDL window with an OpenGL drawable; it knows where the back buffer is shown inside it, so that pointer
// motion can be turned into back-buffer pixels.
#pragma once

#include <SDL.h>

#include "framework/platform/PlatformWindow.h"

namespace zelmar::platform {

// Where the back buffer appears in the window: its size and the rectangle (window coordinates) it fills.
struct PresentArea {
  int BackBufferWidth = 0, BackBufferHeight = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

class SdlWindow : public PlatformWindow {
 public:
  explicit SdlWindow(SDL_Window* window);
  ~SdlWindow() override;

  SDL_Window* Handle() const { return window_; }
  std::uint32_t Id() const { return SDL_GetWindowID(window_); }
  // Whether the game made the window full screen. A compositor that shows every window full screen (a
  // kiosk shell) does not make it so: the game still runs in its window, and its pointer is not held.
  bool FullScreen() const { return fullScreen_; }
  // Makes the window a desktop-sized full-screen window, or a window again.
  void SetFullScreen(bool fullScreen);
  const PresentArea& Area() const { return area_; }
  void SetArea(const PresentArea& area) { area_ = area; }

  void SetTitle(std::string_view title) override;
  void Show() override { SDL_ShowWindow(window_); }
  void Hide() override { SDL_HideWindow(window_); }
  void Maximize() override { SDL_MaximizeWindow(window_); }
  void Restore() override { SDL_RestoreWindow(window_); }
  bool IsMaximized() const override { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0; }
  void ClientSize(int& width, int& height) const override { SDL_GetWindowSize(window_, &width, &height); }
  void SetClientSize(int width, int height) override { SDL_SetWindowSize(window_, width, height); }
  void OuterSize(int& width, int& height) const override;
  void Position(int& left, int& top) const override;
  void SetPosition(int left, int top) override;
  void Center() override;
  void ScreenSize(int& width, int& height) const override;
  void SetAlwaysOnTop(bool onTop) override {
    SDL_SetWindowAlwaysOnTop(window_, onTop ? SDL_TRUE : SDL_FALSE);
  }
  void SetCursorVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
  bool HasFocus() const override { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0; }
  void ShowError(std::string_view title, std::string_view text) override;
  bool IsHidden() const override {
    return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0;
  }
  std::uint32_t Exposures() const override { return exposures_; }
  void SetIcon(std::span<const std::uint8_t> rgba, int side) override;

  // The SdlWindow of an SDL window made by SdlPlatform, or null.
  static SdlWindow* Of(std::uint32_t windowId);
  // Counts the window events after which the contents must be presented again.
  void HandleWindowEvent(const SDL_WindowEvent& event);

 private:
  void Borders(int& top, int& left, int& bottom, int& right) const;

  SDL_Window* window_;
  PresentArea area_;
  bool fullScreen_ = false;
  std::uint32_t exposures_ = 0;
};

}  // namespace zelmar::platform
