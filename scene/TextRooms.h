// Where the game window's texts may lie across the logical screen: each text has a room, from the pen's
// first position to the edge of what lies beside it, which it must not cross in any language.
#pragma once

#include <cmath>
#include <cstdint>

#include "scene/SceneState.h"

namespace zelmar::scene {

// A span of logical x: a text drawn in it starts at or after Left and ends at or before Right.
struct TTextRoom {
  std::int32_t Left, Right;

  std::int32_t Width() const { return Right - Left; }
};

// The pen x that centres a text of `width` pixels in the room: whole pixels, any odd pixel left on the right.
inline std::int32_t CentredLeft(TTextRoom room, double width) {
  return room.Left + static_cast<std::int32_t>(std::floor((static_cast<double>(room.Width()) - width) / 2));
}

// The left edge of the first clock plate, the status line's neighbour.
inline constexpr std::int32_t kClockLeft = 664;
// The status line, from its left margin to the first clock plate.
inline constexpr TTextRoom kStatusRoom{17, kClockLeft};
// The side panel's piece name, right of the icon frame to the screen's edge.
inline constexpr TTextRoom kPanelNameRoom{730, kLogicalWidth};
// A help legend line, right of its button to the edge of the calm panel of the help picture.
inline constexpr TTextRoom kLegendRoom{130, 600};

}  // namespace zelmar::scene
