#include <algorithm>
#include <cmath>

#include "content/gen/Grounds.h"
#include "content/kit/BoardGeometry.h"
#include "content/kit/Materials.h"
#include "content/kit/Noise.h"
#include "content/kit/Paint.h"

namespace zelmar::content {
namespace {

struct Style {
  Location Where;
  // Floor colour at board coordinates (u, v in square units, board from 0 to 8).
  Rgba Floor(float u, float v) const;
  Rgba Square(bool light, float u, float v, uint32_t seed) const;
  Rgba Frame(float u, float v) const;
};

// Castle floor: staggered flagstones and a red carpet with a gold border under the board.
Rgba CastleFloor(float u, float v) {
  const float cu = u + 1.6f, cv = v + 1.6f;
  if (cu > 0 && cv > 0 && cu < 11.2f && cv < 11.2f) {
    const float edge = std::min(std::min(cu, cv), std::min(11.2f - cu, 11.2f - cv));
    const float weave = 0.9f + 0.1f * ValueNoise(u * 40, v * 40, 3);
    Rgba c = Premultiplied(0.45f, 0.06f, 0.07f) * weave;
    if (edge < 0.55f) {
      c = Premultiplied(0.30f, 0.05f, 0.06f) * weave;
      const float band = std::fabs(edge - 0.3f);
      if (band < 0.06f) c = Premultiplied(0.85f, 0.64f, 0.28f) * weave;
      // A row of gold diamonds along the border.
      const float along = (std::min(cu, 11.2f - cu) < std::min(cv, 11.2f - cv)) ? cv : cu;
      const float ph = std::fabs(std::fmod(along * 2.5f, 1.f) - 0.5f) + std::fabs(edge - 0.3f) * 2.5f;
      if (ph < 0.28f) c = Premultiplied(0.78f, 0.58f, 0.24f) * weave;
    } else {
      // A soft medallion pattern in the field.
      const float p = std::sin(cu * 2.2f) * std::sin(cv * 2.2f);
      c = Mix(c, Premultiplied(0.36f, 0.05f, 0.06f), std::clamp(p * 0.6f, 0.f, 0.5f));
    }
    c.A = 1;
    return c;
  }
  // Flagstones 2.4 units deep, rows offset by half a stone.
  const float su = 2.4f, sv = 1.9f;
  const float row = std::floor(v / sv);
  const float uu = u + (static_cast<int>(row) % 2 ? su / 2 : 0);
  const float col = std::floor(uu / su);
  const float fu = uu / su - col, fv = v / sv - row;
  const uint32_t seed = Hash32(static_cast<uint32_t>(col * 131 + row * 977 + 5000));
  const float tone = 0.8f + 0.35f * ((seed >> 8) % 1000) / 1000.f;
  Rgba c = Stone(u * 40, v * 40, Premultiplied(0.42f * tone, 0.38f * tone, 0.34f * tone), seed % 97);
  const float joint = std::min(std::min(fu, 1 - fu) * su, std::min(fv, 1 - fv) * sv);
  if (joint < 0.05f) c = c * (0.35f + joint * 8.f);
  c.A = 1;
  return c;
}

// Town square: rounded cobbles in a cell pattern, a sandstone platform under the board.
Rgba TownFloor(float u, float v) {
  const float pu = u + 1.4f, pv = v + 1.4f;
  if (pu > 0 && pv > 0 && pu < 10.8f && pv < 10.8f) {
    const float su = 1.8f;
    const float fu = pu / su - std::floor(pu / su), fv = pv / su - std::floor(pv / su);
    const uint32_t seed = Hash32(static_cast<uint32_t>(std::floor(pu / su) * 17 + std::floor(pv / su) * 131));
    Rgba c = Stone(u * 50, v * 50, Premultiplied(0.78f, 0.68f, 0.50f) * (0.9f + 0.15f * (seed % 100) / 100.f),
                   seed % 31);
    const float joint = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv)) * su;
    if (joint < 0.04f) c = c * (0.5f + joint * 10.f);
    const float edge = std::min(std::min(pu, pv), std::min(10.8f - pu, 10.8f - pv));
    if (edge < 0.12f) c = c * (0.6f + edge * 3.f);
    c.A = 1;
    return c;
  }
  // Cobbles: the nearest of jittered points gives each stone; darker gaps between stones.
  const float s = 0.5f;
  const float gx = u / s, gy = v / s;
  const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  float best = 9, second = 9;
  uint32_t id = 0;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      const float px = ix + i + 0.2f + 0.6f * Hash2(ix + i, iy + j, 1);
      const float py = iy + j + 0.2f + 0.6f * Hash2(ix + i, iy + j, 2);
      const float d = std::hypot(gx - px, gy - py);
      if (d < best) {
        second = best;
        best = d;
        id = Hash32(static_cast<uint32_t>((ix + i) * 7919 + (iy + j) * 104729));
      } else {
        second = std::min(second, d);
      }
    }
  const float gap = second - best;
  const float t = (id % 1000) / 1000.f;
  Rgba c = Mix(Premultiplied(0.50f, 0.47f, 0.43f), Premultiplied(0.66f, 0.58f, 0.48f), t) *
           (0.88f + 0.22f * ValueNoise(u * 30, v * 30, id % 13));
  // Rounded top: lit on the side facing the sun, darker towards the joints.
  c = c * (1.12f - best * 0.5f);
  // Joints of sand, with moss where the square is less walked.
  const float moss = std::clamp((Fbm(u * 0.6f, v * 0.6f, 3, 41) - 0.5f) * 4.f, 0.f, 1.f);
  const Rgba joint = Mix(Premultiplied(0.42f, 0.37f, 0.29f), Premultiplied(0.28f, 0.36f, 0.18f), moss);
  if (gap < 0.09f) c = Mix(joint * (0.7f + 0.3f * gap / 0.09f), c, std::pow(gap / 0.09f, 2.f));
  c.A = 1;
  return c;
}

