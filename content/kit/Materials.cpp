#include "content/kit/Materials.h"

#include <algorithm>
#include <cmath>

#include "content/kit/Noise.h"

namespace zelmar::content {

Rgba Wood(float x, float y, const WoodTone& tone, uint32_t seed) {
  // Rings: distance from a far-away, slightly wandering heart line, disturbed by noise.
  const float warp = Fbm(x * 0.004f, y * 0.03f, 4, seed) * 18.f;
  const float heart = y * 0.9f + std::sin(x * 0.003f + seed) * 14.f + warp;
  float ring = std::fmod(std::fabs(heart) * 0.09f * tone.Rings, 1.f);
  ring = std::pow(std::sin(ring * 3.14159265f), 4.f);
  const float streak = Fbm(x * 0.01f, y * 0.5f, 3, seed + 5);
  const float pores = ValueNoise(x * 0.6f, y * 3.f, seed + 9);
  float t = std::clamp(0.55f * ring + 0.45f * streak, 0.f, 1.f);
  Rgba c = Mix(tone.Light, tone.Dark, t);
  c = c * (0.93f + 0.1f * pores);
  c.A = 1;
  return c;
}

Rgba Marble(float x, float y, const MarbleTone& tone, uint32_t seed) {
  // Broad clouds, a few long soft veins following a warped diagonal, and faint hair-lines.
  const float warp = Fbm(x * 0.004f, y * 0.004f, 5, seed) * 7.f;
  const float v = std::fabs(std::sin(x * 0.006f + y * 0.004f + warp));
  const float vein = std::pow(1.f - v, 14.f);
  const float hair = std::pow(
      1.f - std::fabs(std::sin(x * 0.011f - y * 0.008f + Fbm(x * 0.01f, y * 0.01f, 4, seed + 3) * 6.f)),
      40.f);
  const float cloud = Fbm(x * 0.003f + 3, y * 0.003f, 4, seed + 7);
  Rgba c = Mix(tone.Base, tone.Cloud, std::clamp(cloud * 1.4f - 0.4f, 0.f, 1.f) * 0.7f);
  c = Mix(c, tone.Vein, std::clamp(vein * 0.55f + hair * 0.12f, 0.f, 1.f));
  c.A = 1;
  return c;
}

Rgba Stone(float x, float y, Rgba tint, uint32_t seed) {
  const float n = Fbm(x * 0.05f, y * 0.05f, 5, seed);
  const float grit = Hash2(static_cast<int>(x), static_cast<int>(y), seed) * 0.08f;
  Rgba c = tint * (0.75f + 0.45f * n + grit);
  c.A = 1;
  return c;
}

Rgba Brass(float t) {
  t = std::clamp(t, 0.f, 1.f);
  const Rgba dark = Premultiplied(0.36f, 0.22f, 0.08f), mid = Premultiplied(0.78f, 0.56f, 0.22f),
             light = Premultiplied(1.f, 0.90f, 0.58f);
  return t < 0.6f ? Mix(dark, mid, t / 0.6f) : Mix(mid, light, (t - 0.6f) / 0.4f);
}

WoodTone MapleTone() {
  return {Premultiplied(0.90f, 0.74f, 0.50f), Premultiplied(0.76f, 0.56f, 0.33f), 1.f};
}
WoodTone WalnutTone() {
  return {Premultiplied(0.46f, 0.28f, 0.15f), Premultiplied(0.27f, 0.15f, 0.08f), 1.3f};
}
WoodTone FrameWoodTone() {
  return {Premultiplied(0.30f, 0.16f, 0.08f), Premultiplied(0.17f, 0.08f, 0.04f), 1.6f};
}
MarbleTone WhiteMarble() {
  return {Premultiplied(0.93f, 0.92f, 0.89f), Premultiplied(0.52f, 0.52f, 0.55f),
          Premultiplied(0.84f, 0.83f, 0.82f)};
}
MarbleTone GreenMarble() {
  return {Premultiplied(0.24f, 0.42f, 0.35f), Premultiplied(0.78f, 0.86f, 0.80f),
          Premultiplied(0.13f, 0.27f, 0.21f)};
}
MarbleTone DarkMarble() {
  return {Premultiplied(0.12f, 0.11f, 0.11f), Premultiplied(0.40f, 0.36f, 0.32f),
          Premultiplied(0.20f, 0.18f, 0.17f)};
}

}  // namespace zelmar::content
