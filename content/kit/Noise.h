// Deterministic procedural noise: the grain of wood, the veins of marble, the texture of stone.
#pragma once
#include <cstdint>

namespace zelmar::content {

// A 32-bit integer hash, the root of every pseudo-random value in the content.
uint32_t Hash32(uint32_t x);
// A hash of two lattice coordinates and a seed, mapped to [0, 1).
float Hash2(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1] at a real position.
float ValueNoise(float x, float y, uint32_t seed);
// Fractal sum of `octaves` layers of value noise, normalised to [0, 1].
float Fbm(float x, float y, int octaves, uint32_t seed);

// A tiny deterministic generator for scattering details (stones, stars, notes).
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() { return state_ = Hash32(state_ + 0x9e3779b9u); }
  // A real in [0, 1).
  float Unit() { return static_cast<float>(Next() >> 8) * (1.f / 16777216.f); }
  // A real in [lo, hi).
  float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }

 private:
  uint32_t state_;
};

}  // namespace zelmar::content
