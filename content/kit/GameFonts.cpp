#include "content/kit/GameFonts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/GfxCodePage1251.h"

namespace zelmar::content {
namespace {

// The first and the last character code of the first format's fonts.
constexpr int kFirstFormatFirst = 32, kFirstFormatLast = 255;

// The largest pixel size of a face whose clock text fits the width.
int ClockSize(const std::string& file, int startSize, int maxWidth) {
  for (int size = startSize; size > 8; --size)
    if (Typeface(file, size).Measure("00 : 00 : 00") <= maxWidth) return size;
  return 8;
}

// How far the inked glyphs reach from the pen and the baseline.
struct InkBounds {
  int MinLeft = 0, MaxRight = 1, MaxTop = 1, MaxBelow = 0;

  void Add(const GlyphBitmap& g) {
    if (g.Width <= 0) return;
    MinLeft = std::min(MinLeft, g.Left);
    MaxRight = std::max(MaxRight, g.Left + g.Width);
    MaxTop = std::max(MaxTop, g.Top);
    MaxBelow = std::max(MaxBelow, g.Height - g.Top);
  }
  // The pen's column and the baseline's row in a cell with a one-pixel margin round the ink.
  int OriginX() const { return 1 - MinLeft; }
  int Baseline() const { return MaxTop + 1; }
};

// The line of the first format's fonts: the ink bounds of the code page's characters in the face.
InkBounds FirstFormatLine(const Typeface& face) {
  InkBounds line;
  for (int byte = kFirstFormatFirst; byte <= kFirstFormatLast; ++byte) {
    const char32_t ch = CodePage1251ToUnicode(static_cast<std::uint8_t>(byte));
    if (ch && face.HasGlyph(ch)) line.Add(face.Glyph(ch));
  }
  return line;
}

}  // namespace

std::vector<char32_t> FontCodePoints() {
  std::vector<char32_t> codes;
  for (const CodeRange& range : kFontRanges)
    for (char32_t c = range.First; c <= range.Last; ++c) codes.push_back(c);
  return codes;
}

// Characters the face lacks take the width of a space, so every code advances the pen.
FontGlyphs RasteriseFont(const Typeface& face, std::span<const char32_t> codePoints) {
  std::vector<GlyphBitmap> glyphs;
  InkBounds ink;
  const int spaceAdvance = face.Glyph(U' ').Advance;
  for (char32_t code : codePoints) {
    GlyphBitmap g = face.HasGlyph(code) ? face.Glyph(code) : GlyphBitmap{};
    if (g.Advance == 0) g.Advance = spaceAdvance;
    ink.Add(g);
    glyphs.push_back(std::move(g));
  }
  const InkBounds line = FirstFormatLine(face);
  const int originX = ink.OriginX(), baseline = ink.Baseline();
  const int cw = originX + ink.MaxRight + 1, ch = baseline + ink.MaxBelow + 1;
  FontGlyphs font;
  font.CellLeft = std::max(0, originX - line.OriginX());
  font.CellTop = std::max(0, baseline - line.Baseline());
  font.CodePoints.assign(codePoints.begin(), codePoints.end());
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

// The clock's size is searched for once per call.
std::array<FontFace, 3> GameFontFaces() {
  const std::string clockFace = DejavuPath("DejaVuSans-Bold.ttf");
  return {FontFace{DejavuPath("DejaVuSerif-Bold.ttf"), 33}, FontFace{DejavuPath("DejaVuSans.ttf"), 18},
          FontFace{clockFace, ClockSize(clockFace, 20, 106)}};
}

// Every face rasterised over every covered character.
std::array<FontGlyphs, 3> GameFonts() {
  const std::vector<char32_t> codes = FontCodePoints();
  const std::array<FontFace, 3> faces = GameFontFaces();
  return {RasteriseFont(Typeface(faces[0].File, faces[0].Size), codes),
          RasteriseFont(Typeface(faces[1].File, faces[1].Size), codes),
          RasteriseFont(Typeface(faces[2].File, faces[2].Size), codes)};
}

}  // namespace zelmar::content
