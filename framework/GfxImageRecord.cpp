#include "framework/GfxImageRecord.h"

#include <array>
#include <limits>

#include "framework/GfxRecordWriter.h"

namespace zelmar {

namespace {

// The integer fields in the order they follow the format byte.
constexpr std::array<std::int32_t TImageRecordHeader::*, 8> kFields = {
    &TImageRecordHeader::PatternWidth,  &TImageRecordHeader::PatternHeight, &TImageRecordHeader::VisibleWidth,
    &TImageRecordHeader::VisibleHeight, &TImageRecordHeader::PatternCount,  &TImageRecordHeader::TextureWidth,
    &TImageRecordHeader::TextureHeight, &TImageRecordHeader::TextureCount};
static_assert(kImageRecordHeaderSize == 1 + 4 * kFields.size());

}  // namespace

// Reads the fixed header fields in order.
std::optional<TImageRecordHeader> ReadImageRecordHeader(TRecordReader& reader) {
  if (reader.Remaining() < kImageRecordHeaderSize) return std::nullopt;
  TImageRecordHeader h;
  h.Format = PixelFormatFromCode(*reader.ReadByte());
  for (auto field : kFields) h.*field = *reader.ReadInt32();
  if (h.TextureCount < 0) h.TextureCount = 0;
  return h;
}

// Writes the fields in the order the reader takes them.
void WriteImageRecordHeader(const TImageRecordHeader& header, std::vector<std::uint8_t>& out) {
  TRecordWriter writer(out);
  writer.WriteByte(static_cast<std::uint8_t>(header.Format));
  for (auto field : kFields) writer.WriteInt32(header.*field);
}

// Computed wide so hostile sizes cannot wrap around.
std::optional<std::size_t> ImagePixelBytes(TPixelFormat format, std::int32_t width, std::int32_t height,
                                           std::int32_t count) {
  if (width < 0 || height < 0 || count < 0) return std::nullopt;
  const unsigned __int128 total = static_cast<unsigned __int128>(width) * static_cast<unsigned>(height) *
                                  static_cast<unsigned>(count) * static_cast<unsigned>(PixelBytes(format));
  if (total > std::numeric_limits<std::size_t>::max()) return std::nullopt;
  return static_cast<std::size_t>(total);
}

}  // namespace zelmar
