// The game's top-level window as the platform shows it. Sizes are in window pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelmar::platform {

struct WindowSettings {
  std::string Title;
  int ClientWidth = 1024;
  int ClientHeight = 768;
  bool Resizable = false;
  bool AlwaysOnTop = false;
};

class PlatformWindow {
 public:
  virtual ~PlatformWindow() = default;

  virtual void SetTitle(std::string_view title) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Maximize() = 0;
  virtual void Restore() = 0;
  virtual bool IsMaximized() const = 0;
  // Size of the drawable inside the frame.
  virtual void ClientSize(int& width, int& height) const = 0;
  virtual void SetClientSize(int width, int height) = 0;
  // Size with the frame and title bar.
  virtual void OuterSize(int& width, int& height) const = 0;
  // Top-left corner of the outer window on the desktop.
  virtual void Position(int& left, int& top) const = 0;
  virtual void SetPosition(int left, int top) = 0;
  // Places the window in the middle of its screen.
  virtual void Center() = 0;
  // Size of the screen (the desktop) the window is on.
  virtual void ScreenSize(int& width, int& height) const = 0;
  virtual void SetAlwaysOnTop(bool onTop) = 0;
  // Shows or hides the system pointer while it is over the window (the game draws its own cursor).
  virtual void SetCursorVisible(bool visible) = 0;
  // Whether the window has the keyboard focus.
  virtual bool HasFocus() const = 0;
  // A modal error box with one OK button.
  virtual void ShowError(std::string_view title, std::string_view text) = 0;
  // Whether nothing of the window can be seen (minimised or hidden): a picture drawn now would show nowhere.
  virtual bool IsHidden() const = 0;
  // A count that grows each time what the window shows may have been lost or scaled anew (exposed, resized,
  // shown, restored, maximised); a frame presented before the count last changed must be presented again.
  virtual std::uint32_t Exposures() const = 0;
  // The picture the desktop shows for the window (task bar, window switcher): `side` x `side` pixels of
  // 8-bit red, green, blue and alpha, row by row from the top.
  virtual void SetIcon(std::span<const std::uint8_t> rgba, int side) = 0;
};

}  // namespace zelmar::platform
