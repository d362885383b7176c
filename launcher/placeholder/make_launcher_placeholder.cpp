// Build-time tool: writes the launcher's stand-in picture, a quiet 630 × 360 gradient, as a JPEG.
// Usage: make_launcher_placeholder <output.jpg>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 630;
constexpr int kHeight = 360;

// Blends two colour channels: t = 0 gives a, t = 1 gives b.
double Mix(double a, double b, double t) {
  return a + (b - a) * t;
}

// Computes one pixel: a diagonal night-blue to deep-plum gradient with a soft light behind the
// launcher's panel and a gentle darkening towards the corners.
void Shade(int x, int y, std::uint8_t* rgb) {
  const double u = static_cast<double>(x) / (kWidth - 1);
  const double v = static_cast<double>(y) / (kHeight - 1);
  const double t = std::clamp(0.65 * u + 0.35 * v, 0.0, 1.0);
  double r = Mix(24, 58, t), g = Mix(38, 30, t), b = Mix(72, 62, t);
  // 1. Glow around the middle of the panel (315, 225).
  const double dx = (x - 315.0) / 300.0, dy = (y - 225.0) / 220.0;
  const double glow = std::exp(-(dx * dx + dy * dy) * 1.6);
  r += 70 * glow;
  g += 62 * glow;
  b += 58 * glow;
  // 2. Vignette.
  const double cx = u - 0.5, cy = v - 0.5;
  const double shade = 1.0 - 0.55 * (cx * cx + cy * cy);
  // 3. A little ordered dither keeps the compressed gradient free of bands.
  const double dither = (((x * 7 + y * 13) & 3) - 1.5) * 0.6;
  const double channels[3] = {r, g, b};
  for (int c = 0; c < 3; ++c) {
    rgb[c] = static_cast<std::uint8_t>(std::clamp(channels[c] * shade + dither, 0.0, 255.0));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.jpg>\n", argv[0]);
    return 2;
  }
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) Shade(x, y, &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 3]);
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 92, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &pixels[static_cast<std::size_t>(info.next_scanline) * kWidth * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const bool closed = std::fclose(out) == 0;
  if (!closed) std::perror(argv[1]);
  return closed ? 0 : 1;
}
