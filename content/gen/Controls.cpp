// Generates the controls: tool buttons, clock plates, the dialog window and the two pointers.
#include <cmath>
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/Materials.h"
#include "content/kit/Noise.h"
#include "content/kit/Paint.h"
#include "content/kit/Typeface.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

const Rgba kIvory = Premultiplied(0.97f, 0.92f, 0.80f);
const Rgba kEbony = Premultiplied(0.10f, 0.07f, 0.05f);

// A brass-rimmed plate with a smoked-glass face through which the hover light shows.
Image ButtonPlate() {
  Image img(44, 44);
  FillRoundRect(img, 1, 2, 42, 42, 7, Rgba{0, 0, 0, 0.45f});
  FillRoundRect(img, 0, 0, 43, 43, 7, [](float x, float y) { return Brass(1.1f - (x + y) / 80.f); });
  FillRoundRect(img, 3, 3, 37, 37, 5, [](float x, float y) { return Brass((x + y) / 80.f); });
  FillRoundRect(img, 4, 4, 35, 35, 4.5f,
                [](float, float y) { return Premultiplied(0.06f + y * 0.002f, 0.05f, 0.08f, 0.62f); });
  // Glass sheen across the upper half.
  FillRoundRect(img, 5, 5, 33, 14, 4, Rgba{0.10f, 0.10f, 0.10f, 0.10f});
  return img;
}

// The sign of one tool: text glyphs and small painted shapes in ivory with a dark shadow.
void DrawSign(Image& img, int pattern, const Typeface& symbols, const Typeface& bold) {
  auto glyph = [&](const Typeface& face, const std::string& s, float cx, float base, Rgba c) {
    const float x = cx - face.Measure(s) / 2.f;
    face.Draw(img, s, x + 1, base + 1, Rgba{0, 0, 0, 0.8f});
    face.Draw(img, s, x, base, c);
  };
  auto miniBoard = [&](float x, float y, float s) {
    FillRoundRect(img, x - 1, y - 1, s * 4 + 2, s * 4 + 2, 1, Rgba{0, 0, 0, 0.8f});
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 4; ++i)
        FillRoundRect(img, x + i * s, y + j * s, s, s, 0, (i + j) % 2 ? Brass(0.35f) : kIvory);
  };
  switch (pattern) {
    case 0:
    case 1: {
      // The side at the bottom: a king above, a king below, and a turning arrow.
      const bool whiteBelow = pattern == 1;
      glyph(symbols, "\u265A", 22, 21, whiteBelow ? kEbony : kIvory);
      glyph(symbols, "\u265A", 22, 37, whiteBelow ? kIvory : kEbony);
      break;
    }
    case 2:
    case 3:
      glyph(symbols, "\u265F", 19, 34, kIvory);
      glyph(bold, pattern == 2 ? "+" : "\u2212", 32, 20, Brass(0.95f));
      break;
    case 4:
    case 5:
      miniBoard(10, 10, 6);
      if (pattern == 4) StrokeLine(img, {9, 35}, {35, 9}, 3.5f, Premultiplied(0.85f, 0.15f, 0.1f));
      break;
    case 6:
    case 7:
      miniBoard(8, 14, 5);
      glyph(bold, pattern == 6 ? "+" : "\u2212", 33, 19, Brass(0.95f));
      break;
    case 8:
    case 9: {
      const float dir = pattern == 8 ? -1.f : 1.f;
      for (int k = 0; k < 2; ++k) {
        const float cx = 22 + dir * (k * 9 - 4);
        const std::vector<Pt> tri = {{cx - dir * 7, 13}, {cx + dir * 7, 22}, {cx - dir * 7, 31}};
        std::vector<Pt> shadow = tri;
        for (Pt& p : shadow) p = {p.X + 1, p.Y + 1};
        FillPolygon(img, shadow, Rgba{0, 0, 0, 0.8f});
        FillPolygon(img, tri, kIvory);
      }
      break;
    }
    default:
      // Exit to the menu: a door with a leaving arrow.
      FillRoundRect(img, 11, 10, 14, 24, 1.5f, Rgba{0, 0, 0, 0.8f});
      FillRoundRect(img, 12, 11, 12, 22, 1.5f, Brass(0.7f));
      FillEllipse(img, 21, 22, 1.2f, 1.2f, kEbony);
      StrokeLine(img, {25, 22}, {35, 22}, 3, kIvory);
      FillPolygon(img, {{32, 16}, {38, 22}, {32, 28}}, kIvory);
      break;
  }
}

