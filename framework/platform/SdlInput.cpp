#include "framework/platform/SdlInput.h"

#include <cmath>

#include "framework/platform/SdlPlatform.h"
#include "framework/platform/SdlScancodes.h"
#include "framework/platform/SdlWindow.h"

namespace zelmar::platform {

namespace {

// The button number of an SDL button: left 0, right 1, middle 2, then the side buttons; −1 beyond 7.
int ButtonNumber(std::uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return button >= 4 && button <= 8 ? button - 1 : -1;
  }
}

// Whether an event belongs to the window with the given id.
std::uint32_t WindowOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_MOUSEWHEEL:
      return event.wheel.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    default:
      return 0;
  }
}

}  // namespace

// Joins the platform's list of event listeners; a pointer already over the window is seen at once.
SdlMouse::SdlMouse(SdlPlatform& platform, SdlWindow& window) : platform_(platform), window_(window) {
  platform_.Attach(this);
  if (SDL_GetMouseFocus() == window_.Handle()) {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    SeePointer(x, y);
  }
}

// Releases the pointer and leaves the list.
SdlMouse::~SdlMouse() {
  Unacquire();
  platform_.Detach(this);
}

// Sets the cooperation; only while not acquired.
InputResult SdlMouse::SetCooperativeLevel(bool foreground, bool exclusive) {
  if (acquired_) return InputResult::Failed;
  foreground_ = foreground;
  exclusive_ = exclusive;
  return InputResult::Ok;
}

// Sets how many events are kept; only while not acquired.
InputResult SdlMouse::SetBufferSize(std::uint32_t events) {
  if (acquired_) return InputResult::Failed;
  capacity_ = events;
  return InputResult::Ok;
}

// Starts buffering; a foreground mouse can be acquired only while its window has the focus. An exclusive
// mouse hides the system pointer over the window.
InputResult SdlMouse::Acquire() {
  if (foreground_ && !window_.HasFocus()) return InputResult::Failed;
  acquired_ = true;
  lost_ = false;
  if (exclusive_) window_.SetCursorVisible(false);
  UpdatePointerMode();
  return InputResult::Ok;
}

// Stops buffering and drops what was buffered.
InputResult SdlMouse::Unacquire() {
  acquired_ = false;
  events_.clear();
  UpdatePointerMode();
  return InputResult::Ok;
}

// Hands out the oldest event; reports a lost or missing acquisition, and an overflow once.
InputResult SdlMouse::GetEvent(MouseEvent& event, bool& got) {
  got = false;
  if (!acquired_) return lost_ ? InputResult::InputLost : InputResult::NotAcquired;
  const bool overflow = overflow_;
  overflow_ = false;
  if (!events_.empty()) {
    event = events_.front().Event;
    takenX_ = events_.front().PointerX;
    takenY_ = events_.front().PointerY;
    events_.pop_front();
    got = true;
  }
  return overflow ? InputResult::BufferOverflow : InputResult::Ok;
}

// The pointer's position at the last event handed out (the last seen one when none waits) mapped through
// the picture's rectangle onto the back buffer; none while the pointer is held in relative mode, where only
// its motion counts.
bool SdlMouse::PointerPosition(int& x, int& y) {
  if (!pointerSeen_ || relative_ || window_.FullScreen()) return false;
  const int pointerX = events_.empty() ? pointerX_ : takenX_;
  const int pointerY = events_.empty() ? pointerY_ : takenY_;
  const PresentArea& area = window_.Area();
  const double scaleX = area.Width > 0 ? static_cast<double>(area.BackBufferWidth) / area.Width : 1.0;
  const double scaleY = area.Height > 0 ? static_cast<double>(area.BackBufferHeight) / area.Height : 1.0;
  x = static_cast<int>(std::floor((pointerX - area.Left) * scaleX));
  y = static_cast<int>(std::floor((pointerY - area.Top) * scaleY));
  return true;
}

// Remembers where the pointer is over the window, in window pixels.
void SdlMouse::SeePointer(int x, int y) {
  pointerSeen_ = true;
  pointerX_ = x;
  pointerY_ = y;
}

// Relative mode lets the pointer move without end in full screen; in a window the pointer is never held.
void SdlMouse::UpdatePointerMode() {
  const bool relative = acquired_ && exclusive_ && window_.FullScreen() && window_.HasFocus();
  if (relative == relative_) return;
  relative_ = relative;
  SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
}

