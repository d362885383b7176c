#include <algorithm>
#include <cmath>

#include "content/gen/Grounds.h"
#include "content/kit/FigureRenderer.h"
#include "content/kit/Materials.h"
#include "content/kit/Noise.h"
#include "content/kit/Paint.h"
#include "content/kit/Typeface.h"

namespace zelmar::content {
namespace {

// A night hall: dark stone blocks fading into a deep blue, a polished black floor from `floorY`, moonlight at
// the right. With `calmLeft` the left third stays dark for a menu; without it the light spreads evenly across
// the wall.
Image nightHall(int w, int h, float floorY, float moonX, float moonY, bool calmLeft = true) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c;
      if (y < floorY) {
        // Stone blocks, 64 × 40, every row offset by half.
        const int row = y / 40;
        const int bx = (x + (row % 2) * 32) / 64;
        const float fx = (x + (row % 2) * 32) % 64, fy = y % 40;
        const float joint = std::min(std::min(fx, 64 - fx), std::min(fy, 40 - fy));
        c = stone(x, y, rgba(0.16f, 0.15f, 0.19f) * (0.85f + 0.3f * hash2(bx, row, 3)), 5);
        if (joint < 2.f) c = c * (0.45f + joint * 0.25f);
      } else {
        const float depth = (y - floorY) / (h - floorY);
        c = mix(rgba(0.07f, 0.06f, 0.09f), rgba(0.03f, 0.025f, 0.03f), depth);
      }
      // Moonlight from a high window at the right, blue-silver; darkness at the left for the menu.
      const float d = std::hypot((x - moonX) / 700.f, (y - moonY) / 520.f);
      const float moon = std::exp(-d * d * 2.2f);
      const float left = calmLeft ? std::clamp((x - 120.f) / 520.f, 0.f, 1.f) : 1.f;
      // The left third stays calm and dark for the menu and the circle of figures.
      const float calm = calmLeft ? 0.55f + 0.45f * std::clamp((x - 330.f) / 200.f, 0.f, 1.f) : 1.f;
      const float k = (0.25f + 1.25f * moon * (0.35f + 0.65f * left)) * calm;
      img.at(x, y) = Rgba{c.r * k + 0.02f * moon, c.g * k + 0.03f * moon, c.b * k + 0.07f * moon, 1};
    }
  return img;
}

// A figure standing on the polished floor at (x, y), with its faded mirror image below.
void standFigure(Image& img, FigureKind kind, Army army, float x, float y, float scale, bool mirrored) {
  FigureModel model = makeFigure(kind);
  model.mirrored = mirrored;
  FigureView v;
  v.scale = scale;
  v.width = static_cast<int>(110 * scale);
  v.height = static_cast<int>(190 * scale);
  v.footX = v.width / 2.f;
  v.footY = v.height - 12 * scale;
  v.elevation = 12;
  v.samples = 2;
  v.shadow = 0.6f;
  const Image fig = renderFigure(model, army, v);
  // Reflection: flipped about the foot line, fading with distance.
  Image refl(fig.width(), fig.height());
  for (int j = 0; j < fig.height(); ++j)
    for (int i = 0; i < fig.width(); ++i) {
      const int src = static_cast<int>(2 * v.footY) - j;
      if (src < 0 || src >= fig.height()) continue;
      const float fade = std::max(0.f, 0.28f - (j - v.footY) / (fig.height() * 1.2f));
      refl.at(i, j) = fig.at(i, src) * fade;
    }
  const int ox = static_cast<int>(x - v.footX), oy = static_cast<int>(y - v.footY);
  img.draw(blur(refl, 1), ox, oy);
  img.draw(fig, ox, oy);
}

