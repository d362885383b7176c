// Mouse and keyboard fed from the SDL events of one window.
#pragma once

#include <SDL.h>

#include <deque>

#include "framework/platform/PlatformInput.h"

namespace zelmar::platform {

class SdlPlatform;
class SdlWindow;

// Buffers motion (scaled from window pixels to back-buffer pixels) and button changes while acquired.
class SdlMouse : public PlatformMouse {
 public:
  SdlMouse(SdlPlatform& platform, SdlWindow& window);
  ~SdlMouse() override;

  InputResult SetCooperativeLevel(bool foreground, bool exclusive) override;
  InputResult SetBufferSize(std::uint32_t events) override;
  InputResult Acquire() override;
  InputResult Unacquire() override;
  InputResult GetEvent(MouseEvent& event, bool& got) override;
  bool PointerPosition(int& x, int& y) override;

  // Takes one SDL event of any window (events of other windows are ignored).
  void HandleEvent(const SDL_Event& event);
  // Keeps relative pointer mode on exactly while acquired, exclusive, focused and full screen.
  void UpdatePointerMode();

 private:
  void Push(std::uint32_t offset, std::int32_t data, std::uint32_t time);
  void Motion(int dx, int dy, std::uint32_t time);
  void SeePointer(int x, int y);

  SdlPlatform& platform_;
  SdlWindow& window_;
  bool foreground_ = true;
  bool exclusive_ = false;
  bool acquired_ = false;
  bool lost_ = false;
  bool overflow_ = false;
  bool relative_ = false;
  std::uint32_t capacity_ = 0;
  std::uint32_t sequence_ = 0;
  double restX_ = 0, restY_ = 0;  // fractions of back-buffer pixels not yet reported
  bool pointerSeen_ = false;
  int pointerX_ = 0, pointerY_ = 0;  // the pointer's last position over the window, window pixels
  int takenX_ = 0, takenY_ = 0;      // its position at the last event GetEvent handed out
  // A buffered event with the pointer's position when it arrived.
  struct Buffered {
    MouseEvent Event;
    int PointerX, PointerY;
  };
  std::deque<Buffered> events_;
};

// Keeps the key table from the window's key events.
class SdlKeyboard : public PlatformKeyboard {
 public:
  SdlKeyboard(SdlPlatform& platform, SdlWindow& window);
  ~SdlKeyboard() override;

  InputResult SetCooperativeLevel(bool foreground) override;
  InputResult Acquire() override;
  InputResult Unacquire() override;
  InputResult GetState(KeyStateTable& state) override;

  void HandleEvent(const SDL_Event& event);

 private:
  SdlPlatform& platform_;
  SdlWindow& window_;
  bool foreground_ = true;
  bool acquired_ = false;
  bool lost_ = false;
  KeyStateTable keys_{};
  KeyStateTable latched_{};  // keys that went down since the last read, so a quick tap is seen once
};

}  // namespace zelmar::platform
