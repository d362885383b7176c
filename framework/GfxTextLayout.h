// Places the glyphs of one line of bitmap-font text: colour tags, glyph quads and pen advances.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zelmar {

// What the layout needs to know about a font.
struct TTextMetrics {
  std::uint8_t FirstCode = 32;
  std::int32_t Spacing = 0;
  std::span<const std::int32_t> Advances;
  int VisibleWidth = 0, VisibleHeight = 0;  // of one glyph cell
  double Scale = 1.0;
  double Interleave = 0.0;
  double BlankSpacing = 0.3;
  bool TextTags = true;
};

// One glyph to draw: its pattern, its quad and the colours of its top and bottom edges.
struct TGlyphQuad {
  int Pattern;
  int X, Y, Width, Height;
  std::uint32_t TopColor, BottomColor;
};

// Recognises a colour tag ("#$", "&$" or "0x" and eight hex digits) at zero-based position `pos` of `text`
// and applies it to the colours; returns false (colours untouched) when there is none or it does not fit.
bool ApplyColorTag(std::string_view text, std::size_t pos, std::uint32_t& top, std::uint32_t& bottom);

// Lays out `text` from pen position (x, y), handing each drawn glyph to `emit`; returns the final pen x.
template <class Emit>
double LayoutText(const TTextMetrics& m, std::string_view text, double x, double y, std::uint32_t top,
                  std::uint32_t bottom, Emit&& emit);

// Whole-pixel glyph quad size and position helpers, defined beside the layout.
int GlyphExtent(double scale, int size);
int GlyphOrigin(double pen);

template <class Emit>
double LayoutText(const TTextMetrics& m, std::string_view text, double x, double y, std::uint32_t top,
                  std::uint32_t bottom, Emit&& emit) {
  double pen = x;
  const int glyphCount = static_cast<int>(m.Advances.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    // a. A colour tag changes the colours and the character after it is drawn in the same step.
    if (m.TextTags && ApplyColorTag(text, i, top, bottom)) i += 10;
    // b. The glyph of the character, if the font has one.
    const int code = static_cast<int>(static_cast<unsigned char>(text[i])) - m.FirstCode;
    double advance;
    if (code < 0 || code >= glyphCount) {
      // c. No glyph: a blank of a fraction of the cell width.
      advance = m.VisibleWidth * m.BlankSpacing;
    } else {
      // d. A quad at the truncated pen position, sized by the scale.
      emit(TGlyphQuad{code, GlyphOrigin(pen), GlyphOrigin(y), GlyphExtent(m.Scale, m.VisibleWidth),
                      GlyphExtent(m.Scale, m.VisibleHeight), top, bottom});
      advance = static_cast<double>(m.Advances[static_cast<std::size_t>(code)]) + m.Spacing;
    }
    // e. Advance the pen, interleave included, by the scale.
    pen += (advance + m.Interleave) * m.Scale;
  }
  return pen;
}

}  // namespace zelmar