// Large gold lettering with a dark outline and a warm glow; `align` places the anchor (1: right end, 0.5:
// centre).
void goldTitle(Image& img, const std::string& text, float anchor, float baseline, int size,
               float align = 1.f) {
  const Typeface face(dejavuPath("DejaVuSerif-Bold.ttf"), size);
  const float x = anchor - face.measure(text) * align;
  Image glow(img.width(), img.height());
  face.draw(glow, text, x, baseline, rgba(1.f, 0.65f, 0.2f, 0.55f));
  img.draw(blur(glow, 7), 0, 0);
  Image edge(img.width(), img.height());
  face.draw(edge, text, x + 3, baseline + 4, Rgba{0, 0, 0, 0.9f});
  img.draw(blur(edge, 2), 0, 0);
  const float top = baseline - size * 0.75f;
  face.draw(img, text, x, baseline, [&](float px, float py) {
    const float t = std::clamp((py - top) / (size * 0.8f), 0.f, 1.f);
    const float shine = 0.5f + 0.5f * std::sin(px * 0.01f + t * 3.f);
    return brass(1.f - t * 0.75f + 0.1f * shine);
  });
}

// A tall arched window of moonlight on the wall.
void moonWindow(Image& img, float x, float y) {
  Image window(img.width(), img.height());
  fillRoundRect(window, x, y, 220, 600, 110, rgba(0.35f, 0.45f, 0.75f, 0.20f));
  img.draw(blur(window, 18), 0, 0);
}

}  // namespace

Image launcherArt() {
  // Composed at 1050 × 600 (5/3 of the final size) and reduced to 630 × 360. The launcher lays its settings
  // panel over the lower middle (x 300-752, y 150-600 here), so the title takes the band above it and the two
  // figures stand in the free strips at either side, each under its own window of moonlight.
  Image img = nightHall(1050, 600, 470, 525, 330, false);
  moonWindow(img, 48, 150);
  moonWindow(img, 782, 150);
  standFigure(img, FigureKind::Zelmar, Army::Blondes, 158, 545, 2.2f, false);
  standFigure(img, FigureKind::King, Army::Brunettes, 892, 545, 2.2f, false);
  goldTitle(img, "Zelmar Chess", 525, 114, 108, 0.5f);
  return resize(img, 630, 360);
}

Image titleGround() {
  Image img = nightHall(kScreenW, kScreenH, 600, 820, 300);
  moonWindow(img, 700, 170);
  standFigure(img, FigureKind::King, Army::Brunettes, 900, 640, 2.05f, false);
  standFigure(img, FigureKind::Zelmar, Army::Blondes, 690, 705, 2.45f, false);
  goldTitle(img, "Zelmar Chess", 1000, 132, 92);
  return img;
}

Image helpGround() {
  Image img = nightHall(kScreenW, kScreenH, 640, 840, 260);
  standFigure(img, FigureKind::Knight, Army::Blondes, 760, 690, 2.1f, false);
  standFigure(img, FigureKind::Rook, Army::Brunettes, 920, 650, 1.8f, false);
  // The legend's panel: dark wood in a brass frame, a little translucent at its heart.
  Image panel(kScreenW, kScreenH);
  fillRoundRect(panel, 48, 52, 560, 676, 16, Rgba{0, 0, 0, 0.6f});
  img.draw(blur(panel, 8), 0, 0);
  fillRoundRect(img, 40, 40, 570, 690, 16, [](float x, float y) { return brass(1.f - (x + y) / 1400.f); });
  fillRoundRect(img, 46, 46, 558, 678, 12, [](float x, float y) {
    const Rgba w = wood(x * 1.5f, y * 0.6f, frameWoodTone(), 23);
    return Rgba{w.r * 0.55f, w.g * 0.55f, w.b * 0.55f, 1};
  });
  for (int i = 1; i < 11; ++i) fillRoundRect(img, 62, 62 + 60.f * i - 8, 520, 1, 0.5f, brass(0.5f) * 0.5f);
  goldTitle(img, "Zelmar Chess", 1000, 110, 64);
  return img;
}

}  // namespace zelmar::content
