// The glyph table at the front of a font record; the rest of the record is the glyph image. The game reads
// it and the content tools write it with the functions here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelmar {

struct TFontRecordHeader {
  std::uint8_t FirstCode = 32;                // character code of glyph 0
  std::int32_t Spacing = 0;                   // whole pixels added to every advance
  std::vector<std::int32_t> Advances;         // one advance width per glyph
  std::span<const std::uint8_t> ImageRecord;  // the bytes after the glyph table
};

// Splits a font record into its glyph table and image record; nothing when it is short or its glyph count
// is negative or larger than the record can hold.
std::optional<TFontRecordHeader> ReadFontRecord(std::span<const std::uint8_t> record);

// Joins a glyph table and its image record into a font record.
std::vector<std::uint8_t> WriteFontRecord(const TFontRecordHeader& font);

}  // namespace zelmar
