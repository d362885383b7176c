#include "tests/scene/pixels/Picture.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>

namespace zelmar::scene {

// Red, green and blue of every pixel; the alpha byte is dropped.
TRgbPicture FromBackBuffer(const std::vector<std::uint32_t>& argb, int width, int height) {
  TRgbPicture out{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height && i < argb.size(); ++i) {
    out.Rgb[3 * i] = static_cast<std::uint8_t>(argb[i] >> 16);
    out.Rgb[3 * i + 1] = static_cast<std::uint8_t>(argb[i] >> 8);
    out.Rgb[3 * i + 2] = static_cast<std::uint8_t>(argb[i]);
  }
  return out;
}

// Box averages with rounding; a partial block at the right or bottom edge is left out.
TRgbPicture Shrink(const TRgbPicture& picture, int factor) {
  TRgbPicture out{picture.Width / factor, picture.Height / factor, {}};
  out.Rgb.resize(static_cast<std::size_t>(out.Width) * out.Height * 3);
  const int area = factor * factor;
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < factor; ++dy)
          for (int dx = 0; dx < factor; ++dx) sum += picture.At(x * factor + dx, y * factor + dy)[c];
        out.At(x, y)[c] = static_cast<std::uint8_t>((sum + area / 2) / area);
      }
  return out;
}

// 1. Sizes the sheet from the first picture. 2. Fills it dark grey. 3. Copies each picture into its cell.
TRgbPicture Sheet(const std::vector<TRgbPicture>& pictures, int columns, int gap) {
  if (pictures.empty()) return {};
  const int w = pictures[0].Width, h = pictures[0].Height;
  const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
  TRgbPicture out{gap + columns * (w + gap), gap + rows * (h + gap), {}};
  out.Rgb.assign(static_cast<std::size_t>(out.Width) * out.Height * 3, 40);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const int left = gap + static_cast<int>(i) % columns * (w + gap);
    const int top = gap + static_cast<int>(i) / columns * (h + gap);
    for (int y = 0; y < std::min(h, pictures[i].Height); ++y)
      for (int x = 0; x < std::min(w, pictures[i].Width); ++x)
        std::copy_n(pictures[i].At(x, y), 3, out.At(left + x, top + y));
  }
  return out;
}

// Counts the pixels whose largest channel difference passes `limit`.
TPictureDifference Compare(const TRgbPicture& a, const TRgbPicture& b, int limit) {
  TPictureDifference d;
  if (a.Width != b.Width || a.Height != b.Height) {
    d.Off = std::max(a.Width * a.Height, b.Width * b.Height);
    d.Largest = 255;
    return d;
  }
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      int worst = 0;
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a.At(x, y)[c] - b.At(x, y)[c]));
      d.Largest = std::max(d.Largest, worst);
      if (worst <= limit) continue;
      if (d.Off++ == 0) d.FirstX = x, d.FirstY = y;
    }
  return d;
}

// Writes through libpng's simplified interface.
bool WritePng(const std::string& path, const TRgbPicture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width);
  image.height = static_cast<png_uint_32>(picture.Height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, picture.Rgb.data(), 0, nullptr) != 0;
}

// Reads any PNG as 8-bit RGB through libpng's simplified interface.
std::optional<TRgbPicture> ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  TRgbPicture out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  out.Rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.Rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

}  // namespace zelmar::scene
