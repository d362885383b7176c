// The perspective board of the game backgrounds: the 64 square corner quadrilaterals the game hit-tests,
// and a projective map between board units and screen pixels fitted to the board's outer corners.
#pragma once
#include <array>

#include "content/kit/Paint.h"

namespace zelmar::content {

// Corners of square s (0 = a8 … 63 = h1): far-left, near-left, near-right, far-right, before any offset.
const std::array<std::array<Pt, 4>, 64>& SquareQuads();

// A 3 × 3 projective map.
class Homography {
 public:
  // The map taking board units (u along the files from a, v along the ranks from 8; 0..8) to screen pixels.
  static Homography BoardToScreen(float offsetX, float offsetY);
  Pt Apply(Pt p) const;
  Homography Inverse() const;

 private:
  std::array<double, 9> m_{};
};

}  // namespace zelmar::content
