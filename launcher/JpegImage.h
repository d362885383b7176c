// Decoding of JPEG pictures into plain RGB pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelmar {

// A decoded picture: Width × Height pixels of three bytes (red, green, blue), row after row.
struct RgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;
};

// Decodes a JPEG file held in memory (grey or colour). Returns false and leaves `image` empty for
// data that is not a whole, valid JPEG picture.
bool DecodeJpeg(std::span<const unsigned char> data, RgbImage& image);

}  // namespace zelmar
