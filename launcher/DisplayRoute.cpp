#include "launcher/DisplayRoute.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zelmar {

namespace {

// The seats the registry announced and the capabilities each reported.
struct SeatList {
  std::vector<wl_seat*> Seats;
  std::vector<std::uint32_t> Capabilities;
};

void SeatCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
  auto* list = static_cast<SeatList*>(data);
  for (std::size_t i = 0; i < list->Seats.size(); ++i) {
    if (list->Seats[i] == seat) list->Capabilities[i] = capabilities;
  }
}

void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

// Binds every seat the display announces (version 1 already reports the capabilities).
void RegistryGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                    std::uint32_t) {
  if (std::strcmp(interface, wl_seat_interface.name) != 0) return;
  auto* list = static_cast<SeatList*>(data);
  auto* seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  if (!seat) return;
  list->Seats.push_back(seat);
  list->Capabilities.push_back(0);
  wl_seat_add_listener(seat, &kSeatListener, list);
}

void RegistryGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {RegistryGlobal, RegistryGlobalRemove};

}  // namespace

// 1. Connect (no display: not reachable). 2. One round trip for the globals, binding the seats. 3. One more
// for the seats' capabilities. 4. Release everything.
WaylandSeats ProbeWaylandSeats() {
  WaylandSeats result;
  // Without a runtime folder only an absolute WAYLAND_DISPLAY can name a display (and the library would
  // complain on standard error).
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* named = std::getenv("WAYLAND_DISPLAY");
  if ((runtime == nullptr || *runtime == '\0') && (named == nullptr || *named != '/')) return result;
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return result;
  result.Reachable = true;
  SeatList list;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &list);
  if (wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0) {
    constexpr std::uint32_t kBoth = WL_SEAT_CAPABILITY_KEYBOARD | WL_SEAT_CAPABILITY_POINTER;
    for (std::uint32_t capabilities : list.Capabilities) {
      if ((capabilities & kBoth) == kBoth) result.KeyboardAndPointer = true;
    }
  }
  for (wl_seat* seat : list.Seats) wl_seat_destroy(seat);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return result;
}

DisplayRoute ChooseDisplayRoute(const WaylandSeats& wayland, bool x11Named) {
  if (!wayland.Reachable || wayland.KeyboardAndPointer) return DisplayRoute::drAsIs;
  return x11Named ? DisplayRoute::drX11 : DisplayRoute::drNone;
}

// The X display is chosen for both toolkits through their own switches, overriding any Wayland choice.
DisplayRoute PrepareDisplayRoute() {
  const char* x11 = std::getenv("DISPLAY");
  const DisplayRoute route = ChooseDisplayRoute(ProbeWaylandSeats(), x11 != nullptr && *x11 != '\0');
  if (route == DisplayRoute::drX11) {
    setenv("GDK_BACKEND", "x11", 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
  }
  return route;
}

}  // namespace zelmar
