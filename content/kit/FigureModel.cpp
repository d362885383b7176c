#include "content/kit/FigureModel.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {
namespace {

constexpr float kStep = 0.05f;  // profile table resolution

float SmoothMax(float a, float b, float k) {
  const float h = std::clamp(0.5f - 0.5f * (b - a) / k, 0.f, 1.f);
  return b + (a - b) * h + k * h * (1 - h);
}

float SmoothMin(float a, float b, float k) {
  const float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.f, 1.f);
  return b + (a - b) * h - k * h * (1 - h);
}

float SdRoundBox(V3 p, V3 c, V3 half, float r) {
  const V3 q{std::fabs(p.X - c.X) - half.X + r, std::fabs(p.Y - c.Y) - half.Y + r,
             std::fabs(p.Z - c.Z) - half.Z + r};
  const V3 o{std::max(q.X, 0.f), std::max(q.Y, 0.f), std::max(q.Z, 0.f)};
  return Length(o) + std::min(std::max(q.X, std::max(q.Y, q.Z)), 0.f) - r;
}

float SdSphere(V3 p, V3 c, float r) {
  return Length(p - c) - r;
}

// Signed distance to a closed 2D polygon.
float SdPolygon(const std::vector<V3>& v, float px, float py) {
  float d = (px - v[0].X) * (px - v[0].X) + (py - v[0].Y) * (py - v[0].Y);
  float s = 1;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
    const float ex = v[j].X - v[i].X, ey = v[j].Y - v[i].Y;
    const float wx = px - v[i].X, wy = py - v[i].Y;
    const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
    const float bx = wx - ex * t, by = wy - ey * t;
    d = std::min(d, bx * bx + by * by);
    const bool c1 = py >= v[i].Y, c2 = py<v[j].Y, c3 = ex * wy> ey * wx;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
  }
  return s * std::sqrt(d);
}

FieldSample Unite(FieldSample a, float d, Part part) {
  return d < a.D ? FieldSample{d, part} : a;
}
FieldSample Carve(FieldSample a, float d) {
  return {std::max(a.D, -d), a.Nearest};
}

// The horse's head and neck in profile, facing left (x < 0), feet of the neck at y = 0.
const std::vector<V3>& HorseOutline() {
  static const std::vector<V3> kOutline = {{17, 0},   {20, 18},  {21, 36},  {18, 56},  {13, 72},  {7, 84},
                                           {3, 95},   {-1, 99},  {-4, 92},  {-10, 86}, {-19, 79}, {-27, 70},
                                           {-33, 61}, {-35, 53}, {-32, 46}, {-24, 45}, {-16, 48}, {-10, 44},
                                           {-10, 32}, {-15, 18}, {-19, 0}};
  return kOutline;
}

// The horse's head placed at `base`, scaled by `k`, with its gold mane and eyes.
FieldSample AddHorse(FieldSample s, V3 p, V3 base, float k) {
  V3 q = (p - base) * (1.f / k);
  q.X = -q.X;  // the outline is drawn facing left; the horse looks right
  const float halfT = 6.5f + 3.f * std::clamp((q.X + 30.f) / 50.f, 0.f, 1.f);
  const float d2 = SdPolygon(HorseOutline(), q.X, q.Y);
  const float dz = std::fabs(q.Z) - halfT;
  const float ox = std::max(d2, 0.f), oz = std::max(dz, 0.f);
  float d = std::min(std::max(d2, dz), 0.f) + std::sqrt(ox * ox + oz * oz) - 3.f;
  // Rounded cheeks and a full chest blended into the flat profile.
  d = SmoothMin(d, SdSphere({q.X, q.Y, q.Z * 1.25f}, {-17, 60, 0}, 12.5f), 5.f);
  d = SmoothMin(d, SdSphere({q.X, q.Y, q.Z * 1.1f}, {-6, 26, 0}, 11.5f), 5.f);
  // Nostril and mouth grooves carved into the muzzle.
  d = std::max(d, -SdSphere({q.X, q.Y, std::fabs(q.Z)}, {-33, 56, halfT + 2.5f}, 2.2f));
  d = std::max(d, -SdRoundBox(q, {-31, 48.5f, 0}, {5, 0.8f, 20}, 0.4f));
  s = Unite(s, d * k, Part::Body);
  // Eyes.
  s = Unite(s, SdSphere({q.X, q.Y, std::fabs(q.Z)}, {-12, 78, halfT + 1.8f}, 2.6f) * k, Part::Trim);
  // The mane: a row of beads just proud of the back of the neck, from the poll down.
  static const V3 kRidge[] = {{2, 94},  {6, 86},  {10, 78}, {14, 68}, {17, 57},
                              {19, 46}, {20, 35}, {20, 24}, {19, 13}};
  for (int i = 0; i < 9; ++i)
    for (const float side : {-2.6f, 2.6f})
      s = Unite(s, SdSphere(q, kRidge[i] + V3{3.6f, 0, side}, 4.4f - 0.2f * i) * k, Part::Trim);
  return s;
}

