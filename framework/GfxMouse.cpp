#include "framework/GfxMouse.h"

#include "framework/Form.h"

namespace zelmar {

using platform::InputResult;
using platform::InputSucceeded;

// Joins the owner, which must be a form.
TGfxMouse::TGfxMouse(TComponent* owner) : TComponent(owner), form_(dynamic_cast<TForm*>(owner)) {
  if (!form_) throw EInputError("This component must be dropped onto the form!");
}

// Lets go of the mouse.
TGfxMouse::~TGfxMouse() {
  Finalize();
}

// Opens the system mouse on the form's window with the cooperation and buffer size set; any failing step
// releases the device.
bool TGfxMouse::Initialize() {
  if (initialized_) return false;
  platform::PlatformWindow* window = form_->Window();
  if (!window) return false;
  device_ = form_->Application().Platform().CreateMouse(*window);
  if (!device_ || device_->SetCooperativeLevel(foreground_, exclusive_) != InputResult::Ok ||
      device_->SetBufferSize(static_cast<std::uint32_t>(bufferSize_ < 0 ? 0 : bufferSize_)) !=
          InputResult::Ok) {
    device_.reset();
    return false;
  }
  ClearFlags();
  down_.fill(false);
  pointerKnown_ = false;
  initialized_ = true;
  return true;
}

// Lets go of the system mouse.
void TGfxMouse::Finalize() {
  if (device_) {
    device_->Unacquire();
    device_.reset();
  }
  initialized_ = false;
}

// 1. Opens the mouse on first use. 2. Starts the deltas (and with ClearOnUpdate the flags) afresh; without
// it Pressed goes back to the button's state. 3. Reads the buffered events one by one, acquiring the device
// when it has lost access, up to and including a button going down: what came after it waits for the next
// poll, so a click counts where the cursor was when the button went down, not after motion that followed it
// before the poll. 4. Reads where the pointer stood at the last event read.
bool TGfxMouse::Update() {
  if (!initialized_ && !Initialize()) return false;
  deltaX_ = 0;
  deltaY_ = 0;
  if (clearOnUpdate_) {
    ClearFlags();
  } else {
    pressed_ = down_;
  }
  downThisPoll_.fill(false);
  for (;;) {
    platform::MouseEvent event;
    bool got = false;
    InputResult result = device_->GetEvent(event, got);
    if (result == InputResult::InputLost || result == InputResult::NotAcquired) {
      if (device_->Acquire() != InputResult::Ok) return false;
      result = device_->GetEvent(event, got);
      if (!InputSucceeded(result)) return false;
    }
    if (!InputSucceeded(result)) return false;
    if (!got) break;
    if (HandleEvent(event)) break;
  }
  pointerKnown_ = device_->PointerPosition(pointerX_, pointerY_);
  return true;
}

// Adds a motion to the deltas or records a button going down or up (a release keeps Pressed when the
// press came in the same poll); the wheel is ignored. True for a button going down.
bool TGfxMouse::HandleEvent(const platform::MouseEvent& event) {
  if (event.Offset == platform::kMouseOffsetX) {
    deltaX_ += event.Data;
  } else if (event.Offset == platform::kMouseOffsetY) {
    deltaY_ += event.Data;
  } else if (event.Offset >= platform::kMouseOffsetButton0 &&
             event.Offset < platform::kMouseOffsetButton0 + 8) {
    const std::size_t button = event.Offset - platform::kMouseOffsetButton0;
    const bool down = (event.Data & 0x80) != 0;
    down_[button] = down;
    if (down) downThisPoll_[button] = true;
    pressed_[button] = downThisPoll_[button];
    released_[button] = !down;
    return down;
  }
  return false;
}

// Clears the pressed and released flags of every button.
void TGfxMouse::ClearFlags() {
  pressed_.fill(false);
  released_.fill(false);
}

// Whether a button-down event of the button arrived; false for buttons outside 0–7.
bool TGfxMouse::Pressed(int button) const {
  return button >= 0 && button < 8 && pressed_[static_cast<std::size_t>(button)];
}

// Whether a button-up event of the button arrived; false for buttons outside 0–7.
bool TGfxMouse::Released(int button) const {
  return button >= 0 && button < 8 && released_[static_cast<std::size_t>(button)];
}

}  // namespace zelmar
