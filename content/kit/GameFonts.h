// The game's three bitmap fonts as the font generator builds them: menu, text and clock digits.
#pragma once
#include <array>

#include "content/kit/Records.h"
#include "content/kit/Typeface.h"

namespace zelmar::content {

// Codes the fonts cover: Windows-1251 from the space on.
constexpr int kFontFirstCode = 32, kFontGlyphCount = 224;

// Rasterises every glyph of the code page into uniform cells sharing one baseline.
FontGlyphs RasteriseFont(const Typeface& face);

// The fonts by position (0 menu, 1 text, 2 clock); throws std::runtime_error when a typeface is missing.
std::array<FontGlyphs, 3> GameFonts();

}  // namespace zelmar::content
