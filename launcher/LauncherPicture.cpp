#include "launcher/LauncherPicture.h"

#include <cstdint>
#include <cstring>

#include "launcher/JpegImage.h"
#include "zelmar_launcher_picture.h"

namespace zelmar {

cairo_surface_t* CreateLauncherPictureSurface() {
  RgbImage image;
  if (!DecodeJpeg(LauncherPicture("launcher.jpg"), image)) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.Width, image.Height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  // cairo keeps RGB24 pixels as native 32-bit words 0x00RRGGBB, each row `stride` bytes apart.
  cairo_surface_flush(surface);
  unsigned char* base = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.Height; ++y) {
    const std::uint8_t* from = &image.Pixels[static_cast<std::size_t>(y) * image.Width * 3];
    for (int x = 0; x < image.Width; ++x, from += 3) {
      const std::uint32_t pixel = (std::uint32_t{from[0]} << 16) | (std::uint32_t{from[1]} << 8) | from[2];
      std::memcpy(base + static_cast<std::size_t>(y) * stride + x * 4, &pixel, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace zelmar