std::vector<Image> Buttons() {
  const Typeface symbols(DejavuPath("DejaVuSans.ttf"), 20);
  const Typeface bold(DejavuPath("DejaVuSans-Bold.ttf"), 16);
  std::vector<Image> out;
  for (int i = 0; i < 11; ++i) {
    Image b = ButtonPlate();
    DrawSign(b, i, symbols, bold);
    out.push_back(std::move(b));
  }
  return out;
}

// A clock plate: a medallion with the army's king and a dark window for the digits.
Image ClockPlate(bool white, const Typeface& symbols) {
  Image img(170, 48);
  FillRoundRect(img, 1, 2, 168, 45, 10, Rgba{0, 0, 0, 0.5f});
  FillRoundRect(img, 0, 0, 168, 44, 10, [](float x, float y) { return Brass(1.05f - y / 60.f - x / 900.f); });
  FillRoundRect(img, 3, 3, 162, 38, 8, [](float, float y) { return Brass(0.25f + y / 80.f); });
  FillRoundRect(img, 50, 7, 115, 30, 6, [](float x, float y) {
    return Premultiplied(0.05f + x * 0.0002f, 0.04f, 0.06f + y * 0.001f, 0.92f);
  });
  FillEllipse(img, 24, 22, 17, 17, Rgba{0, 0, 0, 0.6f});
  FillEllipse(img, 24, 21, 16, 16, [white](float, float y) {
    return white ? Mix(kIvory, Premultiplied(0.75f, 0.66f, 0.52f), y / 44.f)
                 : Mix(Premultiplied(0.30f, 0.20f, 0.14f), kEbony, y / 44.f);
  });
  const std::string king = "\u265A";
  const float x = 24 - symbols.Measure(king) / 2.f;
  symbols.Draw(img, king, x, 31, white ? kEbony : kIvory);
  return img;
}

// The dialog window: a carved dark panel in a brass frame.
Image DialogWindow() {
  Image img(450, 200);
  FillRoundRect(img, 4, 6, 446, 194, 18, Rgba{0, 0, 0, 0.5f});
  FillRoundRect(img, 0, 0, 446, 194, 18, [](float x, float y) { return Brass(1.f - (x + y) / 700.f); });
  FillRoundRect(img, 6, 6, 434, 182, 13, [](float x, float y) { return Brass(0.2f + (x + y) / 900.f); });
  FillRoundRect(img, 9, 9, 428, 176, 11, [](float x, float y) {
    const Rgba w = Wood(x * 2.f, y * 0.8f, FrameWoodTone(), 4);
    const float vignette = 1.f - 0.35f * std::pow(std::hypot((x - 225) / 225.f, (y - 97) / 100.f), 2.f);
    return Rgba{w.R * vignette * 0.8f, w.G * vignette * 0.8f, w.B * vignette * 0.8f, 0.96f};
  });
  // A thin gold rule under the question.
  FillRoundRect(img, 60, 104, 330, 1.5f, 0.5f, Brass(0.8f));
  return img;
}

// An arrow pointer with its tip at the top-left pixel.
Image Pointer(Rgba fill, Rgba edge) {
  Image img(32, 32);
  const std::vector<Pt> arrow = {{0, 0}, {0, 22}, {6, 17}, {10, 26}, {14, 24}, {10, 16}, {17, 16}};
  std::vector<Pt> shadow = arrow;
  for (Pt& p : shadow) p = {p.X + 2.5f, p.Y + 2.5f};
  Image soft(32, 32);
  FillPolygon(soft, shadow, Rgba{0, 0, 0, 0.45f});
  img.Draw(Blur(soft, 1), 0, 0);
  FillPolygon(img, arrow, edge);
  std::vector<Pt> inner = {{1.5f, 3.5f},  {1.5f, 18.5f}, {6.5f, 14.5f}, {10.7f, 23.7f},
                           {12.3f, 23.f}, {8.2f, 14.7f}, {13.5f, 14.7f}};
  FillPolygon(img, inner, [fill](float, float y) { return Mix(fill, fill * 0.7f, y / 26.f); });
  return img;
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string out = args[1];
  const Typeface clockSymbols(DejavuPath("DejaVuSans.ttf"), 24);
  const bool ok =
      SavePicture(out, "button", Buttons()) &&
      SavePicture(out, "timer", {ClockPlate(true, clockSymbols), ClockPlate(false, clockSymbols)}) &&
      SavePicture(out, "window_1", {DialogWindow()}) &&
      SavePicture(out, "cursor",
                  {Pointer(Premultiplied(1.f, 0.84f, 0.42f), Premultiplied(0.2f, 0.1f, 0.02f))}) &&
      SavePicture(out, "cursor_1",
                  {Pointer(Premultiplied(0.98f, 0.95f, 0.88f), Premultiplied(0.1f, 0.08f, 0.06f))});
  return ok ? 0 : 1;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "controls", {"<record directory>"}, Generate);
}
