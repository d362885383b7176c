// Which display the launcher and the game window open: a Wayland desktop without a keyboard and a pointer
// cannot be played on (and its toolkits fail on it), so the program goes to the X display instead, or ends.
#pragma once

#include <string_view>

namespace zelmar {

// What the Wayland display (the one WAYLAND_DISPLAY names, else "wayland-0") offers.
struct WaylandSeats {
  bool Reachable = false;           // a Wayland display answered
  bool KeyboardAndPointer = false;  // one of its seats has both a keyboard and a pointer
};

enum class DisplayRoute {
  drAsIs,  // the toolkits choose as they would (X11, or a Wayland display with a keyboard and a pointer)
  drX11,   // the Wayland display lacks input: both toolkits are sent to the X display
  drNone   // the Wayland display lacks input and there is no X display: the game cannot be played
};

// Asks the Wayland display, if there is one, for its seats and what they hold.
WaylandSeats ProbeWaylandSeats();

// The route for what the Wayland display offers and whether an X display is named (DISPLAY).
DisplayRoute ChooseDisplayRoute(const WaylandSeats& wayland, bool x11Named);

// Probes the displays and sends GTK and SDL to the X display when the Wayland display cannot be played on.
// Must run before either toolkit starts. Returns the route taken.
DisplayRoute PrepareDisplayRoute();

// Why the game cannot start on drNone, for the error line.
inline constexpr std::string_view kNoInputOnDisplay = "the Wayland display has no keyboard and pointer";

}  // namespace zelmar
