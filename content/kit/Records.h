// Image and font records: the byte layouts the game's image atlas and font loader decode.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "content/kit/Image.h"

namespace content {

using Bytes = std::vector<uint8_t>;

// Stored pixel formats written by the generators.
enum class StoredFormat : uint8_t { X8R8G8B8 = 2, A8R8G8B8 = 5, A8 = 10 };

// Largest texture side the records ask the device for.
constexpr int kMaxTextureSide = 2048;

// Encodes equally sized patterns as an image record, packed row by row into as few textures as fit.
Bytes encodeImageRecord(const std::vector<Image>& patterns, StoredFormat format);

struct FontGlyphs {
  int firstCode = 32;
  int spacing = 0;            // whole pixels added to every advance
  std::vector<int> advances;  // one per glyph
  std::vector<Image> cells;   // one uniform cell per glyph, white with alpha
};

// Encodes a font record: header, advance table, then the glyph cells as an image record.
Bytes encodeFontRecord(const FontGlyphs& font);

struct DecodedImage {
  int patternWidth = 0, patternHeight = 0, visibleWidth = 0, visibleHeight = 0;
  std::vector<Image> patterns;
};

// Decodes an image record starting at `offset` (formats 2, 5 and 10); nothing for a bad record.
std::optional<DecodedImage> decodeImageRecord(const Bytes& data, size_t offset = 0);

struct DecodedFont {
  int firstCode = 0, spacing = 0;
  std::vector<int> advances;
  DecodedImage glyphs;
};

// Decodes a font record; nothing for a bad record.
std::optional<DecodedFont> decodeFontRecord(const Bytes& data);

// Whole-file helpers that report failure instead of ignoring it.
bool writeFile(const std::string& path, const Bytes& data);
std::optional<Bytes> readFile(const std::string& path);

}  // namespace content
