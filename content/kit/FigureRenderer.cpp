#include "content/kit/FigureRenderer.h"

#include <algorithm>
#include <cmath>

#include "content/kit/Noise.h"
#include "content/kit/Paint.h"

namespace zelmar::content {
namespace {

struct Materials {
  V3 body, trim;
  float bodySpec, bodyPower, bodySheen;
  bool dark;
};

Materials materialsOf(Army army) {
  if (army == Army::Blondes) return {{0.93f, 0.87f, 0.73f}, {1.0f, 0.76f, 0.33f}, 0.35f, 40.f, 0.25f, false};
  return {{0.105f, 0.066f, 0.046f}, {0.80f, 0.50f, 0.26f}, 0.55f, 90.f, 0.6f, true};
}

// A warm studio surrounding seen in reflections: dark floor, bright soft box above and to the left.
V3 environment(V3 r) {
  const float up = std::clamp(r.y * 0.5f + 0.5f, 0.f, 1.f);
  V3 c = lerp(V3{0.10f, 0.07f, 0.05f}, V3{0.85f, 0.80f, 0.72f}, std::pow(up, 1.5f));
  const float box = std::max(0.f, dot(r, normalize({-0.55f, 0.7f, 0.45f})));
  c = c + V3{1.f, 0.95f, 0.85f} * (std::pow(box, 24.f) * 1.6f);
  const float band = std::exp(-std::pow((r.y - 0.05f) * 7.f, 2.f));
  return c + V3{0.35f, 0.30f, 0.24f} * band;
}

struct Ray {
  V3 o, d;
};

// The parameter range over which the ray crosses the model's bounding box, or false when it misses.
bool clipToBox(const Ray& ray, float bound, float top, float& t0, float& t1) {
  t0 = -1e9f;
  t1 = 1e9f;
  const float lo[3] = {-bound, -1.f, -bound}, hi[3] = {bound, top, bound};
  const float o[3] = {ray.o.x, ray.o.y, ray.o.z}, d[3] = {ray.d.x, ray.d.y, ray.d.z};
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(d[i]) < 1e-8f) {
      if (o[i] < lo[i] || o[i] > hi[i]) return false;
      continue;
    }
    float a = (lo[i] - o[i]) / d[i], b = (hi[i] - o[i]) / d[i];
    if (a > b) std::swap(a, b);
    t0 = std::max(t0, a);
    t1 = std::min(t1, b);
  }
  return t0 < t1;
}

// Marches the ray until it enters the figure; the hit point is refined by bisection.
bool march(const FigureModel& m, const Ray& ray, float top, V3& hit) {
  float t0, t1;
  if (!clipToBox(ray, m.bound, top, t0, t1)) return false;
  float t = t0, prev = t0;
  for (int i = 0; i < 600 && t <= t1; ++i) {
    const float d = m.field(ray.o + ray.d * t).d;
    if (d < 0) {
      float a = prev, b = t;
      for (int k = 0; k < 10; ++k) {
        const float mid = (a + b) / 2;
        (m.field(ray.o + ray.d * mid).d < 0 ? b : a) = mid;
      }
      hit = ray.o + ray.d * b;
      return true;
    }
    prev = t;
    t += std::clamp(d * 0.7f, 0.12f, 3.f);
  }
  return false;
}

V3 normalAt(const FigureModel& m, V3 p) {
  const float e = 0.12f;
  const float dx = m.field(p + V3{e, 0, 0}).d - m.field(p - V3{e, 0, 0}).d;
  const float dy = m.field(p + V3{0, e, 0}).d - m.field(p - V3{0, e, 0}).d;
  const float dz = m.field(p + V3{0, 0, e}).d - m.field(p - V3{0, 0, e}).d;
  return normalize({dx, dy, dz});
}

// Ambient occlusion from a few field samples along the normal.
float occlusion(const FigureModel& m, V3 p, V3 n) {
  float occ = 0, w = 1;
  for (int i = 1; i <= 5; ++i) {
    const float h = 1.4f * i;
    occ += (h - std::max(m.field(p + n * h).d, 0.f)) * w;
    w *= 0.6f;
  }
  return std::clamp(1.f - occ * 0.11f, 0.f, 1.f);
}

