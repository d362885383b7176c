#include "content/kit/Image.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {

void Image::Blend(int x, int y, Rgba c, float coverage) {
  if (!Inside(x, y) || coverage <= 0.f) return;
  c = c * coverage;
  Rgba& d = At(x, y);
  const float k = 1.f - c.A;
  d = {c.R + d.R * k, c.G + d.G * k, c.B + d.B * k, c.A + d.A * k};
}

void Image::Add(int x, int y, Rgba c) {
  if (!Inside(x, y)) return;
  Rgba& d = At(x, y);
  d.R += c.R;
  d.G += c.G;
  d.B += c.B;
}

Rgba Image::Sample(float x, float y) const {
  x = std::clamp(x - 0.5f, 0.f, static_cast<float>(w_ - 1));
  y = std::clamp(y - 0.5f, 0.f, static_cast<float>(h_ - 1));
  const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
  const int x1 = std::min(x0 + 1, w_ - 1), y1 = std::min(y0 + 1, h_ - 1);
  const float fx = x - x0, fy = y - y0;
  return Mix(Mix(At(x0, y0), At(x1, y0), fx), Mix(At(x0, y1), At(x1, y1), fx), fy);
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Inside(x + i, y + j)) out.At(i, j) = At(x + i, y + j);
  return out;
}

void Image::Draw(const Image& src, int x, int y, float opacity) {
  for (int j = 0; j < src.Height(); ++j)
    for (int i = 0; i < src.Width(); ++i) Blend(x + i, y + j, src.At(i, j), opacity);
}

void Image::DrawScaled(const Image& src, float x, float y, float scale, float opacity) {
  if (scale <= 0.f) return;
  const int w = static_cast<int>(std::lround(src.Width() * scale));
  const int h = static_cast<int>(std::lround(src.Height() * scale));
  Image scaled = Resize(src, std::max(w, 1), std::max(h, 1));
  Draw(scaled, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), opacity);
}

// Resizes one axis by exact area coverage of source cells (box filter) or by linear interpolation.
static std::vector<Rgba> ResampleLine(const Rgba* src, int n, int stride, int m) {
  std::vector<Rgba> out(m);
  const double ratio = static_cast<double>(n) / m;
  for (int i = 0; i < m; ++i) {
    if (ratio <= 1.0) {
      double p = (i + 0.5) * ratio - 0.5;
      p = std::clamp(p, 0.0, static_cast<double>(n - 1));
      const int a = static_cast<int>(p);
      const int b = std::min(a + 1, n - 1);
      out[i] = Mix(src[a * stride], src[b * stride], static_cast<float>(p - a));
      continue;
    }
    const double s0 = i * ratio, s1 = (i + 1) * ratio;
    Rgba acc;
    for (int k = static_cast<int>(s0); k < std::min(n, static_cast<int>(std::ceil(s1))); ++k) {
      const double wgt = std::min<double>(k + 1, s1) - std::max<double>(k, s0);
      acc = acc + src[k * stride] * static_cast<float>(wgt);
    }
    out[i] = acc * static_cast<float>(1.0 / ratio);
  }
  return out;
}

Image Resize(const Image& src, int w, int h) {
  Image tmp(w, src.Height());
  for (int y = 0; y < src.Height(); ++y) {
    auto line = ResampleLine(&src.At(0, y), src.Width(), 1, w);
    for (int x = 0; x < w; ++x) tmp.At(x, y) = line[x];
  }
  Image out(w, h);
  for (int x = 0; x < w; ++x) {
    auto line = ResampleLine(&tmp.At(x, 0), tmp.Height(), w, h);
    for (int y = 0; y < h; ++y) out.At(x, y) = line[y];
  }
  return out;
}

// One horizontal or vertical box pass with edge clamping.
static Image BoxPass(const Image& src, int r, bool horizontal) {
  Image out(src.Width(), src.Height());
  const int n = horizontal ? src.Width() : src.Height();
  const int lines = horizontal ? src.Height() : src.Width();
  const float norm = 1.f / (2 * r + 1);
  for (int l = 0; l < lines; ++l) {
    auto get = [&](int i) -> const Rgba& {
      i = std::clamp(i, 0, n - 1);
      return horizontal ? src.At(i, l) : src.At(l, i);
    };
    Rgba acc;
    for (int i = -r; i <= r; ++i) acc = acc + get(i);
    for (int i = 0; i < n; ++i) {
      (horizontal ? out.At(i, l) : out.At(l, i)) = acc * norm;
      acc = acc + get(i + r + 1) + get(i - r) * -1.f;
    }
  }
  return out;
}

Image Blur(const Image& src, int radius) {
  if (radius <= 0) return src;
  Image out = src;
  for (int pass = 0; pass < 3; ++pass) out = BoxPass(BoxPass(out, radius, true), radius, false);
  return out;
}

uint32_t ToArgb(Rgba c) {
  const float a = std::clamp(c.A, 0.f, 1.f);
  auto ch = [&](float v) {
    const float straight = a > 1e-6f ? v / a : 0.f;
    return static_cast<uint32_t>(std::lround(std::clamp(straight, 0.f, 1.f) * 255.f));
  };
  const uint32_t alpha = static_cast<uint32_t>(std::lround(a * 255.f));
  if (alpha == 0) return 0;
  return alpha << 24 | ch(c.R) << 16 | ch(c.G) << 8 | ch(c.B);
}

}  // namespace zelmar::content