Rgba Style::Floor(float u, float v) const {
  return Where == Location::Castle ? CastleFloor(u, v) : TownFloor(u, v);
}

Rgba Style::Square(bool light, float u, float v, uint32_t seed) const {
  if (Where == Location::Castle)
    return light ? Marble(u * 90, v * 90, WhiteMarble(), seed) : Marble(u * 90, v * 90, GreenMarble(), seed);
  return light ? Wood(u * 90, v * 90, MapleTone(), seed) : Wood(u * 90, v * 90, WalnutTone(), seed);
}

Rgba Style::Frame(float u, float v) const {
  const float along = std::fabs(u - 4) > std::fabs(v - 4) ? v : u;
  const float across = std::fabs(u - 4) > std::fabs(v - 4) ? u : v;
  return Wood(along * 120, across * 120, Where == Location::Castle ? FrameWoodTone() : WalnutTone(), 17);
}

std::vector<Pt> BoardRect(const Homography& h, float lo, float hi) {
  return {h.Apply({lo, lo}), h.Apply({hi, lo}), h.Apply({hi, hi}), h.Apply({lo, hi})};
}

// Light of the scene at a screen point and board position: a warm pool on the board, darker edges and the
// calm areas the game writes on (portrait at the right, status strip at the bottom).
float LightAt(Location where, float x, float y, float u, float v) {
  const float d2 = (u - 4) * (u - 4) + (v - 4.2f) * (v - 4.2f);
  float k =
      where == Location::Castle ? 0.38f + 0.75f * std::exp(-d2 / 50.f) : 0.55f + 0.55f * std::exp(-d2 / 80.f);
  if (where == Location::Town) {
    // Dappled shade of the trees over the square.
    const float leaf = Fbm(x * 0.012f, y * 0.012f, 4, 77);
    k *= 0.8f + 0.35f * std::clamp((leaf - 0.45f) * 4.f, 0.f, 1.f);
  }
  if (where == Location::Castle) {
    // Shafts of light from the hall's tall windows, falling across the floor.
    for (const float centre : {180.f, 640.f}) {
      const float d = std::fabs(x * 0.85f + y * 0.55f - centre - 260.f);
      k *= 1.f + 0.32f * std::clamp((95.f - d) / 30.f, 0.f, 1.f);
    }
  }
  const float right = std::clamp((x - 650.f) / 60.f, 0.f, 1.f);
  k *= 1.f - 0.45f * right;
  const float bottom = std::clamp((y - 680.f) / 30.f, 0.f, 1.f);
  k *= 1.f - 0.7f * bottom;
  const float vx = (x - 512) / 512.f, vy = (y - 384) / 384.f;
  return k * (1.f - 0.25f * (vx * vx + vy * vy));
}

