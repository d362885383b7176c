// The game's three bitmap fonts as the font generator builds them: menu, text and clock digits.
#pragma once
#include <array>
#include <span>
#include <string>
#include <vector>

#include "content/kit/Records.h"
#include "content/kit/Typeface.h"

namespace zelmar::content {

// A run of Unicode characters, first and last included.
struct CodeRange {
  char32_t First, Last;
};

// The characters every font covers, ascending: ASCII and Latin-1, Latin Extended-A, Cyrillic with Ґ ґ, the
// typographic quotes, dashes, daggers, bullet, ellipsis, per mille, angle quotes, euro, numero and trade
// mark signs, and the replacement character the game draws for any other.
inline constexpr CodeRange kFontRanges[] = {
    {0x0020, 0x007E}, {0x00A0, 0x00FF}, {0x0100, 0x017F}, {0x0400, 0x045F},
    {0x0490, 0x0491}, {0x2013, 0x2014}, {0x2018, 0x201A}, {0x201C, 0x201E},
    {0x2020, 0x2022}, {0x2026, 0x2026}, {0x2030, 0x2030}, {0x2039, 0x203A},
    {0x20AC, 0x20AC}, {0x2116, 0x2116}, {0x2122, 0x2122}, {0xFFFD, 0xFFFD},
};

// The covered characters in ascending order.
std::vector<char32_t> FontCodePoints();

// Rasterises the characters into uniform cells sharing one baseline. The cell holds every glyph; the line
// (the pen's left edge and the baseline) stays where the fonts of the first format had it, the glyphs of
// its code page, so that a text in those characters lands on the same pixels; taller or wider glyphs make
// the cell reach above or left of the line instead.
FontGlyphs RasteriseFont(const Typeface& face, std::span<const char32_t> codePoints);

// A typeface file at a pixel size.
struct FontFace {
  std::string File;
  int Size;
};

// The faces of the fonts by position: serif bold for the menu, sans for the text, sans bold for the clock at
// the largest size whose "00 : 00 : 00" fits its plate; throws std::runtime_error when a typeface is missing.
std::array<FontFace, 3> GameFontFaces();

// The fonts by position (0 menu, 1 text, 2 clock); throws std::runtime_error when a typeface is missing.
std::array<FontGlyphs, 3> GameFonts();

}  // namespace zelmar::content
