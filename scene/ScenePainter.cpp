#include "scene/ScenePainter.h"

#include <array>

namespace zelmar::scene {

// The archive names in the order of TPicture, so a picture's name is one look-up.
std::string_view PictureName(TPicture picture) {
  static constexpr std::array<std::string_view, kPictureCount> kNames = {
      "ground",   "zelmar_piece_2", "zelmar_piece_1", "piece_1", "piece_2",  "queen_1", "queen_2", "queen_11",
      "queen_21", "classic",        "button",         "timer",   "window_1", "cursor",  "cursor_1"};
  const auto index = static_cast<std::size_t>(picture);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

}  // namespace zelmar::scene
