// The glyph table at the front of a font record; the rest of the record is the glyph image. The game reads
// it and the content tools write it with the functions here.
//
// A record of the current format (version 2) starts with the signature "ZFNT" and its version, then the
// whole-pixel spacing added to every advance, the cell's reach left of the pen and above the line, the glyph
// count N and N glyph entries (its Unicode code point, strictly ascending, then its advance width), all
// little-endian 32-bit integers. A record of the first format starts with the first character code (its
// low byte used), the spacing, a reserved word and N, then N entries of an advance and a reserved word; its
// glyph k stands for the Windows-1251 byte first + k and is read as that byte's Unicode character.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelmar {

// The first word of a versioned font record ("ZFNT" read as a little-endian integer) and the version the
// tools write.
inline constexpr std::int32_t kFontRecordSignature = 0x544E465A;
inline constexpr std::int32_t kFontRecordVersion = 2;
// A glyph that no character reaches (a first-format glyph past byte 255 or on the code page's empty byte).
inline constexpr char32_t kNoCodePoint = 0xFFFFFFFF;
// The farthest a glyph cell may reach left of the pen or above the line, in pixels.
inline constexpr std::int32_t kMaxCellReach = 256;

struct TFontRecordHeader {
  std::int32_t Version = kFontRecordVersion;  // 1 for a record of the first format
  std::int32_t Spacing = 0;                   // whole pixels added to every advance
  std::int32_t CellLeft = 0;                  // pixels of the cell left of the pen
  std::int32_t CellTop = 0;                   // pixels of the cell above the line's top
  std::vector<char32_t> CodePoints;           // one per glyph, in glyph order (kNoCodePoint: none)
  std::vector<std::int32_t> Advances;         // one advance width per glyph
  std::span<const std::uint8_t> ImageRecord;  // the bytes after the glyph table
};

// Splits a font record of either format into its glyph table and image record; nothing when it is short,
// its glyph count is negative or larger than the record can hold, its version is unknown, its code points
// are not strictly ascending Unicode or its cell reaches out of range.
std::optional<TFontRecordHeader> ReadFontRecord(std::span<const std::uint8_t> record);

// Joins a glyph table and its image record into a font record of the current format (the header's
// Version is not consulted).
std::vector<std::uint8_t> WriteFontRecord(const TFontRecordHeader& font);

}  // namespace zelmar
