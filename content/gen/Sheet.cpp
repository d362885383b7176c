// Writes the contact sheet: a mock-up of the game screen, every pattern of every picture and every font.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "content/gen/GenMain.h"
#include "content/gen/MockUp.h"
#include "content/kit/Paint.h"
#include "content/kit/Png.h"
#include "content/kit/Records.h"
#include "content/kit/Typeface.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

constexpr int kSheetWidth = 2200;

// A checkerboard backdrop that shows transparency.
void checker(Image& img, int x, int y, int w, int h) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const bool odd = ((i / 8) + (j / 8)) & 1;
      img.blend(x + i, y + j, odd ? rgba(0.36f, 0.36f, 0.38f) : rgba(0.28f, 0.28f, 0.30f));
    }
}

struct Sheet {
  Image img{kSheetWidth, 7200, rgba(0.16f, 0.16f, 0.17f)};
  Typeface label{dejavuPath("DejaVuSans.ttf"), 15};
  Typeface heading{dejavuPath("DejaVuSans-Bold.ttf"), 22};
  int y = 20;

  // A titled row of patterns, each scaled to at most `maxH` pixels high, wrapped on the sheet's width.
  void row(const std::string& title, const std::vector<Image>& patterns, float scale) {
    heading.draw(img, title, 20, y + 22, rgba(0.95f, 0.85f, 0.55f));
    y += 34;
    int x = 20, rowH = 0;
    for (size_t i = 0; i < patterns.size(); ++i) {
      const int w = static_cast<int>(std::lround(patterns[i].width() * scale));
      const int h = static_cast<int>(std::lround(patterns[i].height() * scale));
      if (x + w > kSheetWidth - 20) {
        x = 20;
        y += rowH + 28;
        rowH = 0;
      }
      checker(img, x, y, w, h);
      img.drawScaled(patterns[i], static_cast<float>(x), static_cast<float>(y), scale);
      label.draw(img, std::to_string(i), x + 2, y + h + 17, rgba(0.8f, 0.8f, 0.8f));
      x += w + 14;
      rowH = std::max(rowH, h);
    }
    y += rowH + 40;
  }
};

}  // namespace

// Makes this generator's files from its command line.
static int generate(const Arguments& args) {
  const std::string dir = args[1];
  Sheet sheet;
  // 1. The mock-ups of the game screens, side by side.
  if (auto mock = composeMockUps(dir)) {
    sheet.img.draw(*mock, 20, sheet.y);
    sheet.y += mock->height() + 30;
  }
  // 2. Every picture.
  const std::vector<std::pair<std::string, float>> pictures = {
      {"ground", 0.5f},  {"zelmar_piece_2", 1.f}, {"zelmar_piece_1", 0.5f}, {"piece_1", 1.f},
      {"piece_2", 1.f},  {"queen_1", 1.f},        {"queen_2", 1.f},         {"queen_11", 1.f},
      {"queen_21", 1.f}, {"classic", 0.5f},       {"button", 1.5f},         {"timer", 1.f},
      {"window_1", 1.f}, {"cursor", 2.f},         {"cursor_1", 2.f},        {"app_icons", 1.f}};
  for (const auto& [name, scale] : pictures) {
    auto bytes = readFile(dir + "/" + name + ".rec");
    auto decoded = bytes ? decodeImageRecord(*bytes) : std::nullopt;
    if (!decoded) {
      std::fprintf(stderr, "contact sheet: %s missing\n", name.c_str());
      continue;
    }
    sheet.row("\"" + name + "\"", decoded->patterns, scale);
  }
  // 3. Every font, its 224 glyphs in a grid of 32 columns.
  for (int f = 0; f < 3; ++f) {
    auto bytes = readFile(dir + "/font" + std::to_string(f) + ".rec");
    auto font = bytes ? decodeFontRecord(*bytes) : std::nullopt;
    if (!font) continue;
    sheet.heading.draw(sheet.img, "font " + std::to_string(f), 20, sheet.y + 22, rgba(0.95f, 0.85f, 0.55f));
    sheet.y += 34;
    const int cw = font->glyphs.visibleWidth + 6, ch = font->glyphs.visibleHeight + 6;
    for (size_t g = 0; g < font->glyphs.patterns.size(); ++g) {
      const int gx = 20 + static_cast<int>(g % 32) * cw, gy = sheet.y + static_cast<int>(g / 32) * ch;
      fillRoundRect(sheet.img, gx, gy, cw - 2, ch - 2, 2, rgba(0.25f, 0.25f, 0.3f));
      // The advance width as a thin line under the glyph.
      fillRoundRect(sheet.img, gx, gy + ch - 3, static_cast<float>(font->advances[g]), 1, 0,
                    rgba(0.9f, 0.5f, 0.2f));
      sheet.img.draw(font->glyphs.patterns[g], gx, gy);
    }
    sheet.y += ch * 7 + 30;
  }
  return writePng(args[2], sheet.img, sheet.y) ? 0 : 1;
}

int main(int argc, char** argv) {
  return runGenerator(argc, argv, "contact sheet", {"<record directory>", "<sheet.png>"}, generate);
}