// The common foot of the larger figures: a rounded plinth and a trim ring.
Profile& Foot(Profile& p, float r) {
  return p.Disc(0, 7, r, 2.5f).Ring(8.5f, r - 5.f, 3.2f, true).Curve(9.f, 15.f, r - 6.f, r - 9.f, 0.6f);
}

}  // namespace

Profile::Profile(float height)
    : height_(height), r_(static_cast<size_t>(height / kStep) + 2, -1.f), trim_(r_.size(), 0) {}

void Profile::Merge(float y0, float y1, bool trim, const std::function<float(float)>& r) {
  for (size_t i = 0; i < r_.size(); ++i) {
    const float y = i * kStep;
    if (y < y0 || y > y1) continue;
    const float v = r(y);
    if (v <= 0) continue;
    if (trim && v >= r_[i] - 0.3f) trim_[i] = 1;
    if (!trim && v > r_[i] + 0.3f) trim_[i] = 0;
    r_[i] = r_[i] > 0 ? SmoothMax(r_[i], v, 1.2f) : v;
  }
}

Profile& Profile::Disc(float y0, float y1, float r, float round, bool trim) {
  Merge(y0, y1, trim, [=](float y) {
    const float edge = std::min(y - y0, y1 - y);
    if (edge >= round) return r;
    const float dy = round - edge;
    return r - round + std::sqrt(std::max(round * round - dy * dy, 0.f));
  });
  return *this;
}

Profile& Profile::Ring(float yc, float r, float tube, bool trim) {
  Merge(yc - tube, yc + tube, trim,
        [=](float y) { return r + std::sqrt(std::max(tube * tube - (y - yc) * (y - yc), 0.f)); });
  return *this;
}

Profile& Profile::Ellipsoid(float yc, float ry, float rx, bool trim) {
  Merge(yc - ry, yc + ry, trim, [=](float y) {
    const float t = (y - yc) / ry;
    return rx * std::sqrt(std::max(1 - t * t, 0.f));
  });
  return *this;
}

Profile& Profile::Curve(float y0, float y1, float r0, float r1, float bend, bool trim) {
  Merge(y0, y1, trim, [=](float y) {
    const float t = (y - y0) / (y1 - y0);
    return r0 + (r1 - r0) * std::pow(t, bend);
  });
  return *this;
}

float Profile::Radius(float y) const {
  if (y < 0 || y > height_) return -1.f;
  const float f = y / kStep;
  const size_t i = std::min(static_cast<size_t>(f), r_.size() - 2);
  const float t = f - i;
  const float a = r_[i], b = r_[i + 1];
  if (a <= 0 || b <= 0) return std::max(a, b) > 0 && t > 0.5f ? b : (t <= 0.5f ? a : b);
  return a + (b - a) * t;
}

float Profile::Slope(float y) const {
  const float h = 0.4f;
  const float a = Radius(y - h), b = Radius(y + h);
  const float ra = a > 0 ? a : 0.f, rb = b > 0 ? b : 0.f;
  return (rb - ra) / (2 * h);
}

bool Profile::TrimAt(float y) const {
  if (y < 0 || y > height_) return false;
  return trim_[std::min(static_cast<size_t>(std::lround(y / kStep)), trim_.size() - 1)] != 0;
}

FieldSample FigureModel::Field(V3 p) const {
  if (Mirrored) p.X = -p.X;
  const float rho = std::sqrt(p.X * p.X + p.Z * p.Z);
  const float r = Body.Radius(p.Y);
  float d;
  if (r <= 0) {
    d = std::max(rho, 0.4f);
  } else {
    const float s = Body.Slope(p.Y);
    d = (rho - r) / std::sqrt(1 + s * s);
  }
  FieldSample sample{d, Body.TrimAt(p.Y) ? Part::Trim : Part::Body};
  return Extras ? Extras(p, sample) : sample;
}

