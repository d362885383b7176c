// RGB pictures for the display tests: read back from the device, shrunk, compared, laid out on a sheet and
// kept as PNG files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelmar::scene {

struct TRgbPicture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgb;  // row by row, three bytes a pixel

  std::uint8_t* At(int x, int y) { return &Rgb[(static_cast<std::size_t>(y) * Width + x) * 3]; }
  const std::uint8_t* At(int x, int y) const { return &Rgb[(static_cast<std::size_t>(y) * Width + x) * 3]; }
};

// A picture of the device's 0xAARRGGBB back-buffer pixels.
TRgbPicture FromBackBuffer(const std::vector<std::uint32_t>& argb, int width, int height);
// The picture shrunk by a whole factor, each pixel the average of a factor x factor block.
TRgbPicture Shrink(const TRgbPicture& picture, int factor);
// Pictures of one size side by side, `columns` to a row, with a gap between them.
TRgbPicture Sheet(const std::vector<TRgbPicture>& pictures, int columns, int gap);

// How far two pictures of one size are apart: the pixels where some channel differs by more than a limit.
struct TPictureDifference {
  int Off = 0;                   // pixels over the limit
  int Largest = 0;               // the largest channel difference anywhere
  int FirstX = -1, FirstY = -1;  // the first pixel over the limit
};
TPictureDifference Compare(const TRgbPicture& a, const TRgbPicture& b, int limit);

// PNG files (8-bit RGB); false or nothing when the file cannot be written or read.
bool WritePng(const std::string& path, const TRgbPicture& picture);
std::optional<TRgbPicture> ReadPng(const std::string& path);

}  // namespace zelmar::scene
