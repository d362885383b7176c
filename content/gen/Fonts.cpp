// Generates the three bitmap fonts (Windows-1251 codes 32–255) from the DejaVu typefaces.
#include <algorithm>
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/Typeface.h"

using namespace content;

namespace {

constexpr int kFirst = 32, kCount = 224;

// Rasterises every glyph into uniform cells sharing one baseline.
FontGlyphs buildFont(const Typeface& face) {
  std::vector<GlyphBitmap> glyphs;
  int minLeft = 0, maxRight = 1, maxTop = 1, maxBelow = 0;
  const int spaceAdvance = face.glyph(U' ').advance;
  for (int code = kFirst; code < kFirst + kCount; ++code) {
    const char32_t ch = cp1251ToUnicode(static_cast<unsigned char>(code));
    GlyphBitmap g = ch && face.hasGlyph(ch) ? face.glyph(ch) : GlyphBitmap{};
    if (g.advance == 0) g.advance = spaceAdvance;
    if (g.width > 0) {
      minLeft = std::min(minLeft, g.left);
      maxRight = std::max(maxRight, g.left + g.width);
      maxTop = std::max(maxTop, g.top);
      maxBelow = std::max(maxBelow, g.height - g.top);
    }
    glyphs.push_back(std::move(g));
  }
  const int originX = 1 - minLeft, baseline = maxTop + 1;
  const int cw = originX + maxRight + 1, ch = baseline + maxBelow + 1;
  FontGlyphs font;
  font.firstCode = kFirst;
  for (const GlyphBitmap& g : glyphs) {
    Image cell(cw, ch);
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x) {
        const float a = g.coverage[y * g.width + x];
        cell.at(originX + g.left + x, baseline - g.top + y) = Rgba{a, a, a, a};
      }
    font.advances.push_back(g.advance);
    font.cells.push_back(std::move(cell));
  }
  return font;
}

// The largest pixel size of a face whose clock text fits the width.
int clockSize(const std::string& file, int startSize, int maxWidth) {
  for (int size = startSize; size > 8; --size)
    if (Typeface(file, size).measure("00 : 00 : 00") <= maxWidth) return size;
  return 8;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <record directory>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  try {
    const std::string clockFace = dejavuPath("DejaVuSans-Bold.ttf");
    const FontGlyphs menu = buildFont(Typeface(dejavuPath("DejaVuSerif-Bold.ttf"), 33));
    const FontGlyphs text = buildFont(Typeface(dejavuPath("DejaVuSans.ttf"), 18));
    const FontGlyphs clock = buildFont(Typeface(clockFace, clockSize(clockFace, 20, 106)));
    const bool ok = saveRecord(out, "font0", encodeFontRecord(menu)) &&
                    saveRecord(out, "font1", encodeFontRecord(text)) &&
                    saveRecord(out, "font2", encodeFontRecord(clock));
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fonts: %s\n", e.what());
    return 1;
  }
}