// Appends an event; a full buffer drops it and remembers the overflow.
void SdlMouse::Push(std::uint32_t offset, std::int32_t data, std::uint32_t time) {
  if (events_.size() >= capacity_) {
    overflow_ = true;
    return;
  }
  events_.push_back({{offset, data, time, sequence_++}, pointerX_, pointerY_});
}

// Scales a motion from window pixels to back-buffer pixels, carrying the fractions to the next motion.
void SdlMouse::Motion(int dx, int dy, std::uint32_t time) {
  const PresentArea& area = window_.Area();
  const double scaleX = area.Width > 0 ? static_cast<double>(area.BackBufferWidth) / area.Width : 1.0;
  const double scaleY = area.Height > 0 ? static_cast<double>(area.BackBufferHeight) / area.Height : 1.0;
  restX_ += dx * scaleX;
  restY_ += dy * scaleY;
  const double wholeX = std::trunc(restX_), wholeY = std::trunc(restY_);
  restX_ -= wholeX;
  restY_ -= wholeY;
  if (wholeX != 0) Push(kMouseOffsetX, static_cast<std::int32_t>(wholeX), time);
  if (wholeY != 0) Push(kMouseOffsetY, static_cast<std::int32_t>(wholeY), time);
}

// Follows the pointer over the window; buffers the window's motion, button and wheel events while
// acquired; a foreground mouse loses its acquisition with the focus.
void SdlMouse::HandleEvent(const SDL_Event& event) {
  if (WindowOf(event) != window_.Id()) return;
  if (event.type == SDL_WINDOWEVENT) {
    if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && foreground_ && acquired_) {
      Unacquire();
      lost_ = true;
    }
    UpdatePointerMode();
    return;
  }
  if (event.type == SDL_MOUSEMOTION) SeePointer(event.motion.x, event.motion.y);
  if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP)
    SeePointer(event.button.x, event.button.y);
  if (!acquired_) return;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      Motion(event.motion.xrel, event.motion.yrel, event.motion.timestamp);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int button = ButtonNumber(event.button.button);
      if (button >= 0) {
        Push(kMouseOffsetButton0 + static_cast<std::uint32_t>(button),
             event.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0, event.button.timestamp);
      }
      break;
    }
    case SDL_MOUSEWHEEL:
      Push(kMouseOffsetWheel, event.wheel.y * 120, event.wheel.timestamp);
      break;
    default:
      break;
  }
}

// Joins the platform's list of event listeners.
SdlKeyboard::SdlKeyboard(SdlPlatform& platform, SdlWindow& window) : platform_(platform), window_(window) {
  platform_.Attach(this);
}

// Leaves the list.
SdlKeyboard::~SdlKeyboard() {
  platform_.Detach(this);
}

// Sets the cooperation; only while not acquired.
InputResult SdlKeyboard::SetCooperativeLevel(bool foreground) {
  if (acquired_) return InputResult::Failed;
  foreground_ = foreground;
  return InputResult::Ok;
}

// A foreground keyboard can be acquired only while its window has the focus.
InputResult SdlKeyboard::Acquire() {
  if (foreground_ && !window_.HasFocus()) return InputResult::Failed;
  acquired_ = true;
  lost_ = false;
  return InputResult::Ok;
}

// Stops reporting the state.
InputResult SdlKeyboard::Unacquire() {
  acquired_ = false;
  return InputResult::Ok;
}

// Copies the key table while acquired; a key that went down and up again since the last read shows as
// down this once, so that a quick tap is not lost between two reads.
InputResult SdlKeyboard::GetState(KeyStateTable& state) {
  if (!acquired_) return lost_ ? InputResult::InputLost : InputResult::NotAcquired;
  for (std::size_t key = 0; key < state.size(); ++key)
    state[key] = static_cast<std::uint8_t>(keys_[key] | latched_[key]);
  latched_.fill(0);
  return InputResult::Ok;
}

// Marks keys down and up by their set-1 codes (a key going down is also latched until the next read); leaving
// the window releases every key.
void SdlKeyboard::HandleEvent(const SDL_Event& event) {
  if (WindowOf(event) != window_.Id()) return;
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
    keys_.fill(0);
    latched_.fill(0);
    if (foreground_ && acquired_) {
      acquired_ = false;
      lost_ = true;
    }
    return;
  }
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return;
  const std::uint8_t code = ScanCodeOf(event.key.keysym.scancode);
  if (code == 0) return;
  keys_[code] = event.type == SDL_KEYDOWN ? 0x80 : 0;
  if (event.type == SDL_KEYDOWN) latched_[code] = 0x80;
}

}  // namespace zelmar::platform
