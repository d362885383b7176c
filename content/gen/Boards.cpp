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
  std::function<Rgba(float, float, uint32_t)> light, dark, frame;
  Rgba inlay;
};

// Squares and frame without the coordinates, lit softly from the top left.
Image boardBase(const BoardStyle& style) {
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
        c = ((col + row) % 2 == 0 ? style.light : style.dark)(u, v, seed);
        // A fine bevel on every square edge.
        const int ex = sx % kSquare, ey = sy % kSquare;
        if (ex < 2 || ey < 2) c = c * 1.08f;
        if (ex > kSquare - 3 || ey > kSquare - 3) c = c * 0.82f;
      } else {
        c = style.frame(static_cast<float>(x), static_cast<float>(y), 99);
        // Bevel: light on the outer top-left edges, dark on the bottom-right.
        const int edge = std::min(std::min(x, y), std::min(kSize - 1 - x, kSize - 1 - y));
        if (edge < 5) c = c * (x < kSize - 1 - x && y < kSize - 1 - y && (x < 5 || y < 5) ? 1.35f : 0.65f);
        const int inner = std::max(std::max(kFrame - x, kFrame - y),
                                   std::max(x - (kSize - kFrame - 1), y - (kSize - kFrame - 1)));
        if (inner >= 3 && inner <= 5) c = style.inlay;
      }
      // Soft light falling from the top left.
      const float light = 1.06f - 0.12f * (x + y) / (2.f * kSize);
      img.at(x, y) = Rgba{c.r * light, c.g * light, c.b * light, 1};
    }
  // Rounded outer corners.
  Image mask(kSize, kSize);
  fillRoundRect(mask, 0, 0, kSize, kSize, 8, Rgba{1, 1, 1, 1});
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) img.at(x, y) = img.at(x, y) * mask.at(x, y).a;
  return img;
}

Image turned(const Image& img) {
  Image out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.at(x, y) = img.at(img.width() - 1 - x, img.height() - 1 - y);
  return out;
}

// Engraves the file letters and rank numbers into the frame, reversed for the turned board.
void coordinates(Image& img, bool reversed, Rgba ink) {
  const Typeface face(dejavuPath("DejaVuSerif-Bold.ttf"), 22);
  for (int i = 0; i < 8; ++i) {
    const int k = reversed ? 7 - i : i;
    const std::string file(1, static_cast<char>('a' + k)), rank(1, static_cast<char>('8' - k));
    const float centre = kFrame + kSquare * i + kSquare / 2.f;
    const int fw = face.measure(file), rw = face.measure(rank);
    for (const float y : {28.f, kSize - 12.f}) {
      face.draw(img, file, centre - fw / 2.f + 1, y + 1, Rgba{0, 0, 0, 0.7f});
      face.draw(img, file, centre - fw / 2.f, y, ink);
    }
    for (const float x : {20.f, kSize - 20.f}) {
      face.draw(img, rank, x - rw / 2.f + 1, centre + 9, Rgba{0, 0, 0, 0.7f});
      face.draw(img, rank, x - rw / 2.f, centre + 8, ink);
    }
  }
}

}  // namespace

// Makes this generator's files from its command line.
static int generate(const Arguments& args) {
  const BoardStyle woodStyle{[](float x, float y, uint32_t s) { return wood(x, y, mapleTone(), s); },
                             [](float x, float y, uint32_t s) { return wood(x, y, walnutTone(), s); },
                             [](float x, float y, uint32_t s) { return wood(x, y, frameWoodTone(), s); },
                             rgba(0.86f, 0.66f, 0.30f)};
  const BoardStyle marbleStyle{[](float x, float y, uint32_t s) { return marble(x, y, whiteMarble(), s); },
                               [](float x, float y, uint32_t s) { return marble(x, y, greenMarble(), s); },
                               [](float x, float y, uint32_t s) { return marble(x, y, darkMarble(), s); },
                               rgba(0.86f, 0.70f, 0.36f)};
  std::vector<Image> boards;
  for (const BoardStyle* style : {&woodStyle, &marbleStyle}) {
    const Image base = boardBase(*style);
    for (bool reversed : {false, true}) {
      Image b = reversed ? turned(base) : base;
      coordinates(b, reversed, rgba(0.95f, 0.80f, 0.48f));
      boards.push_back(std::move(b));
    }
  }
  return savePicture(args[1], "classic", boards) ? 0 : 1;
}

int main(int argc, char** argv) {
  return runGenerator(argc, argv, "boards", {"<record directory>"}, generate);
}
