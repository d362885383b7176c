#include "content/kit/Noise.h"

#include <cmath>

namespace zelmar::content {

uint32_t Hash32(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

float Hash2(int x, int y, uint32_t seed) {
  const uint32_t h =
      Hash32(static_cast<uint32_t>(x) * 73856093u ^ Hash32(static_cast<uint32_t>(y) * 19349663u ^ seed));
  return (h >> 8) * (1.f / 16777216.f);
}

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float a = Hash2(ix, iy, seed), b = Hash2(ix + 1, iy, seed);
  const float c = Hash2(ix, iy + 1, seed), d = Hash2(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + i * 1013u) * amp;
    norm += amp;
    amp *= 0.5f;
    // Rotate a little between octaves so the lattice does not show.
    const float nx = x * 1.6f + y * 1.2f, ny = -x * 1.2f + y * 1.6f;
    x = nx + 5.3f;
    y = ny + 1.7f;
  }
  return sum / norm;
}

}  // namespace zelmar::content