FigureModel MakeFigure(FigureKind kind) {
  switch (kind) {
    case FigureKind::Pawn: {
      Profile p(84);
      p.Disc(0, 6, 21, 2.2f).Ring(7.5f, 16, 3, true).Curve(9, 44, 15, 7, 0.45f).Disc(42, 47, 13, 2, true);
      p.Curve(47, 52, 8, 6.5f, 1).Ellipsoid(65.5f, 16.5f, 16.5f);
      return {p, 24, false, nullptr};
    }
    case FigureKind::Rook: {
      Profile p(106);
      Foot(p, 25).Curve(12, 72, 19, 15.5f, 0.7f).Ring(42, 16.3f, 1.6f, true).Disc(72, 79, 19.5f, 2, true);
      p.Disc(79, 104, 18.5f, 1.5f).Ring(82, 19.2f, 1.5f, true);
      return {p, 28, false, [](V3 q, FieldSample s) {
                // Hollow top and eight merlons cut by four slots.
                s = Carve(s, SdRoundBox(q, {0, 106, 0}, {12.5f, 9, 12.5f}, 3));
                for (int i = 0; i < 4; ++i) {
                  const float a = i * 0.7853982f, c = std::cos(a), sn = std::sin(a);
                  const V3 r{q.X * c - q.Z * sn, q.Y, q.X * sn + q.Z * c};
                  s = Carve(s, SdRoundBox(r, {0, 102, 0}, {3.6f, 8, 30}, 0.8f));
                }
                return s;
              }};
    }
    case FigureKind::Bishop: {
      Profile p(134);
      Foot(p, 25).Curve(12, 70, 18, 8, 0.5f).Disc(68, 74, 15.5f, 2.5f, true).Ring(77, 11, 2.4f, true);
      p.Ellipsoid(99, 24, 14.5f).Curve(121, 124, 4, 3, 1).Ellipsoid(128, 5.3f, 5.3f, true);
      return {p, 28, false, [](V3 q, FieldSample s) {
                // The mitre's slanted slit.
                const V3 c{0, 106, 0};
                const V3 n = Normalize({0.72f, 0.69f, 0});
                const float slab = std::fabs(Dot(q - c, n)) - 1.6f;
                const float side = -(q.X + 2.f);
                return Carve(s, std::max(slab, side));
              }};
    }
    case FigureKind::Queen: {
      Profile p(156);
      Foot(p, 25).Curve(12, 90, 18.5f, 8.5f, 0.5f).Disc(87, 93, 16, 2.2f, true).Ring(96, 12, 2.4f, true);
      p.Curve(98, 130, 9, 16.5f, 1.6f).Ring(131, 15.8f, 2.5f, true).Ellipsoid(130, 12, 12.5f);
      p.Curve(141, 143, 3.2f, 3.2f, 1).Ellipsoid(147.5f, 5.5f, 5.5f, true);
      return {
          p, 28, false, [](V3 q, FieldSample s) {
            // The crown's points.
            for (int i = 0; i < 9; ++i) {
              const float a = i * 6.2831853f / 9;
              s = Unite(s, SdSphere(q, {15.5f * std::cos(a), 136.5f, 15.5f * std::sin(a)}, 3.1f), Part::Trim);
            }
            return s;
          }};
    }
    case FigureKind::King: {
      Profile p(174);
      Foot(p, 26).Curve(12, 96, 19, 9, 0.5f).Disc(94, 99, 16.5f, 2.2f, true).Ring(102, 12.5f, 2.4f, true);
      p.Curve(104, 140, 10, 17, 1.6f).Ring(141, 16.5f, 2.5f, true).Ellipsoid(141, 10, 15.5f);
      p.Disc(149, 153, 5.5f, 1.2f, true);
      return {p, 28, false, [](V3 q, FieldSample s) {
                s = Unite(s, SdRoundBox(q, {0, 162.5f, 0}, {3.2f, 10.5f, 3.2f}, 1.2f), Part::Trim);
                s = Unite(s, SdRoundBox(q, {0, 164, 0}, {9, 3.2f, 3.2f}, 1.2f), Part::Trim);
                return s;
              }};
    }
    case FigureKind::Knight: {
      Profile p(124);
      Foot(p, 25).Curve(12, 24, 18, 16, 1);
      return {p, 40, false, [](V3 q, FieldSample s) { return AddHorse(s, q, {0, 22, 0}, 1.f); }};
    }
    case FigureKind::Zelmar: {
      Profile p(168);
      Foot(p, 25).Curve(12, 74, 18.5f, 9, 0.5f).Disc(72, 78, 16, 2.2f, true).Ring(81, 12, 2.4f, true);
      p.Curve(82, 88, 11, 12, 1);
      return {p, 40, false, [](V3 q, FieldSample s) {
                s = AddHorse(s, q, {-3, 84, 0}, 0.85f);
                // A crown on the horse's poll: a gold band with five pointed tines and pearls.
                const V3 c{-1.f, 163.f, 0};
                const float rho = std::sqrt((q.X - c.X) * (q.X - c.X) + (q.Z - c.Z) * (q.Z - c.Z));
                const float band = std::max(std::fabs(rho - 10.f) - 1.8f, std::fabs(q.Y - c.Y) - 3.f) - 0.6f;
                s = Unite(s, band, Part::Trim);
                for (int i = 0; i < 5; ++i) {
                  const float a = i * 6.2831853f / 5 + 0.3f;
                  const V3 tip{c.X + 10.f * std::cos(a), c.Y + 9.f, c.Z + 10.f * std::sin(a)};
                  // A tine tapering from the band to a pearl.
                  const V3 base{tip.X, c.Y + 2.f, tip.Z};
                  const V3 ab = tip - base;
                  const float t = std::clamp(Dot(q - base, ab) / Dot(ab, ab), 0.f, 1.f);
                  s = Unite(s, Length(q - (base + ab * t)) - (2.4f - 1.4f * t), Part::Trim);
                  s = Unite(s, SdSphere(q, tip + V3{0, 1.2f, 0}, 1.9f), Part::Trim);
                }
                return s;
              }};
    }
  }
  return {Profile(1), 1, false, nullptr};
}

}  // namespace zelmar::content
