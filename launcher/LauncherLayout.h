// The launcher window's stored layout, in pixels.
#pragma once

#include "launcher/MainForm.h"

namespace zelmar {

inline constexpr int kClientWidth = 628;
inline constexpr int kClientHeight = 358;
inline constexpr ControlBounds kPanelBounds{180, 90, 270, 270};
// The panel's colour, red = green = blue = 240.
inline constexpr double kPanelGrey = 240.0 / 255.0;
// The window colour (silver) that shows wherever the picture does not cover.
inline constexpr double kWindowGrey = 192.0 / 255.0;

// Returns where a control sits on the panel and how large it is.
constexpr ControlBounds StoredBounds(LauncherControl control) {
  switch (control) {
    case LauncherControl::lcLanguage:
      return {16, 88, 241, 27};
    case LauncherControl::lcStart:
      return {16, 121, 241, 27};
    case LauncherControl::lcUpdate:
      return {16, 154, 241, 27};
    case LauncherControl::lcLink:
      return {24, 48, 225, 17};
    case LauncherControl::lcFullScreen:
      return {16, 204, 81, 17};
    case LauncherControl::lcMaximized:
      return {104, 204, 81, 17};
    case LauncherControl::lcAntialias:
      return {192, 204, 65, 17};
  }
  return {};
}

// The line that tells why a game file is not opened: below the check boxes, across the panel's controls.
inline constexpr ControlBounds kNoticeBounds{16, 226, 241, 40};
// The most lines of it shown; a longer text ends in an ellipsis.
inline constexpr int kNoticeLines = 3;

inline constexpr LauncherControl kAllControls[] = {
    LauncherControl::lcLanguage,  LauncherControl::lcStart,      LauncherControl::lcUpdate,
    LauncherControl::lcLink,      LauncherControl::lcFullScreen, LauncherControl::lcMaximized,
    LauncherControl::lcAntialias,
};

}  // namespace zelmar
