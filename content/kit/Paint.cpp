#include "content/kit/Paint.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {

// Even-odd point-in-polygon test.
static bool InsidePolygon(const std::vector<Pt>& poly, float px, float py) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Pt& a = poly[i];
    const Pt& b = poly[j];
    if ((a.Y > py) != (b.Y > py) && px < (b.X - a.X) * (py - a.Y) / (b.Y - a.Y) + a.X) in = !in;
  }
  return in;
}

float PolygonCoverage(const std::vector<Pt>& poly, int x, int y) {
  int hits = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      if (InsidePolygon(poly, x + (i + 0.5f) / 4.f, y + (j + 0.5f) / 4.f)) ++hits;
  return hits / 16.f;
}

void FillPolygon(Image& img, const std::vector<Pt>& poly, const Shader& shade) {
  if (poly.size() < 3) return;
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (const Pt& p : poly) {
    x0 = std::min(x0, p.X);
    y0 = std::min(y0, p.Y);
    x1 = std::max(x1, p.X);
    y1 = std::max(y1, p.Y);
  }
  const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
  const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
  const int ix1 = std::min(img.Width() - 1, static_cast<int>(std::ceil(x1)));
  const int iy1 = std::min(img.Height() - 1, static_cast<int>(std::ceil(y1)));
  for (int y = iy0; y <= iy1; ++y)
    for (int x = ix0; x <= ix1; ++x) {
      const float c = PolygonCoverage(poly, x, y);
      if (c > 0) img.Blend(x, y, shade(x + 0.5f, y + 0.5f), c);
    }
}

void FillPolygon(Image& img, const std::vector<Pt>& poly, Rgba colour) {
  FillPolygon(img, poly, [colour](float, float) { return colour; });
}

float RoundRectDistance(float px, float py, float x, float y, float w, float h, float r) {
  const float cx = x + w / 2, cy = y + h / 2;
  const float qx = std::fabs(px - cx) - (w / 2 - r), qy = std::fabs(py - cy) - (h / 2 - r);
  const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
}

void FillRoundRect(Image& img, float x, float y, float w, float h, float r, const Shader& shade) {
  for (int py = std::max(0, static_cast<int>(y) - 1);
       py < std::min(img.Height(), static_cast<int>(y + h) + 2); ++py)
    for (int px = std::max(0, static_cast<int>(x) - 1);
         px < std::min(img.Width(), static_cast<int>(x + w) + 2); ++px) {
      const float d = RoundRectDistance(px + 0.5f, py + 0.5f, x, y, w, h, r);
      const float c = std::clamp(0.5f - d, 0.f, 1.f);
      if (c > 0) img.Blend(px, py, shade(px + 0.5f, py + 0.5f), c);
    }
}

void FillRoundRect(Image& img, float x, float y, float w, float h, float r, Rgba colour) {
  FillRoundRect(img, x, y, w, h, r, [colour](float, float) { return colour; });
}

void FillEllipse(Image& img, float cx, float cy, float rx, float ry, const Shader& shade) {
  for (int py = std::max(0, static_cast<int>(cy - ry) - 1);
       py < std::min(img.Height(), static_cast<int>(cy + ry) + 2); ++py)
    for (int px = std::max(0, static_cast<int>(cx - rx) - 1);
         px < std::min(img.Width(), static_cast<int>(cx + rx) + 2); ++px) {
      const float dx = (px + 0.5f - cx) / rx, dy = (py + 0.5f - cy) / ry;
      const float k = std::sqrt(dx * dx + dy * dy);
      // Distance to the rim in pixels, approximated through the local radius.
      const float grad = std::sqrt(dx * dx / (rx * rx) + dy * dy / (ry * ry)) / std::max(k, 1e-6f);
      const float d = (k - 1.f) / std::max(grad, 1e-6f);
      const float c = std::clamp(0.5f - d, 0.f, 1.f);
      if (c > 0) img.Blend(px, py, shade(px + 0.5f, py + 0.5f), c);
    }
}

void FillEllipse(Image& img, float cx, float cy, float rx, float ry, Rgba colour) {
  FillEllipse(img, cx, cy, rx, ry, [colour](float, float) { return colour; });
}

void StrokeLine(Image& img, Pt a, Pt b, float w, Rgba colour) {
  const float r = w / 2;
  const int x0 = std::max(0, static_cast<int>(std::min(a.X, b.X) - r) - 1);
  const int x1 = std::min(img.Width() - 1, static_cast<int>(std::max(a.X, b.X) + r) + 1);
  const int y0 = std::max(0, static_cast<int>(std::min(a.Y, b.Y) - r) - 1);
  const int y1 = std::min(img.Height() - 1, static_cast<int>(std::max(a.Y, b.Y) + r) + 1);
  const float dx = b.X - a.X, dy = b.Y - a.Y, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f - a.X, py = y + 0.5f - a.Y;
      const float t = std::clamp((px * dx + py * dy) / len2, 0.f, 1.f);
      const float ex = px - t * dx, ey = py - t * dy;
      const float c = std::clamp(r + 0.5f - std::sqrt(ex * ex + ey * ey), 0.f, 1.f);
      if (c > 0) img.Blend(x, y, colour, c);
    }
}

void AddGlow(Image& img, float cx, float cy, float r, Rgba c) {
  for (int y = std::max(0, static_cast<int>(cy - r));
       y < std::min(img.Height(), static_cast<int>(cy + r) + 1); ++y)
    for (int x = std::max(0, static_cast<int>(cx - r));
         x < std::min(img.Width(), static_cast<int>(cx + r) + 1); ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (d >= 1) continue;
      const float k = (1 - d) * (1 - d);
      img.Add(x, y, c * k);
    }
}

}  // namespace zelmar::content
