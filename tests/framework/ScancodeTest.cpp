#include <gtest/gtest.h>

#include <map>

#include "framework/platform/SdlScancodes.h"

namespace zelmar {

namespace {

using platform::ScanCodeOf;

TEST(ScancodeTest, GameKeysHaveTheirSetOneCodes) {
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_ESCAPE), 1);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_1), 2);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_4), 5);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_0), 11);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_UP), 200);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_DOWN), 208);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_LEFT), 203);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_RIGHT), 205);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_KP_ENTER), 0x9C);  // extended twin of Return
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_RCTRL), 0x9D);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_KP_DIVIDE), 0xB5);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_F12), 0x58);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_LGUI), 0xDB);
  EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(ScanCodeOf(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 5)), 0);
}

// Every key of a full-size PC keyboard has a code, and no two keys share one.
TEST(ScancodeTest, EveryPcKeyHasItsOwnCode) {
  std::vector<SDL_Scancode> keys;
  for (int k = SDL_SCANCODE_A; k <= SDL_SCANCODE_KP_PERIOD; ++k) keys.push_back(static_cast<SDL_Scancode>(k));
  for (int k = SDL_SCANCODE_LCTRL; k <= SDL_SCANCODE_RGUI; ++k) keys.push_back(static_cast<SDL_Scancode>(k));
  keys.push_back(SDL_SCANCODE_NONUSBACKSLASH);
  keys.push_back(SDL_SCANCODE_APPLICATION);
  std::map<int, SDL_Scancode> seen;
  for (SDL_Scancode key : keys) {
    if (key == SDL_SCANCODE_NONUSHASH) continue;  // the ISO key in the backslash position shares its code
    const int code = ScanCodeOf(key);
    EXPECT_NE(code, 0) << SDL_GetScancodeName(key);
    const auto [it, fresh] = seen.emplace(code, key);
    EXPECT_TRUE(fresh) << SDL_GetScancodeName(key) << " and " << SDL_GetScancodeName(it->second) << " share "
                       << code;
  }
  EXPECT_GE(seen.size(), 104u);
}

}  // namespace

}  // namespace zelmar
