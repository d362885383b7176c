// The system mouse and keyboard as the input components poll them: buffered mouse events and the state
// table of the keyboard, both acquired per window.
#pragma once

#include <array>
#include <cstdint>

namespace zelmar::platform {

// Result of an input call.
enum class InputResult {
  Ok,
  BufferOverflow,  // succeeded, but events were dropped since the last read
  InputLost,       // access was lost (focus change); acquire again
  NotAcquired,     // the device is not acquired; acquire it
  Failed,
};

// Whether an input call succeeded (an overflow still delivers the events that fit).
inline bool InputSucceeded(InputResult result) {
  return result == InputResult::Ok || result == InputResult::BufferOverflow;
}

// Offsets naming what a mouse event describes.
constexpr std::uint32_t kMouseOffsetX = 0;
constexpr std::uint32_t kMouseOffsetY = 4;
constexpr std::uint32_t kMouseOffsetWheel = 8;
constexpr std::uint32_t kMouseOffsetButton0 = 12;  // buttons 0–7 at 12–19

// One buffered mouse event: relative motion in back-buffer pixels on an axis, or a button change (bit 7 of
// Data set when the button went down).
struct MouseEvent {
  std::uint32_t Offset = 0;
  std::int32_t Data = 0;
  std::uint32_t TimeStamp = 0;  // milliseconds
  std::uint32_t Sequence = 0;
};

class PlatformMouse {
 public:
  virtual ~PlatformMouse() = default;
  // Foreground: events only while the window has the focus. Exclusive: the system pointer is hidden over
  // the window (and in full screen the pointer is held in relative mode).
  virtual InputResult SetCooperativeLevel(bool foreground, bool exclusive) = 0;
  // How many events are kept between two reads.
  virtual InputResult SetBufferSize(std::uint32_t events) = 0;
  virtual InputResult Acquire() = 0;
  virtual InputResult Unacquire() = 0;
  // Takes the oldest buffered event; `got` is false when there is none.
  virtual InputResult GetEvent(MouseEvent& event, bool& got) = 0;
  // Where the pointer was over the window at the last event taken by GetEvent, or where it was last seen
  // once every buffered event has been taken, in back-buffer pixels (the picture's own scaling undone; a
  // point beside the picture lies outside the back buffer). False while the pointer is held in relative mode
  // (full screen) or has not been seen over the window yet.
  virtual bool PointerPosition(int& x, int& y) = 0;
};

// Keyboard state table: indexed by PC set-1 scan code (0x80 added for extended keys), bit 7 set when down.
using KeyStateTable = std::array<std::uint8_t, 256>;

class PlatformKeyboard {
 public:
  virtual ~PlatformKeyboard() = default;
  virtual InputResult SetCooperativeLevel(bool foreground) = 0;
  virtual InputResult Acquire() = 0;
  virtual InputResult Unacquire() = 0;
  virtual InputResult GetState(KeyStateTable& state) = 0;
};

}  // namespace zelmar::platform
