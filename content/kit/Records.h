// Image and font records, written and read through the game's own record layouts (framework/GfxImageRecord,
// GfxFontRecord, GfxPatternGrid, GfxPixelFormats).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "content/kit/Image.h"
#include "framework/GfxPixelFormats.h"

namespace zelmar::content {

using Bytes = std::vector<uint8_t>;

// Largest texture side the records ask the device for.
constexpr int kMaxTextureSide = 2048;
// Patterns of at least this many pixels (a quarter of the 1024 x 768 screen) get a texture each: the game
// makes a texture when it first shows it, so a screen then holds only the large patterns it shows (the title
// screen one background, not all four).
constexpr long kOwnTexturePixels = 1024L * 768 / 4;

// Encodes equally sized patterns as an image record in a stored format (X8R8G8B8 keeps an opaque alpha
// byte), packed row by row into as few textures as fit; an empty record for pfUnknown.
Bytes EncodeImageRecord(const std::vector<Image>& patterns, TPixelFormat format);

struct FontGlyphs {
  int Spacing = 0;                   // whole pixels added to every advance
  int CellLeft = 0, CellTop = 0;     // pixels of the cell left of the pen and above the line's top
  std::vector<char32_t> CodePoints;  // one per glyph, strictly ascending
  std::vector<int> Advances;         // one per glyph
  std::vector<Image> Cells;          // one uniform cell per glyph, white with alpha
};

// Encodes a font record: the glyph table, then the glyph cells as an A8R8G8B8 image record.
Bytes EncodeFontRecord(const FontGlyphs& font);

struct DecodedImage {
  int PatternWidth = 0, PatternHeight = 0, VisibleWidth = 0, VisibleHeight = 0;
  std::vector<Image> Patterns;
};

// Decodes an image record as the game reads it; nothing for a record the game would refuse.
std::optional<DecodedImage> DecodeImageRecord(std::span<const uint8_t> data);

struct DecodedFont {
  int Spacing = 0, CellLeft = 0, CellTop = 0;
  std::vector<char32_t> CodePoints;  // one per glyph (kNoCodePoint for a glyph no character reaches)
  std::vector<int> Advances;
  DecodedImage Glyphs;
};

// Decodes a font record as the game reads it; nothing for a bad record.
std::optional<DecodedFont> DecodeFontRecord(std::span<const uint8_t> data);

// Whole-file helpers that report failure instead of ignoring it.
bool WriteFile(const std::string& path, const Bytes& data);
std::optional<Bytes> ReadFile(const std::string& path);

}  // namespace zelmar::content
