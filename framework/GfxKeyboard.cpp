#include "framework/GfxKeyboard.h"

#include "framework/Form.h"

namespace zelmar {

using platform::InputResult;

// Joins the owner, which must be a form.
TGfxKeyboard::TGfxKeyboard(TComponent* owner) : TComponent(owner), form_(dynamic_cast<TForm*>(owner)) {
  if (!form_) throw EInputError("TGfxKeyboard: This component must be dropped onto the form!");
}

// Lets go of the keyboard.
TGfxKeyboard::~TGfxKeyboard() {
  Finalize();
}

// Opens the system keyboard on the form's window, never exclusively, with both tables zeroed.
bool TGfxKeyboard::Initialize() {
  if (initialized_) return false;
  platform::PlatformWindow* window = form_->Window();
  if (!window) return false;
  device_ = form_->Application().Platform().CreateKeyboard(*window);
  if (!device_ || device_->SetCooperativeLevel(foreground_) != InputResult::Ok) {
    device_.reset();
    return false;
  }
  current_.fill(0);
  previous_.fill(0);
  initialized_ = true;
  return true;
}

// Lets go of the system keyboard.
void TGfxKeyboard::Finalize() {
  if (device_) {
    device_->Unacquire();
    device_.reset();
  }
  initialized_ = false;
}

// Keeps the current table as the previous one and reads the state, acquiring the keyboard when it has lost
// access.
bool TGfxKeyboard::Update() {
  if (!initialized_ && !Initialize()) return false;
  previous_ = current_;
  const InputResult result = device_->GetState(current_);
  if (result == InputResult::Ok) return true;
  if (result == InputResult::InputLost || result == InputResult::NotAcquired) {
    if (device_->Acquire() != InputResult::Ok) return false;
    return device_->GetState(current_) == InputResult::Ok;
  }
  return false;
}

// Bit 7 of the key's current entry; false for codes outside the table.
bool TGfxKeyboard::KeyDown(int key) const {
  return key >= 0 && key < 256 && (current_[static_cast<std::size_t>(key)] & 0x80) != 0;
}

// Down now and up at the update before.
bool TGfxKeyboard::KeyPressed(int key) const {
  return KeyDown(key) && (previous_[static_cast<std::size_t>(key)] & 0x80) == 0;
}

}  // namespace zelmar
