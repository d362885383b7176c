// The mouse as the game reads it: relative motion and button events gathered per poll.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "framework/Component.h"
#include "framework/platform/PlatformInput.h"

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
  // Reads the events since the last poll into DeltaX, DeltaY, Pressed and Released.
  bool Update();

  bool Pressed(int button) const;
  bool Released(int button) const;
  int DeltaX() const { return deltaX_; }
  int DeltaY() const { return deltaY_; }
  bool Initialized() const { return initialized_; }

  // Settings, changed only while the mouse is not initialized.
  bool Foreground() const { return foreground_; }
  void SetForeground(bool value) { if (!initialized_) foreground_ = value; }
  int BufferSize() const { return bufferSize_; }
  void SetBufferSize(int value) { if (!initialized_) bufferSize_ = value; }
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool value) { if (!initialized_) exclusive_ = value; }
  bool ClearOnUpdate() const { return clearOnUpdate_; }
  void SetClearOnUpdate(bool value) { clearOnUpdate_ = value; }

 private:
  void HandleEvent(const platform::MouseEvent& event);
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
};
