#include "content/kit/GameFonts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zelmar::content {
namespace {

// The largest pixel size of a face whose clock text fits the width.
int clockSize(const std::string& file, int startSize, int maxWidth) {
  for (int size = startSize; size > 8; --size)
    if (Typeface(file, size).measure("00 : 00 : 00") <= maxWidth) return size;
  return 8;
}

}  // namespace

// Characters the face lacks take the width of a space, so every code advances the pen.
FontGlyphs rasteriseFont(const Typeface& face) {
  std::vector<GlyphBitmap> glyphs;
  int minLeft = 0, maxRight = 1, maxTop = 1, maxBelow = 0;
  const int spaceAdvance = face.glyph(U' ').advance;
  for (int code = kFontFirstCode; code < kFontFirstCode + kFontGlyphCount; ++code) {
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
  font.firstCode = kFontFirstCode;
  for (const GlyphBitmap& g : glyphs) {
    Image cell(cw, ch);
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x) {
        const float a = g.coverage[static_cast<size_t>(y * g.width + x)];
        cell.at(originX + g.left + x, baseline - g.top + y) = Rgba{a, a, a, a};
      }
    font.advances.push_back(g.advance);
    font.cells.push_back(std::move(cell));
  }
  return font;
}

// Serif bold for the menu, sans for the text, sans bold for the clock at the largest size whose
// "00 : 00 : 00" fits its plate.
std::array<FontGlyphs, 3> gameFonts() {
  const std::string clockFace = dejavuPath("DejaVuSans-Bold.ttf");
  return {rasteriseFont(Typeface(dejavuPath("DejaVuSerif-Bold.ttf"), 33)),
          rasteriseFont(Typeface(dejavuPath("DejaVuSans.ttf"), 18)),
          rasteriseFont(Typeface(clockFace, clockSize(clockFace, 20, 106)))};
}

}  // namespace zelmar::content
