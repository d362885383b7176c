// The keyboard as the game reads it: a 256-entry state table indexed by PC set-1 scan code (0x80 added for
// extended keys), kept for the last two polls.
#pragma once

#include <memory>

#include "framework/Component.h"
#include "framework/GfxMouse.h"
#include "framework/platform/PlatformInput.h"

namespace zelmar {

class TGfxKeyboard : public TComponent {
 public:
  // Throws EInputError unless `owner` is a form.
  explicit TGfxKeyboard(TComponent* owner);
  ~TGfxKeyboard() override;

  bool Initialize();
  void Finalize();
  // Keeps the current table as the previous one and reads the keyboard's state.
  bool Update();

  // Whether the key is down.
  bool KeyDown(int key) const;
  // Whether the key went down between the last two updates.
  bool KeyPressed(int key) const;
  bool Initialized() const { return initialized_; }

  bool Foreground() const { return foreground_; }
  void SetForeground(bool value) {
    if (!initialized_) foreground_ = value;
  }

 private:
  TForm* form_;
  std::unique_ptr<platform::PlatformKeyboard> device_;
  bool initialized_ = false;
  bool foreground_ = true;
  platform::KeyStateTable current_{};
  platform::KeyStateTable previous_{};
};

}  // namespace zelmar
