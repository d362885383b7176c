// The header of an image record: stored pixel format, grid sizes and texture sizes, before the pixel rows.
// The game reads it and the content tools write it through the same field list.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "framework/GfxPixelFormats.h"
#include "framework/GfxRecordReader.h"

namespace zelmar {

inline constexpr std::size_t kImageRecordHeaderSize = 33;

struct TImageRecordHeader {
  TPixelFormat Format = TPixelFormat::pfUnknown;
  std::int32_t PatternWidth = 0, PatternHeight = 0;
  std::int32_t VisibleWidth = 0, VisibleHeight = 0;
  std::int32_t PatternCount = 0;
  std::int32_t TextureWidth = 0, TextureHeight = 0;
  std::int32_t TextureCount = 0;  // never negative after reading
};

// Reads the 33-byte header; nothing when the record is too short.
std::optional<TImageRecordHeader> ReadImageRecordHeader(TRecordReader& reader);

// Appends the 33-byte header; the pixel rows of every texture follow it.
void WriteImageRecordHeader(const TImageRecordHeader& header, std::vector<std::uint8_t>& out);

// Bytes of pixel data that follow the header for the given texture size, count and stored format; nothing
// when the sizes are negative or the total does not fit the address space.
std::optional<std::size_t> ImagePixelBytes(TPixelFormat format, std::int32_t width, std::int32_t height,
                                           std::int32_t count);

}  // namespace zelmar
