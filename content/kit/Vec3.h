// Three-component vectors for the figure renderer.
#pragma once
#include <cmath>

namespace zelmar::content {

struct V3 {
  float x = 0, y = 0, z = 0;
};
inline V3 operator+(V3 a, V3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, float k) {
  return {a.x * k, a.y * k, a.z * k};
}
inline V3 operator*(V3 a, V3 b) {
  return {a.x * b.x, a.y * b.y, a.z * b.z};
}
inline float dot(V3 a, V3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float length(V3 a) {
  return std::sqrt(dot(a, a));
}
inline V3 normalize(V3 a) {
  return a * (1.f / std::max(length(a), 1e-8f));
}
inline V3 lerp(V3 a, V3 b, float t) {
  return a * (1 - t) + b * t;
}
inline V3 reflect(V3 d, V3 n) {
  return d - n * (2 * dot(d, n));
}

}  // namespace zelmar::content
