#include "content/kit/GameFonts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zelmar::content {
namespace {

// The largest pixel size of a face whose clock text fits the width.
int ClockSize(const std::string& file, int startSize, int maxWidth) {
  for (int size = startSize; size > 8; --size)
    if (Typeface(file, size).Measure("00 : 00 : 00") <= maxWidth) return size;
  return 8;
}

}  // namespace

// Characters the face lacks take the width of a space, so every code advances the pen.
FontGlyphs RasteriseFont(const Typeface& face) {
  std::vector<GlyphBitmap> glyphs;
  int minLeft = 0, maxRight = 1, maxTop = 1, maxBelow = 0;
  const int spaceAdvance = face.Glyph(U' ').Advance;
  for (int code = kFontFirstCode; code < kFontFirstCode + kFontGlyphCount; ++code) {
    const char32_t ch = Cp1251ToUnicode(static_cast<unsigned char>(code));
    GlyphBitmap g = ch && face.HasGlyph(ch) ? face.Glyph(ch) : GlyphBitmap{};
    if (g.Advance == 0) g.Advance = spaceAdvance;
    if (g.Width > 0) {
      minLeft = std::min(minLeft, g.Left);
      maxRight = std::max(maxRight, g.Left + g.Width);
      maxTop = std::max(maxTop, g.Top);
      maxBelow = std::max(maxBelow, g.Height - g.Top);
    }
    glyphs.push_back(std::move(g));
  }
  const int originX = 1 - minLeft, baseline = maxTop + 1;
  const int cw = originX + maxRight + 1, ch = baseline + maxBelow + 1;
  FontGlyphs font;
  font.FirstCode = kFontFirstCode;
  for (const GlyphBitmap& g : glyphs) {
    Image cell(cw, ch);
    for (int y = 0; y < g.Height; ++y)
      for (int x = 0; x < g.Width; ++x) {
        const float a = g.Coverage[static_cast<size_t>(y * g.Width + x)];
        cell.At(originX + g.Left + x, baseline - g.Top + y) = Rgba{a, a, a, a};
      }
    font.Advances.push_back(g.Advance);
    font.Cells.push_back(std::move(cell));
  }
  return font;
}

// Serif bold for the menu, sans for the text, sans bold for the clock at the largest size whose
// "00 : 00 : 00" fits its plate.
std::array<FontGlyphs, 3> GameFonts() {
  const std::string clockFace = DejavuPath("DejaVuSans-Bold.ttf");
  return {RasteriseFont(Typeface(DejavuPath("DejaVuSerif-Bold.ttf"), 33)),
          RasteriseFont(Typeface(DejavuPath("DejaVuSans.ttf"), 18)),
          RasteriseFont(Typeface(clockFace, ClockSize(clockFace, 20, 106)))};
}

}  // namespace zelmar::content