// A massive round pillar of the hall rising from the floor at the board point (u, v) out of the picture,
// with its plinth, its shadow on the floor and the shading of a lit cylinder.
void Pillar(Image& img, const Homography& h, float u, float v, float radius) {
  std::vector<Pt> foot, plinth, shade;
  for (int i = 0; i < 48; ++i) {
    const float a = i * 6.2831853f / 48;
    foot.push_back(h.Apply({u + radius * std::cos(a), v + radius * std::sin(a)}));
    plinth.push_back(h.Apply({u + radius * 1.25f * std::cos(a), v + radius * 1.25f * std::sin(a)}));
    shade.push_back(
        h.Apply({u + 1.1f + radius * 1.6f * std::cos(a), v + 1.4f + radius * 1.7f * std::sin(a)}));
  }
  Image shadow(img.Width(), img.Height());
  FillPolygon(shadow, shade, Rgba{0, 0, 0, 0.55f});
  img.Draw(Blur(shadow, 14), 0, 0);
  float left = 1e9f, right = -1e9f, low = -1e9f;
  for (const Pt& p : foot) {
    left = std::min(left, p.X);
    right = std::max(right, p.X);
    low = std::max(low, p.Y);
  }
  auto column = [&](float x, float y, float l, float r) {
    const float t = std::clamp((x - l) / (r - l), 0.f, 1.f);
    const float lit = 0.18f + 0.8f * std::pow(std::sin(t * 3.14159f), 0.8f) * (1.15f - 0.75f * t);
    Rgba c = Stone(x * 0.6f, y * 0.6f, Premultiplied(0.42f, 0.39f, 0.35f), 61) * lit;
    c.A = 1;
    return c;
  };
  // The plinth, then the shaft widening a little as it rises towards the viewer.
  FillPolygon(img, plinth, [&](float x, float y) {
    Rgba c = column(x, y, left - (right - left) * 0.12f, right + (right - left) * 0.12f) * 0.75f;
    c.A = 1;
    return c;
  });
  const float cy = (low + h.Apply({u, v}).Y) / 2;
  std::vector<Pt> shaft = {
      {left, cy}, {right, cy}, {right + (right - left) * 0.12f, -1}, {left - (right - left) * 0.12f, -1}};
  FillPolygon(img, shaft, [&](float x, float y) {
    const float grow = (right - left) * 0.12f * (cy - y) / std::max(cy, 1.f);
    return column(x, y, left - grow, right + grow);
  });
  FillPolygon(img, foot, [&](float x, float y) { return column(x, y, left, right); });
}

}  // namespace

Image GameGround(Location where, float ox, float oy) {
  const Style style{where};
  const Homography h = Homography::BoardToScreen(ox, oy), toBoard = h.Inverse();
  Image img(kScreenW, kScreenH);
  // 1. The floor, 2 × 2 samples per pixel, lit.
  for (int y = 0; y < kScreenH; ++y)
    for (int x = 0; x < kScreenW; ++x) {
      Rgba acc;
      for (int s = 0; s < 4; ++s) {
        const float sx = x + 0.25f + 0.5f * (s % 2), sy = y + 0.25f + 0.5f * (s / 2);
        const Pt b = toBoard.Apply({sx, sy});
        acc = acc + style.Floor(b.X, b.Y) * LightAt(where, sx, sy, b.X, b.Y);
      }
      img.At(x, y) = acc * 0.25f;
      img.At(x, y).A = 1;
    }
  // 2. The hall's pillars beyond the board (the castle), then the board's shadow on the floor.
  if (where == Location::Castle) {
    const Pt far = toBoard.Apply({585.f, 105.f});
    Pillar(img, h, far.X, far.Y, 1.9f);
  }
  Image shadow(kScreenW, kScreenH);
  std::vector<Pt> outer = BoardRect(h, -0.62f, 8.62f);
  for (Pt& p : outer) p = {p.X + 7, p.Y + 10};
  FillPolygon(shadow, outer, Rgba{0, 0, 0, 0.65f});
  img.Draw(Blur(shadow, 6), 0, 0);
  // 3. The frame: wood with a lit bevel and a gold inlay.
  auto lit = [&](Rgba c, float x, float y) {
    const Pt b = toBoard.Apply({x, y});
    return c * (LightAt(where, x, y, b.X, b.Y) * 1.1f);
  };
  FillPolygon(img, BoardRect(h, -0.6f, 8.6f), [&](float x, float y) {
    const Pt b = toBoard.Apply({x, y});
    return lit(style.Frame(b.X, b.Y) * 0.75f, x, y);
  });
  FillPolygon(img, BoardRect(h, -0.5f, 8.5f), [&](float x, float y) {
    const Pt b = toBoard.Apply({x, y});
    return lit(style.Frame(b.X, b.Y), x, y);
  });
  FillPolygon(img, BoardRect(h, -0.16f, 8.16f), [&](float x, float y) { return lit(Brass(0.8f), x, y); });
  FillPolygon(img, BoardRect(h, -0.11f, 8.11f),
              [&](float x, float y) { return lit(Premultiplied(0.08f, 0.05f, 0.03f), x, y); });
  // 4. The 64 squares, exactly on the game's quadrilaterals.
  const auto& quads = SquareQuads();
  for (int s = 0; s < 64; ++s) {
    std::vector<Pt> poly;
    for (const Pt& p : quads[s]) poly.push_back({p.X + ox, p.Y + oy});
    const bool light = ((s / 8) + (s % 8)) % 2 == 0;
    FillPolygon(img, poly, [&, s, light](float x, float y) {
      const Pt b = toBoard.Apply({x, y});
      Rgba c = style.Square(light, b.X, b.Y, static_cast<uint32_t>(s) * 31u + 7u);
      // A broad sheen of the window light on the polished squares.
      const float sheen = std::exp(-std::pow((b.X - b.Y * 0.6f - 2.5f) / 2.2f, 2.f)) * 0.18f;
      c = c * LightAt(where, x, y, b.X, b.Y) + Rgba{sheen, sheen * 0.95f, sheen * 0.85f, 0};
      c.A = 1;
      return c;
    });
  }
  return img;
}

}  // namespace zelmar::content