// Lights the surface point: wrapped diffuse, highlights, reflections and a rim.
V3 shade(const FigureModel& m, const Materials& mat, V3 p, V3 view) {
  const V3 n = normalAt(m, p);
  const Part part = m.field(p).part;
  const float ao = occlusion(m, p, n);
  const V3 key = normalize({-0.55f, 0.72f, 0.55f}), fill = normalize({0.85f, 0.25f, 0.45f}),
           rim = normalize({0.5f, 0.4f, -0.8f});
  const V3 r = reflect(view * -1.f, n);
  const float nv = std::max(dot(n, view), 0.f);
  const float fres = 0.04f + 0.96f * std::pow(1 - nv, 5.f);
  const float rimLight = std::pow(std::max(dot(r, rim), 0.f), 6.f) * 0.5f + std::pow(1 - nv, 3.f) * 0.12f;
  if (part == Part::Trim) {
    // Polished metal: the tinted surrounding plus sharp highlights.
    const V3 env = environment(r);
    const float specular = std::pow(std::max(dot(normalize(key + view), n), 0.f), 120.f);
    V3 c = mat.trim * env * (0.95f * (0.45f + 0.55f * ao)) + mat.trim * (specular * 1.3f) +
           V3{1, 1, 1} * (specular * 0.3f);
    return c + mat.trim * rimLight;
  }
  // 1. Base colour with a fine grain (ivory) or long streaks (ebony).
  V3 albedo = mat.body;
  if (mat.dark) {
    const float g = fbm(p.x * 0.09f + p.z * 0.07f, p.y * 0.9f, 3, 11);
    albedo = albedo * (0.75f + 0.6f * g);
  } else {
    const float g = fbm(p.x * 0.15f + p.z * 0.11f, p.y * 0.05f, 3, 7);
    albedo = albedo * (0.95f + 0.08f * g);
  }
  // 2. Diffuse light, wrapped for the soft look of polished bone and wood.
  const float kd = std::max((dot(n, key) + 0.25f) / 1.25f, 0.f);
  const float fd = std::max(dot(n, fill), 0.f);
  const float sky = 0.5f + 0.5f * n.y;
  V3 c = albedo * (kd * 0.95f + fd * 0.22f + (0.22f + 0.18f * sky) * ao);
  // 3. Highlights and reflections of the clear coat.
  const float specular = std::pow(std::max(dot(normalize(key + view), n), 0.f), mat.bodyPower);
  c = c + V3{1.f, 0.97f, 0.9f} * (specular * mat.bodySpec) + environment(r) * (fres * mat.bodySheen * ao);
  return c + V3{0.9f, 0.85f, 0.8f} * (rimLight * (mat.dark ? 0.9f : 0.4f));
}

// Soft highlight roll-off so bright spots never clip hard.
float tone(float v) {
  return v < 0.85f ? v : 0.85f + 0.15f * (1 - std::exp(-(v - 0.85f) / 0.15f));
}

}  // namespace

Image renderFigure(const FigureModel& model, Army army, const FigureView& view) {
  const Materials mat = materialsOf(army);
  const float e = view.elevation * 3.14159265f / 180.f;
  const V3 dir{0, -std::sin(e), -std::cos(e)};
  const V3 up{0, std::cos(e), -std::sin(e)};
  const float top = model.body.height() + 14.f;
  Image fig(view.width, view.height);
  const int ss = std::max(1, view.samples);
  // 1. Trace every sample of every pixel.
  for (int py = 0; py < view.height; ++py)
    for (int px = 0; px < view.width; ++px) {
      Rgba acc;
      for (int j = 0; j < ss; ++j)
        for (int i = 0; i < ss; ++i) {
          const float sx = (px + (i + 0.5f) / ss - view.footX) / (view.scale * view.stretch);
          const float sy = (view.footY - py - (j + 0.5f) / ss) / view.scale;
          const Ray ray{V3{sx, 0, 0} + up * sy - dir * 400.f, dir};
          V3 hit;
          if (!march(model, ray, top, hit)) continue;
          const V3 c = shade(model, mat, hit, dir * -1.f);
          acc = acc + Rgba{tone(c.x), tone(c.y), tone(c.z), 1.f};
        }
      fig.at(px, py) = acc * (1.f / (ss * ss));
    }
  if (view.shadow <= 0) return fig;
  // 2. A soft contact shadow under the foot, then the figure over it.
  Image out(view.width, view.height);
  const float r = model.body.radius(1.f) * view.scale;
  fillEllipse(out, view.footX + r * 0.12f, view.footY - r * 0.05f, r * 1.12f * view.stretch,
              r * std::sin(e) * 1.2f, Rgba{0, 0, 0, view.shadow});
  out = blur(out, std::max(1, static_cast<int>(r * 0.12f)));
  // The shadow fades out before the cell's edges so nothing touches the border.
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const float edge =
          static_cast<float>(std::min(std::min(x, out.width() - 1 - x), std::min(y, out.height() - 1 - y)));
      out.at(x, y) = out.at(x, y) * std::clamp(edge / 5.f, 0.f, 1.f);
    }
  out.draw(fig, 0, 0);
  return out;
}

}  // namespace zelmar::content
