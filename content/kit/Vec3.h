// Three-component vectors for the figure renderer.
#pragma once
#include <cmath>

namespace zelmar::content {

struct V3 {
  float X = 0, Y = 0, Z = 0;
};
inline V3 operator+(V3 a, V3 b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
inline V3 operator-(V3 a, V3 b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
inline V3 operator*(V3 a, float k) {
  return {a.X * k, a.Y * k, a.Z * k};
}
inline V3 operator*(V3 a, V3 b) {
  return {a.X * b.X, a.Y * b.Y, a.Z * b.Z};
}
inline float Dot(V3 a, V3 b) {
  return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
inline float Length(V3 a) {
  return std::sqrt(Dot(a, a));
}
inline V3 Normalize(V3 a) {
  return a * (1.f / std::max(Length(a), 1e-8f));
}
inline V3 Lerp(V3 a, V3 b, float t) {
  return a * (1 - t) + b * t;
}
inline V3 Reflect(V3 d, V3 n) {
  return d - n * (2 * Dot(d, n));
}

}  // namespace zelmar::content
