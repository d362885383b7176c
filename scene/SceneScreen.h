// The screen arithmetic of the game window: the device size and scene origin in full screen, the window
// size keys and the game cursor's clamp. Pure functions, so that every case can be checked headless.
#pragma once

#include <optional>

namespace zelmar::scene {

// The back buffer and where the logical screen lies in it.
struct TScreenLayout {
  int Width = 1024, Height = 768;
  int OriginX = 0, OriginY = 0;
  bool operator==(const TScreenLayout&) const = default;
};

// Full screen on a screen of the given size: the logical screen at its own size when Maximized and the
// screen is larger both ways, else the screen's size with the logical screen centred (origin never
// negative).
TScreenLayout FullScreenLayout(int screenWidth, int screenHeight, bool maximized);

// The window as the size keys see it: client size, the frame around it (outer minus client) and the screen.
struct TWindowGeometry {
  int ClientWidth = 1024, ClientHeight = 768;
  int FrameWidth = 0, FrameHeight = 0;
  int ScreenWidth = 0, ScreenHeight = 0;
};

// Where a size key puts the window: its client size and the outer top-left corner.
struct TWindowPlacement {
  int ClientWidth = 0, ClientHeight = 0;
  int Left = 0, Top = 0;
  bool operator==(const TWindowPlacement&) const = default;
};

// One tick of the Up arrow (grow) or the Down arrow (shrink): 8 pixels of width, the height at 3/4 of it,
// the window re-centred; nothing once the outer height has reached the screen's height (grow) or the client
// height is below 392 (shrink).
std::optional<TWindowPlacement> WindowSizeStep(const TWindowGeometry& window, bool grow);

// The game cursor after a mouse update: the pointer's position over the window when it is known (given
// in back-buffer pixels, so the origin is taken off), else moved by the relative motion; clamped to
// 0..1024 and 0..768, both ends included.
struct TCursor {
  int X = 512, Y = 384;
  bool operator==(const TCursor&) const = default;
};
struct TPointerReading {
  int DeltaX = 0, DeltaY = 0;
  bool Known = false;
  int X = 0, Y = 0;
};
TCursor MoveCursor(TCursor cursor, const TPointerReading& pointer, int originX, int originY);

}  // namespace zelmar::scene
