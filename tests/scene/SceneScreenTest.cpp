// The game window's screen arithmetic: full-screen layouts, the window size keys and the cursor.
#include <gtest/gtest.h>

#include "scene/SceneScreen.h"

namespace zelmar::scene {
namespace {

TEST(SceneScreenTest, FullScreenLayouts) {
  // 1280 x 1024: the back buffer takes the screen and the scene sits in its middle ...
  EXPECT_EQ(FullScreenLayout(1280, 1024, false), (TScreenLayout{1280, 1024, 128, 128}));
  // ... unless Maximized, which keeps the logical size (the picture is stretched onto the screen).
  EXPECT_EQ(FullScreenLayout(1280, 1024, true), (TScreenLayout{1024, 768, 0, 0}));
  // 800 x 600: the origin never goes negative; the scene's right and bottom fall outside.
  EXPECT_EQ(FullScreenLayout(800, 600, false), (TScreenLayout{800, 600, 0, 0}));
  EXPECT_EQ(FullScreenLayout(800, 600, true), (TScreenLayout{800, 600, 0, 0}));
  // Maximized needs a screen larger both ways; halves round to even.
  EXPECT_EQ(FullScreenLayout(1024, 900, true), (TScreenLayout{1024, 900, 0, 66}));
  EXPECT_EQ(FullScreenLayout(1029, 771, false), (TScreenLayout{1029, 771, 2, 2}));
}

TEST(SceneScreenTest, UpArrowGrowsTheWindowUntilItsOuterHeightReachesTheScreen) {
  TWindowGeometry window{1024, 768, 2, 24, 1280, 1024};
  EXPECT_EQ(WindowSizeStep(window, true), (TWindowPlacement{1032, 774, 123, 113}));
  int ticks = 0;
  while (auto step = WindowSizeStep(window, true)) {
    window.ClientWidth = step->ClientWidth;
    window.ClientHeight = step->ClientHeight;
    ++ticks;
  }
  // The last step starts below the screen's height and may pass it; none starts at or above it.
  EXPECT_GE(window.ClientHeight + window.FrameHeight, 1024);
  EXPECT_LT(window.ClientHeight + window.FrameHeight - 6, 1024);
  EXPECT_EQ(window.ClientWidth, 1024 + 8 * ticks);
}

TEST(SceneScreenTest, DownArrowShrinksTheWindowUntilItsClientHeightIsBelow392) {
  TWindowGeometry window{1024, 768, 2, 24, 1280, 1024};
  EXPECT_EQ(WindowSizeStep(window, false), (TWindowPlacement{1016, 762, 131, 119}));
  while (auto step = WindowSizeStep(window, false)) {
    window.ClientWidth = step->ClientWidth;
    window.ClientHeight = step->ClientHeight;
  }
  EXPECT_EQ(window.ClientWidth, 520);  // 528 x 396 still shrinks; 520 x 390 is below the bound
  EXPECT_EQ(window.ClientHeight, 390);
  window.ClientHeight = 392;  // the bound itself still shrinks
  EXPECT_TRUE(WindowSizeStep(window, false).has_value());
}

TEST(SceneScreenTest, CursorIsClampedAtBothEndsInWindowAndFullScreen) {
  // Relative motion (full screen): pushed past the edges it stays at 0 and at 1024 / 768 themselves.
  EXPECT_EQ(MoveCursor({5, 5}, {-40, -9}, 128, 128), (TCursor{0, 0}));
  EXPECT_EQ(MoveCursor({1000, 700}, {30, 90}, 128, 128), (TCursor{1024, 768}));
  EXPECT_EQ(MoveCursor({1020, 760}, {4, 8}, 0, 0), (TCursor{1024, 768}));
  EXPECT_EQ(MoveCursor({512, 384}, {3, -4}, 0, 0), (TCursor{515, 380}));
  // A known pointer position (a window) places the cursor under it, whatever it was; same clamp.
  EXPECT_EQ(MoveCursor({512, 384}, {50, 50, true, 100, 200}, 0, 0), (TCursor{100, 200}));
  EXPECT_EQ(MoveCursor({512, 384}, {0, 0, true, -7, 1300}, 0, 0), (TCursor{0, 768}));
  EXPECT_EQ(MoveCursor({512, 384}, {0, 0, true, 1024, 768}, 0, 0), (TCursor{1024, 768}));
  EXPECT_EQ(MoveCursor({0, 0}, {0, 0, true, 228, 228}, 128, 128), (TCursor{100, 100}));
}

}  // namespace
}  // namespace zelmar::scene
