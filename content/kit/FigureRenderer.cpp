#include "content/kit/FigureRenderer.h"

#include <algorithm>
#include <cmath>

#include "content/kit/Noise.h"
#include "content/kit/Paint.h"

namespace zelmar::content {
namespace {

struct Materials {
  V3 Body, Trim;
  float BodySpec, BodyPower, BodySheen;
  bool Dark;
};

Materials MaterialsOf(Army army) {
  if (army == Army::Blondes) return {{0.93f, 0.87f, 0.73f}, {1.0f, 0.76f, 0.33f}, 0.35f, 40.f, 0.25f, false};
  return {{0.105f, 0.066f, 0.046f}, {0.80f, 0.50f, 0.26f}, 0.55f, 90.f, 0.6f, true};
}

// A warm studio surrounding seen in reflections: dark floor, bright soft box above and to the left.
V3 Environment(V3 r) {
  const float up = std::clamp(r.Y * 0.5f + 0.5f, 0.f, 1.f);
  V3 c = Lerp(V3{0.10f, 0.07f, 0.05f}, V3{0.85f, 0.80f, 0.72f}, std::pow(up, 1.5f));
  const float box = std::max(0.f, Dot(r, Normalize({-0.55f, 0.7f, 0.45f})));
  c = c + V3{1.f, 0.95f, 0.85f} * (std::pow(box, 24.f) * 1.6f);
  const float band = std::exp(-std::pow((r.Y - 0.05f) * 7.f, 2.f));
  return c + V3{0.35f, 0.30f, 0.24f} * band;
}

struct Ray {
  V3 O, D;
};

// The parameter range over which the ray crosses the model's bounding box, or false when it misses.
bool ClipToBox(const Ray& ray, float bound, float top, float& t0, float& t1) {
  t0 = -1e9f;
  t1 = 1e9f;
  const float lo[3] = {-bound, -1.f, -bound}, hi[3] = {bound, top, bound};
  const float o[3] = {ray.O.X, ray.O.Y, ray.O.Z}, d[3] = {ray.D.X, ray.D.Y, ray.D.Z};
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
bool March(const FigureModel& m, const Ray& ray, float top, V3& hit) {
  float t0, t1;
  if (!ClipToBox(ray, m.Bound, top, t0, t1)) return false;
  float t = t0, prev = t0;
  for (int i = 0; i < 600 && t <= t1; ++i) {
    const float d = m.Field(ray.O + ray.D * t).D;
    if (d < 0) {
      float a = prev, b = t;
      for (int k = 0; k < 10; ++k) {
        const float mid = (a + b) / 2;
        (m.Field(ray.O + ray.D * mid).D < 0 ? b : a) = mid;
      }
      hit = ray.O + ray.D * b;
      return true;
    }
    prev = t;
    t += std::clamp(d * 0.7f, 0.12f, 3.f);
  }
  return false;
}

V3 NormalAt(const FigureModel& m, V3 p) {
  const float e = 0.12f;
  const float dx = m.Field(p + V3{e, 0, 0}).D - m.Field(p - V3{e, 0, 0}).D;
  const float dy = m.Field(p + V3{0, e, 0}).D - m.Field(p - V3{0, e, 0}).D;
  const float dz = m.Field(p + V3{0, 0, e}).D - m.Field(p - V3{0, 0, e}).D;
  return Normalize({dx, dy, dz});
}

// Ambient occlusion from a few field samples along the normal.
float Occlusion(const FigureModel& m, V3 p, V3 n) {
  float occ = 0, w = 1;
  for (int i = 1; i <= 5; ++i) {
    const float h = 1.4f * i;
    occ += (h - std::max(m.Field(p + n * h).D, 0.f)) * w;
    w *= 0.6f;
  }
  return std::clamp(1.f - occ * 0.11f, 0.f, 1.f);
}

// Lights the surface point: wrapped diffuse, highlights, reflections and a rim.
V3 Shade(const FigureModel& m, const Materials& mat, V3 p, V3 view) {
  const V3 n = NormalAt(m, p);
  const Part part = m.Field(p).Nearest;
  const float ao = Occlusion(m, p, n);
  const V3 key = Normalize({-0.55f, 0.72f, 0.55f}), fill = Normalize({0.85f, 0.25f, 0.45f}),
           rim = Normalize({0.5f, 0.4f, -0.8f});
  const V3 r = Reflect(view * -1.f, n);
  const float nv = std::max(Dot(n, view), 0.f);
  const float fres = 0.04f + 0.96f * std::pow(1 - nv, 5.f);
  const float rimLight = std::pow(std::max(Dot(r, rim), 0.f), 6.f) * 0.5f + std::pow(1 - nv, 3.f) * 0.12f;
  if (part == Part::Trim) {
    // Polished metal: the tinted surrounding plus sharp highlights.
    const V3 env = Environment(r);
    const float specular = std::pow(std::max(Dot(Normalize(key + view), n), 0.f), 120.f);
    V3 c = mat.Trim * env * (0.95f * (0.45f + 0.55f * ao)) + mat.Trim * (specular * 1.3f) +
           V3{1, 1, 1} * (specular * 0.3f);
    return c + mat.Trim * rimLight;
  }
  // 1. Base colour with a fine grain (ivory) or long streaks (ebony).
  V3 albedo = mat.Body;
  if (mat.Dark) {
    const float g = Fbm(p.X * 0.09f + p.Z * 0.07f, p.Y * 0.9f, 3, 11);
    albedo = albedo * (0.75f + 0.6f * g);
  } else {
    const float g = Fbm(p.X * 0.15f + p.Z * 0.11f, p.Y * 0.05f, 3, 7);
    albedo = albedo * (0.95f + 0.08f * g);
  }
  // 2. Diffuse light, wrapped for the soft look of polished bone and wood.
  const float kd = std::max((Dot(n, key) + 0.25f) / 1.25f, 0.f);
  const float fd = std::max(Dot(n, fill), 0.f);
  const float sky = 0.5f + 0.5f * n.Y;
  V3 c = albedo * (kd * 0.95f + fd * 0.22f + (0.22f + 0.18f * sky) * ao);
  // 3. Highlights and reflections of the clear coat.
  const float specular = std::pow(std::max(Dot(Normalize(key + view), n), 0.f), mat.BodyPower);
  c = c + V3{1.f, 0.97f, 0.9f} * (specular * mat.BodySpec) + Environment(r) * (fres * mat.BodySheen * ao);
  return c + V3{0.9f, 0.85f, 0.8f} * (rimLight * (mat.Dark ? 0.9f : 0.4f));
}

// Soft highlight roll-off so bright spots never clip hard.
float Tone(float v) {
  return v < 0.85f ? v : 0.85f + 0.15f * (1 - std::exp(-(v - 0.85f) / 0.15f));
}

}  // namespace

Image RenderFigure(const FigureModel& model, Army army, const FigureView& view) {
  const Materials mat = MaterialsOf(army);
  const float e = view.Elevation * 3.14159265f / 180.f;
  const V3 dir{0, -std::sin(e), -std::cos(e)};
  const V3 up{0, std::cos(e), -std::sin(e)};
  const float top = model.Body.Height() + 14.f;
  Image fig(view.Width, view.Height);
  const int ss = std::max(1, view.Samples);
  // 1. Trace every sample of every pixel.
  for (int py = 0; py < view.Height; ++py)
    for (int px = 0; px < view.Width; ++px) {
      Rgba acc;
      for (int j = 0; j < ss; ++j)
        for (int i = 0; i < ss; ++i) {
          const float sx = (px + (i + 0.5f) / ss - view.FootX) / (view.Scale * view.Stretch);
          const float sy = (view.FootY - py - (j + 0.5f) / ss) / view.Scale;
          const Ray ray{V3{sx, 0, 0} + up * sy - dir * 400.f, dir};
          V3 hit;
          if (!March(model, ray, top, hit)) continue;
          const V3 c = Shade(model, mat, hit, dir * -1.f);
          acc = acc + Rgba{Tone(c.X), Tone(c.Y), Tone(c.Z), 1.f};
        }
      fig.At(px, py) = acc * (1.f / (ss * ss));
    }
  if (view.Shadow <= 0) return fig;
  // 2. A soft contact shadow under the foot, then the figure over it.
  Image out(view.Width, view.Height);
  const float r = model.Body.Radius(1.f) * view.Scale;
  FillEllipse(out, view.FootX + r * 0.12f, view.FootY - r * 0.05f, r * 1.12f * view.Stretch,
              r * std::sin(e) * 1.2f, Rgba{0, 0, 0, view.Shadow});
  out = Blur(out, std::max(1, static_cast<int>(r * 0.12f)));
  // The shadow fades out before the cell's edges so nothing touches the border.
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const float edge =
          static_cast<float>(std::min(std::min(x, out.Width() - 1 - x), std::min(y, out.Height() - 1 - y)));
      out.At(x, y) = out.At(x, y) * std::clamp(edge / 5.f, 0.f, 1.f);
    }
  out.Draw(fig, 0, 0);
  return out;
}

}  // namespace zelmar::content
