// Deterministic procedural noise: the grain of wood, the veins of marble, the texture of stone.
#pragma once
#include <cstdint>

namespace zelmar::content {

// A 32-bit integer hash, the root of every pseudo-random value in the content.
uint32_t hash32(uint32_t x);
// A hash of two lattice coordinates and a seed, mapped to [0, 1).
float hash2(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1] at a real position.
float valueNoise(float x, float y, uint32_t seed);
// Fractal sum of `octaves` layers of value noise, normalised to [0, 1].
float fbm(float x, float y, int octaves, uint32_t seed);

// A tiny deterministic generator for scattering details (stones, stars, notes).
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t next() { return state_ = hash32(state_ + 0x9e3779b9u); }
  // A real in [0, 1).
  float unit() { return static_cast<float>(next() >> 8) * (1.f / 16777216.f); }
  // A real in [lo, hi).
  float range(float lo, float hi) { return lo + (hi - lo) * unit(); }

 private:
  uint32_t state_;
};

}  // namespace zelmar::content
