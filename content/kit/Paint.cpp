#include "content/kit/Paint.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {

// Even-odd point-in-polygon test.
static bool insidePolygon(const std::vector<Pt>& poly, float px, float py) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Pt& a = poly[i];
    const Pt& b = poly[j];
    if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

float polygonCoverage(const std::vector<Pt>& poly, int x, int y) {
  int hits = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      if (insidePolygon(poly, x + (i + 0.5f) / 4.f, y + (j + 0.5f) / 4.f)) ++hits;
  return hits / 16.f;
}

void fillPolygon(Image& img, const std::vector<Pt>& poly, const Shader& shade) {
  if (poly.size() < 3) return;
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (const Pt& p : poly) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
  const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
  const int ix1 = std::min(img.width() - 1, static_cast<int>(std::ceil(x1)));
  const int iy1 = std::min(img.height() - 1, static_cast<int>(std::ceil(y1)));
  for (int y = iy0; y <= iy1; ++y)
    for (int x = ix0; x <= ix1; ++x) {
      const float c = polygonCoverage(poly, x, y);
      if (c > 0) img.blend(x, y, shade(x + 0.5f, y + 0.5f), c);
    }
}

void fillPolygon(Image& img, const std::vector<Pt>& poly, Rgba colour) {
  fillPolygon(img, poly, [colour](float, float) { return colour; });
}

float roundRectDistance(float px, float py, float x, float y, float w, float h, float r) {
  const float cx = x + w / 2, cy = y + h / 2;
  const float qx = std::fabs(px - cx) - (w / 2 - r), qy = std::fabs(py - cy) - (h / 2 - r);
  const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
}

void fillRoundRect(Image& img, float x, float y, float w, float h, float r, const Shader& shade) {
  for (int py = std::max(0, static_cast<int>(y) - 1);
       py < std::min(img.height(), static_cast<int>(y + h) + 2); ++py)
    for (int px = std::max(0, static_cast<int>(x) - 1);
         px < std::min(img.width(), static_cast<int>(x + w) + 2); ++px) {
      const float d = roundRectDistance(px + 0.5f, py + 0.5f, x, y, w, h, r);
      const float c = std::clamp(0.5f - d, 0.f, 1.f);
      if (c > 0) img.blend(px, py, shade(px + 0.5f, py + 0.5f), c);
    }
}

void fillRoundRect(Image& img, float x, float y, float w, float h, float r, Rgba colour) {
  fillRoundRect(img, x, y, w, h, r, [colour](float, float) { return colour; });
}

void fillEllipse(Image& img, float cx, float cy, float rx, float ry, const Shader& shade) {
  for (int py = std::max(0, static_cast<int>(cy - ry) - 1);
       py < std::min(img.height(), static_cast<int>(cy + ry) + 2); ++py)
    for (int px = std::max(0, static_cast<int>(cx - rx) - 1);
         px < std::min(img.width(), static_cast<int>(cx + rx) + 2); ++px) {
      const float dx = (px + 0.5f - cx) / rx, dy = (py + 0.5f - cy) / ry;
      const float k = std::sqrt(dx * dx + dy * dy);
      // Distance to the rim in pixels, approximated through the local radius.
      const float grad = std::sqrt(dx * dx / (rx * rx) + dy * dy / (ry * ry)) / std::max(k, 1e-6f);
      const float d = (k - 1.f) / std::max(grad, 1e-6f);
      const float c = std::clamp(0.5f - d, 0.f, 1.f);
      if (c > 0) img.blend(px, py, shade(px + 0.5f, py + 0.5f), c);
    }
}

void fillEllipse(Image& img, float cx, float cy, float rx, float ry, Rgba colour) {
  fillEllipse(img, cx, cy, rx, ry, [colour](float, float) { return colour; });
}

void strokeLine(Image& img, Pt a, Pt b, float w, Rgba colour) {
  const float r = w / 2;
  const int x0 = std::max(0, static_cast<int>(std::min(a.x, b.x) - r) - 1);
  const int x1 = std::min(img.width() - 1, static_cast<int>(std::max(a.x, b.x) + r) + 1);
  const int y0 = std::max(0, static_cast<int>(std::min(a.y, b.y) - r) - 1);
  const int y1 = std::min(img.height() - 1, static_cast<int>(std::max(a.y, b.y) + r) + 1);
  const float dx = b.x - a.x, dy = b.y - a.y, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f - a.x, py = y + 0.5f - a.y;
      const float t = std::clamp((px * dx + py * dy) / len2, 0.f, 1.f);
      const float ex = px - t * dx, ey = py - t * dy;
      const float c = std::clamp(r + 0.5f - std::sqrt(ex * ex + ey * ey), 0.f, 1.f);
      if (c > 0) img.blend(x, y, colour, c);
    }
}

void addGlow(Image& img, float cx, float cy, float r, Rgba c) {
  for (int y = std::max(0, static_cast<int>(cy - r));
       y < std::min(img.height(), static_cast<int>(cy + r) + 1); ++y)
    for (int x = std::max(0, static_cast<int>(cx - r));
         x < std::min(img.width(), static_cast<int>(cx + r) + 1); ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (d >= 1) continue;
      const float k = (1 - d) * (1 - d);
      img.add(x, y, c * k);
    }
}

}  // namespace zelmar::content
