#include "scene/SceneScreen.h"

#include <algorithm>

#include "framework/GfxRounding.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

// The logical screen fills the back buffer when Maximized fits it; otherwise the back buffer takes the
// screen's size and the logical screen sits in its middle, or at the top-left when the screen is smaller.
TScreenLayout FullScreenLayout(int screenWidth, int screenHeight, bool maximized) {
  if (maximized && screenWidth > kLogicalWidth && screenHeight > kLogicalHeight) return {};
  TScreenLayout layout;
  layout.Width = screenWidth;
  layout.Height = screenHeight;
  layout.OriginX = std::max(0, RoundHalfEven((screenWidth - kLogicalWidth) / 2.0));
  layout.OriginY = std::max(0, RoundHalfEven((screenHeight - kLogicalHeight) / 2.0));
  return layout;
}

// 1. Tests the key's bound. 2. Steps the width by 8 and makes the height three quarters of it. 3. Centres
// the new outer window on the screen.
std::optional<TWindowPlacement> WindowSizeStep(const TWindowGeometry& window, bool grow) {
  if (grow ? window.ClientHeight + window.FrameHeight >= window.ScreenHeight : window.ClientHeight < 392)
    return std::nullopt;
  TWindowPlacement placement;
  placement.ClientWidth = window.ClientWidth + (grow ? 8 : -8);
  placement.ClientHeight = RoundHalfEven(placement.ClientWidth * 0.75);
  placement.Top = RoundHalfEven((window.ScreenHeight - (placement.ClientHeight + window.FrameHeight)) / 2.0);
  placement.Left = RoundHalfEven((window.ScreenWidth - (placement.ClientWidth + window.FrameWidth)) / 2.0);
  return placement;
}

// The absolute position wins when the platform knows it; the clamp holds either way.
TCursor MoveCursor(TCursor cursor, const TPointerReading& pointer, int originX, int originY) {
  if (pointer.Known) {
    cursor.X = pointer.X - originX;
    cursor.Y = pointer.Y - originY;
  } else {
    cursor.X += pointer.DeltaX;
    cursor.Y += pointer.DeltaY;
  }
  cursor.X = std::clamp(cursor.X, 0, kLogicalWidth);
  cursor.Y = std::clamp(cursor.Y, 0, kLogicalHeight);
  return cursor;
}

}  // namespace zelmar::scene
