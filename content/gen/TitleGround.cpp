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
Image NightHall(int w, int h, float floorY, float moonX, float moonY, bool calmLeft = true) {
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
        c = Stone(x, y, Premultiplied(0.16f, 0.15f, 0.19f) * (0.85f + 0.3f * Hash2(bx, row, 3)), 5);
        if (joint < 2.f) c = c * (0.45f + joint * 0.25f);
      } else {
        const float depth = (y - floorY) / (h - floorY);
        c = Mix(Premultiplied(0.07f, 0.06f, 0.09f), Premultiplied(0.03f, 0.025f, 0.03f), depth);
      }
      // Moonlight from a high window at the right, blue-silver; darkness at the left for the menu.
      const float d = std::hypot((x - moonX) / 700.f, (y - moonY) / 520.f);
      const float moon = std::exp(-d * d * 2.2f);
      const float left = calmLeft ? std::clamp((x - 120.f) / 520.f, 0.f, 1.f) : 1.f;
      // The left third stays calm and dark for the menu and the circle of figures.
      const float calm = calmLeft ? 0.55f + 0.45f * std::clamp((x - 330.f) / 200.f, 0.f, 1.f) : 1.f;
      const float k = (0.25f + 1.25f * moon * (0.35f + 0.65f * left)) * calm;
      img.At(x, y) = Rgba{c.R * k + 0.02f * moon, c.G * k + 0.03f * moon, c.B * k + 0.07f * moon, 1};
    }
  return img;
}

// A figure standing on the polished floor at (x, y), with its faded mirror image below.
void StandFigure(Image& img, FigureKind kind, Army army, float x, float y, float scale, bool mirrored) {
  FigureModel model = MakeFigure(kind);
  model.Mirrored = mirrored;
  FigureView v;
  v.Scale = scale;
  v.Width = static_cast<int>(110 * scale);
  v.Height = static_cast<int>(190 * scale);
  v.FootX = v.Width / 2.f;
  v.FootY = v.Height - 12 * scale;
  v.Elevation = 12;
  v.Samples = 2;
  v.Shadow = 0.6f;
  const Image fig = RenderFigure(model, army, v);
  // Reflection: flipped about the foot line, fading with distance.
  Image refl(fig.Width(), fig.Height());
  for (int j = 0; j < fig.Height(); ++j)
    for (int i = 0; i < fig.Width(); ++i) {
      const int src = static_cast<int>(2 * v.FootY) - j;
      if (src < 0 || src >= fig.Height()) continue;
      const float fade = std::max(0.f, 0.28f - (j - v.FootY) / (fig.Height() * 1.2f));
      refl.At(i, j) = fig.At(i, src) * fade;
    }
  const int ox = static_cast<int>(x - v.FootX), oy = static_cast<int>(y - v.FootY);
  img.Draw(Blur(refl, 1), ox, oy);
  img.Draw(fig, ox, oy);
}

// Large gold lettering with a dark outline and a warm glow; `align` places the anchor (1: right end, 0.5:
// centre).
void GoldTitle(Image& img, const std::string& text, float anchor, float baseline, int size,
               float align = 1.f) {
  const Typeface face(DejavuPath("DejaVuSerif-Bold.ttf"), size);
  const float x = anchor - face.Measure(text) * align;
  Image glow(img.Width(), img.Height());
  face.Draw(glow, text, x, baseline, Premultiplied(1.f, 0.65f, 0.2f, 0.55f));
  img.Draw(Blur(glow, 7), 0, 0);
  Image edge(img.Width(), img.Height());
  face.Draw(edge, text, x + 3, baseline + 4, Rgba{0, 0, 0, 0.9f});
  img.Draw(Blur(edge, 2), 0, 0);
  const float top = baseline - size * 0.75f;
  face.Draw(img, text, x, baseline, [&](float px, float py) {
    const float t = std::clamp((py - top) / (size * 0.8f), 0.f, 1.f);
    const float shine = 0.5f + 0.5f * std::sin(px * 0.01f + t * 3.f);
    return Brass(1.f - t * 0.75f + 0.1f * shine);
  });
}

// A tall arched window of moonlight on the wall.
void MoonWindow(Image& img, float x, float y) {
  Image window(img.Width(), img.Height());
  FillRoundRect(window, x, y, 220, 600, 110, Premultiplied(0.35f, 0.45f, 0.75f, 0.20f));
  img.Draw(Blur(window, 18), 0, 0);
}

}  // namespace

Image LauncherArt() {
  // Composed at 1050 × 600 (5/3 of the final size) and reduced to 630 × 360. The launcher lays its settings
  // panel over the lower middle (x 300-752, y 150-600 here), so the title takes the band above it and the two
  // figures stand in the free strips at either side, each under its own window of moonlight.
  Image img = NightHall(1050, 600, 470, 525, 330, false);
  MoonWindow(img, 48, 150);
  MoonWindow(img, 782, 150);
  StandFigure(img, FigureKind::Zelmar, Army::Blondes, 158, 545, 2.2f, false);
  StandFigure(img, FigureKind::King, Army::Brunettes, 892, 545, 2.2f, false);
  GoldTitle(img, "Zelmar Chess", 525, 114, 108, 0.5f);
  return Resize(img, 630, 360);
}

Image TitleGround() {
  Image img = NightHall(kScreenW, kScreenH, 600, 820, 300);
  MoonWindow(img, 700, 170);
  StandFigure(img, FigureKind::King, Army::Brunettes, 900, 640, 2.05f, false);
  StandFigure(img, FigureKind::Zelmar, Army::Blondes, 690, 705, 2.45f, false);
  GoldTitle(img, "Zelmar Chess", 1000, 132, 92);
  return img;
}

Image HelpGround() {
  Image img = NightHall(kScreenW, kScreenH, 640, 840, 260);
  StandFigure(img, FigureKind::Knight, Army::Blondes, 760, 690, 2.1f, false);
  StandFigure(img, FigureKind::Rook, Army::Brunettes, 920, 650, 1.8f, false);
  // The legend's panel: dark wood in a brass frame, a little translucent at its heart.
  Image panel(kScreenW, kScreenH);
  FillRoundRect(panel, 48, 52, 560, 676, 16, Rgba{0, 0, 0, 0.6f});
  img.Draw(Blur(panel, 8), 0, 0);
  FillRoundRect(img, 40, 40, 570, 690, 16, [](float x, float y) { return Brass(1.f - (x + y) / 1400.f); });
  FillRoundRect(img, 46, 46, 558, 678, 12, [](float x, float y) {
    const Rgba w = Wood(x * 1.5f, y * 0.6f, FrameWoodTone(), 23);
    return Rgba{w.R * 0.55f, w.G * 0.55f, w.B * 0.55f, 1};
  });
  for (int i = 1; i < 11; ++i) FillRoundRect(img, 62, 62 + 60.f * i - 8, 520, 1, 0.5f, Brass(0.5f) * 0.5f);
  GoldTitle(img, "Zelmar Chess", 1000, 110, 64);
  return img;
}

}  // namespace zelmar::content
