// Places the glyphs of one line of bitmap-font text: UTF-8 characters found among the font's glyphs by
// code point, colour tags, glyph quads and pen advances, and the measure of a line.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/GfxUtf8.h"

namespace zelmar {

// A character the font holds and the glyph that draws it.
struct TGlyphKey {
  char32_t CodePoint;
  std::int32_t Glyph;
};

// What the layout needs to know about a font.
struct TTextMetrics {
  std::span<const TGlyphKey> Glyphs;  // ascending by code point
  std::int32_t Spacing = 0;
  std::span<const std::int32_t> Advances;   // by glyph
  std::int32_t Replacement = -1;            // the glyph of the mark for a character the font lacks, or -1
  int CellLeft = 0, CellTop = 0;            // pixels of the cell left of the pen and above the line
  int VisibleWidth = 0, VisibleHeight = 0;  // of one glyph cell
  double Scale = 1.0;
  double Interleave = 0.0;
  double BlankSpacing = 0.3;
  bool TextTags = true;
};

// One glyph to draw: its pattern, its quad, the colours of its top and bottom edges, and whether it is the
// mark standing in for a character the font lacks or bytes that are not UTF-8.
struct TGlyphQuad {
  int Pattern;
  int X, Y, Width, Height;
  std::uint32_t TopColor, BottomColor;
  bool Replaced = false;
};

// How wide a line of text is at a font's advances, and how many of its characters the font could not show.
struct TTextExtent {
  double Width = 0;
  int Replaced = 0;
};

// The glyph keys of glyphs given by code point in glyph order, sorted by code point; a glyph whose "code
// point" lies past Unicode (a glyph no character reaches) is left out.
std::vector<TGlyphKey> SortedGlyphKeys(std::span<const char32_t> codePoints);
// The glyph of `code`, or -1.
std::int32_t FindGlyph(std::span<const TGlyphKey> glyphs, char32_t code);
// The glyph that marks a character the font lacks: U+FFFD's, else '?''s, else -1 (a blank).
std::int32_t ReplacementGlyph(std::span<const TGlyphKey> glyphs);

// Recognises a colour tag ("#$", "&$" or "0x" and eight hex digits) at zero-based position `pos` of `text`
// and applies it to the colours; returns false (colours untouched) when there is none or it does not fit.
bool ApplyColorTag(std::string_view text, std::size_t pos, std::uint32_t& top, std::uint32_t& bottom);

// Lays out `text` (UTF-8) from pen position (x, y), handing each drawn glyph to `emit`; returns the final pen
// x. Characters the font lacks and invalid bytes draw the replacement glyph (a blank when the font has
// none); `replaced`, when given, counts them.
template <class Emit>
double LayoutText(const TTextMetrics& m, std::string_view text, double x, double y, std::uint32_t top,
                  std::uint32_t bottom, Emit&& emit, int* replaced = nullptr);

// The width and the replaced characters of `text` laid out in a font.
TTextExtent MeasureText(const TTextMetrics& m, std::string_view text);

// Whole-pixel glyph quad size and position helpers, defined beside the layout.
int GlyphExtent(double scale, int size);
int GlyphOrigin(double pen);

template <class Emit>
double LayoutText(const TTextMetrics& m, std::string_view text, double x, double y, std::uint32_t top,
                  std::uint32_t bottom, Emit&& emit, int* replaced) {
  double pen = x;
  const int glyphCount = static_cast<int>(m.Advances.size());
  const int shiftX = GlyphExtent(m.Scale, m.CellLeft), shiftY = GlyphExtent(m.Scale, m.CellTop);
  for (std::size_t i = 0; i < text.size();) {
    // a. A colour tag changes the colours and the character after it is drawn in the same step.
    if (m.TextTags && ApplyColorTag(text, i, top, bottom)) i += 10;
    // b. The glyph of the character, if the font has one; else the replacement mark.
    const TUtf8Char ch = ReadUtf8Char(text, i);
    i += ch.Length;
    std::int32_t glyph = ch.Valid ? FindGlyph(m.Glyphs, ch.CodePoint) : -1;
    const bool missing = glyph < 0 || glyph >= glyphCount;
    if (missing) {
      glyph = m.Replacement;
      if (replaced) ++*replaced;
    }
    double advance;
    if (glyph < 0 || glyph >= glyphCount) {
      // c. No glyph and no mark: a blank of a fraction of the cell width.
      advance = m.VisibleWidth * m.BlankSpacing;
    } else {
      // d. A quad at the truncated pen position less the cell's reach, sized by the scale.
      emit(TGlyphQuad{glyph, GlyphOrigin(pen) - shiftX, GlyphOrigin(y) - shiftY,
                      GlyphExtent(m.Scale, m.VisibleWidth), GlyphExtent(m.Scale, m.VisibleHeight), top,
                      bottom, missing});
      advance = static_cast<double>(m.Advances[static_cast<std::size_t>(glyph)]) + m.Spacing;
    }
    // e. Advance the pen, interleave included, by the scale.
    pen += (advance + m.Interleave) * m.Scale;
  }
  return pen;
}

}  // namespace zelmar
