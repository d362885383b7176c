// The keyboard component as the screens' key handlers read it.
#pragma once

#include "framework/GfxKeyboard.h"
#include "scene/SceneKeys.h"

namespace zelmar::scene {

class TKeyboardKeys : public TSceneKeys {
 public:
  explicit TKeyboardKeys(const TGfxKeyboard& keyboard) : keyboard_(keyboard) {}
  bool Held(int key) const override { return keyboard_.KeyDown(key); }
  bool Pressed(int key) const override { return keyboard_.KeyPressed(key); }

 private:
  const TGfxKeyboard& keyboard_;
};

}  // namespace zelmar::scene
