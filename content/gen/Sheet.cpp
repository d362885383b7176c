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
void Checker(Image& img, int x, int y, int w, int h) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const bool odd = ((i / 8) + (j / 8)) & 1;
      img.Blend(x + i, y + j, odd ? Premultiplied(0.36f, 0.36f, 0.38f) : Premultiplied(0.28f, 0.28f, 0.30f));
    }
}

struct Sheet {
  Image Img{kSheetWidth, 7200, Premultiplied(0.16f, 0.16f, 0.17f)};
  Typeface Label{DejavuPath("DejaVuSans.ttf"), 15};
  Typeface Heading{DejavuPath("DejaVuSans-Bold.ttf"), 22};
  int Y = 20;

  // A titled row of patterns, each scaled to at most `maxH` pixels high, wrapped on the sheet's width.
  void Row(const std::string& title, const std::vector<Image>& patterns, float scale) {
    Heading.Draw(Img, title, 20, Y + 22, Premultiplied(0.95f, 0.85f, 0.55f));
    Y += 34;
    int x = 20, rowH = 0;
    for (size_t i = 0; i < patterns.size(); ++i) {
      const int w = static_cast<int>(std::lround(patterns[i].Width() * scale));
      const int h = static_cast<int>(std::lround(patterns[i].Height() * scale));
      if (x + w > kSheetWidth - 20) {
        x = 20;
        Y += rowH + 28;
        rowH = 0;
      }
      Checker(Img, x, Y, w, h);
      Img.DrawScaled(patterns[i], static_cast<float>(x), static_cast<float>(Y), scale);
      Label.Draw(Img, std::to_string(i), x + 2, Y + h + 17, Premultiplied(0.8f, 0.8f, 0.8f));
      x += w + 14;
      rowH = std::max(rowH, h);
    }
    Y += rowH + 40;
  }
};

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string dir = args[1];
  Sheet sheet;
  // 1. The mock-ups of the game screens, side by side.
  if (auto mock = ComposeMockUps(dir)) {
    sheet.Img.Draw(*mock, 20, sheet.Y);
    sheet.Y += mock->Height() + 30;
  }
  // 2. Every picture.
  const std::vector<std::pair<std::string, float>> pictures = {
      {"ground", 0.5f},  {"zelmar_piece_2", 1.f}, {"zelmar_piece_1", 0.5f}, {"piece_1", 1.f},
      {"piece_2", 1.f},  {"queen_1", 1.f},        {"queen_2", 1.f},         {"queen_11", 1.f},
      {"queen_21", 1.f}, {"classic", 0.5f},       {"button", 1.5f},         {"timer", 1.f},
      {"window_1", 1.f}, {"cursor", 2.f},         {"cursor_1", 2.f},        {"app_icons", 1.f}};
  for (const auto& [name, scale] : pictures) {
    auto bytes = ReadFile(dir + "/" + name + ".rec");
    auto decoded = bytes ? DecodeImageRecord(*bytes) : std::nullopt;
    if (!decoded) {
      std::fprintf(stderr, "contact sheet: %s missing\n", name.c_str());
      continue;
    }
    sheet.Row("\"" + name + "\"", decoded->Patterns, scale);
  }
  // 3. Every font, all its glyphs in a grid of 32 columns.
  for (int f = 0; f < 3; ++f) {
    auto bytes = ReadFile(dir + "/font" + std::to_string(f) + ".rec");
    auto font = bytes ? DecodeFontRecord(*bytes) : std::nullopt;
    if (!font) continue;
    sheet.Heading.Draw(sheet.Img, "font " + std::to_string(f), 20, sheet.Y + 22,
                       Premultiplied(0.95f, 0.85f, 0.55f));
    sheet.Y += 34;
    const int cw = font->Glyphs.VisibleWidth + 6, ch = font->Glyphs.VisibleHeight + 6;
    for (size_t g = 0; g < font->Glyphs.Patterns.size(); ++g) {
      const int gx = 20 + static_cast<int>(g % 32) * cw, gy = sheet.Y + static_cast<int>(g / 32) * ch;
      FillRoundRect(sheet.Img, gx, gy, cw - 2, ch - 2, 2, Premultiplied(0.25f, 0.25f, 0.3f));
      // The advance width as a thin line under the glyph.
      FillRoundRect(sheet.Img, gx, gy + ch - 3, static_cast<float>(font->Advances[g]), 1, 0,
                    Premultiplied(0.9f, 0.5f, 0.2f));
      sheet.Img.Draw(font->Glyphs.Patterns[g], gx, gy);
    }
    sheet.Y += ch * 7 + 30;
  }
  return WritePng(args[2], sheet.Img, sheet.Y) ? 0 : 1;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "contact sheet", {"<record directory>", "<sheet.png>"}, Generate);
}
