// The keyboard as one logic tick reads it, by PC set-1 scan code.
#pragma once

namespace zelmar::scene {

inline constexpr int kKeyEscape = 1;
inline constexpr int kKey1 = 2, kKey2 = 3, kKey3 = 4, kKey4 = 5, kKey5 = 6;
inline constexpr int kKeyH = 35;
inline constexpr int kKeyEnter = 28, kKeySpace = 57, kKeyF11 = 87;
inline constexpr int kKeyUp = 200, kKeyDown = 208, kKeyLeft = 203, kKeyRight = 205;

class TSceneKeys {
 public:
  virtual ~TSceneKeys() = default;
  // Down now.
  virtual bool Held(int key) const = 0;
  // Down now and up at the previous update.
  virtual bool Pressed(int key) const = 0;
};

}  // namespace zelmar::scene
