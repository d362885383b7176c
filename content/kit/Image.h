// A floating-point RGBA picture with premultiplied alpha: the working surface of every generator.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelmar::content {

struct Rgba {
  float R = 0, G = 0, B = 0, A = 0;
};

// Builds a premultiplied colour from straight components.
inline Rgba Premultiplied(float r, float g, float b, float a = 1.f) {
  return {r * a, g * a, b * a, a};
}
inline Rgba operator*(Rgba c, float k) {
  return {c.R * k, c.G * k, c.B * k, c.A * k};
}
inline Rgba operator+(Rgba x, Rgba y) {
  return {x.R + y.R, x.G + y.G, x.B + y.B, x.A + y.A};
}
// Linear interpolation between two colours.
inline Rgba Mix(Rgba x, Rgba y, float t) {
  return x * (1.f - t) + y * t;
}

class Image {
 public:
  Image() = default;
  Image(int w, int h, Rgba fill = {}) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgba& At(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Rgba& At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

  // Composites a premultiplied colour over the pixel, weighted by coverage.
  void Blend(int x, int y, Rgba c, float coverage = 1.f);
  // Adds light to the pixel (keeps its alpha).
  void Add(int x, int y, Rgba c);
  // Bilinear sample at a real position, clamped to the edges.
  Rgba Sample(float x, float y) const;
  // Copies a rectangle of this picture into a new one.
  Image Crop(int x, int y, int w, int h) const;
  // Draws another picture over this one with its top-left corner at (x, y).
  void Draw(const Image& src, int x, int y, float opacity = 1.f);
  // Draws another picture scaled by `scale` with its top-left corner at real (x, y).
  void DrawScaled(const Image& src, float x, float y, float scale, float opacity = 1.f);

 private:
  int w_ = 0, h_ = 0;
  std::vector<Rgba> px_;
};

// Area-averaging resize: exact box filtering for any reduction factor, bilinear for enlargement.
Image Resize(const Image& src, int w, int h);
// Separable Gaussian-like blur made of three box passes of the given radius.
Image Blur(const Image& src, int radius);
// Straight (non-premultiplied) 8-bit ARGB of one pixel, clamped and rounded: 0xAARRGGBB.
uint32_t ToArgb(Rgba c);

}  // namespace zelmar::content
