// Generates the classic flat board: wood and marble, each upright and turned, with coordinates in the frame.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/Materials.h"
#include "content/kit/Paint.h"
#include "content/kit/Typeface.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

constexpr int kSize = 800, kFrame = 40, kSquare = 90;

struct BoardStyle {
  std::function<Rgba(float, float, uint32_t)> Light, Dark, Frame;
  Rgba Inlay;
};

// Squares and frame without the coordinates, lit softly from the top left.
Image BoardBase(const BoardStyle& style) {
  Image img(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int sx = x - kFrame, sy = y - kFrame;
      Rgba c;
      if (sx >= 0 && sy >= 0 && sx < 8 * kSquare && sy < 8 * kSquare) {
        const int col = sx / kSquare, row = sy / kSquare;
        const uint32_t seed = static_cast<uint32_t>(row * 8 + col) * 7919u;
        // Each square cut from a different spot of the slab; alternate squares turned across the grain.
        const float u = (col % 2 ? sx : sy) + seed % 997, v = (col % 2 ? sy : sx) + seed % 613;
        c = ((col + row) % 2 == 0 ? style.Light : style.Dark)(u, v, seed);
        // A fine bevel on every square edge.
        const int ex = sx % kSquare, ey = sy % kSquare;
        if (ex < 2 || ey < 2) c = c * 1.08f;
        if (ex > kSquare - 3 || ey > kSquare - 3) c = c * 0.82f;
      } else {
        c = style.Frame(static_cast<float>(x), static_cast<float>(y), 99);
        // Bevel: light on the outer top-left edges, dark on the bottom-right.
        const int edge = std::min(std::min(x, y), std::min(kSize - 1 - x, kSize - 1 - y));
        if (edge < 5) c = c * (x < kSize - 1 - x && y < kSize - 1 - y && (x < 5 || y < 5) ? 1.35f : 0.65f);
        const int inner = std::max(std::max(kFrame - x, kFrame - y),
                                   std::max(x - (kSize - kFrame - 1), y - (kSize - kFrame - 1)));
        if (inner >= 3 && inner <= 5) c = style.Inlay;
      }
      // Soft light falling from the top left.
      const float light = 1.06f - 0.12f * (x + y) / (2.f * kSize);
      img.At(x, y) = Rgba{c.R * light, c.G * light, c.B * light, 1};
    }
  // Rounded outer corners.
  Image mask(kSize, kSize);
  FillRoundRect(mask, 0, 0, kSize, kSize, 8, Rgba{1, 1, 1, 1});
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) img.At(x, y) = img.At(x, y) * mask.At(x, y).A;
  return img;
}

Image Turned(const Image& img) {
  Image out(img.Width(), img.Height());
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) out.At(x, y) = img.At(img.Width() - 1 - x, img.Height() - 1 - y);
  return out;
}

// Engraves the file letters and rank numbers into the frame, reversed for the turned board.
void Coordinates(Image& img, bool reversed, Rgba ink) {
  const Typeface face(DejavuPath("DejaVuSerif-Bold.ttf"), 22);
  for (int i = 0; i < 8; ++i) {
    const int k = reversed ? 7 - i : i;
    const std::string file(1, static_cast<char>('a' + k)), rank(1, static_cast<char>('8' - k));
    const float centre = kFrame + kSquare * i + kSquare / 2.f;
    const int fw = face.Measure(file), rw = face.Measure(rank);
    for (const float y : {28.f, kSize - 12.f}) {
      face.Draw(img, file, centre - fw / 2.f + 1, y + 1, Rgba{0, 0, 0, 0.7f});
      face.Draw(img, file, centre - fw / 2.f, y, ink);
    }
    for (const float x : {20.f, kSize - 20.f}) {
      face.Draw(img, rank, x - rw / 2.f + 1, centre + 9, Rgba{0, 0, 0, 0.7f});
      face.Draw(img, rank, x - rw / 2.f, centre + 8, ink);
    }
  }
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const BoardStyle woodStyle{[](float x, float y, uint32_t s) { return Wood(x, y, MapleTone(), s); },
                             [](float x, float y, uint32_t s) { return Wood(x, y, WalnutTone(), s); },
                             [](float x, float y, uint32_t s) { return Wood(x, y, FrameWoodTone(), s); },
                             Premultiplied(0.86f, 0.66f, 0.30f)};
  const BoardStyle marbleStyle{[](float x, float y, uint32_t s) { return Marble(x, y, WhiteMarble(), s); },
                               [](float x, float y, uint32_t s) { return Marble(x, y, GreenMarble(), s); },
                               [](float x, float y, uint32_t s) { return Marble(x, y, DarkMarble(), s); },
                               Premultiplied(0.86f, 0.70f, 0.36f)};
  std::vector<Image> boards;
  for (const BoardStyle* style : {&woodStyle, &marbleStyle}) {
    const Image base = BoardBase(*style);
    for (bool reversed : {false, true}) {
      Image b = reversed ? Turned(base) : base;
      Coordinates(b, reversed, Premultiplied(0.95f, 0.80f, 0.48f));
      boards.push_back(std::move(b));
    }
  }
  return SavePicture(args[1], "classic", boards) ? 0 : 1;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "boards", {"<record directory>"}, Generate);
}
