// The mouse as the game reads it: relative motion and button events gathered per poll, and in a window
// where the pointer stands over the picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "framework/Component.h"
#include "framework/platform/PlatformInput.h"

namespace zelmar {

class TForm;

// Raised when an input component is not created on a form.
class EInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TGfxMouse : public TComponent {
 public:
  // Throws EInputError unless `owner` is a form.
  explicit TGfxMouse(TComponent* owner);
  ~TGfxMouse() override;

  bool Initialize();
  void Finalize();
  // Reads the events since the last poll into DeltaX, DeltaY, Pressed and Released, and the pointer's
  // position; a poll ends with a button going down, and the events after it are read by the next poll.
  bool Update();

  // A button-down event arrived (with ClearOnUpdate: in the last poll, even when its release follows in the
  // next one, so that a quick click is a click).
  bool Pressed(int button) const;
  bool Released(int button) const;
  int DeltaX() const { return deltaX_; }
  int DeltaY() const { return deltaY_; }
  // Where the pointer stood over the window at the last event the last Update read, in back-buffer pixels;
  // PointerKnown is
  // false in full screen (relative motion only) and before the pointer was first seen over the window.
  bool PointerKnown() const { return pointerKnown_; }
  int PointerX() const { return pointerX_; }
  int PointerY() const { return pointerY_; }
  bool Initialized() const { return initialized_; }

  // Settings, changed only while the mouse is not initialized.
  bool Foreground() const { return foreground_; }
  void SetForeground(bool value) {
    if (!initialized_) foreground_ = value;
  }
  int BufferSize() const { return bufferSize_; }
  void SetBufferSize(int value) {
    if (!initialized_) bufferSize_ = value;
  }
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool value) {
    if (!initialized_) exclusive_ = value;
  }
  bool ClearOnUpdate() const { return clearOnUpdate_; }
  void SetClearOnUpdate(bool value) { clearOnUpdate_ = value; }

 private:
  bool HandleEvent(const platform::MouseEvent& event);
  void ClearFlags();

  TForm* form_;
  std::unique_ptr<platform::PlatformMouse> device_;
  bool initialized_ = false;
  bool foreground_ = true;
  int bufferSize_ = 256;
  bool exclusive_ = true;
  bool clearOnUpdate_ = false;
  int deltaX_ = 0;
  int deltaY_ = 0;
  std::array<bool, 8> pressed_{};
  std::array<bool, 8> released_{};
  std::array<bool, 8> down_{};          // the button's state after its latest event
  std::array<bool, 8> downThisPoll_{};  // a button-down event arrived in the current poll
  bool pointerKnown_ = false;
  int pointerX_ = 0, pointerY_ = 0;
};

}  // namespace zelmar
