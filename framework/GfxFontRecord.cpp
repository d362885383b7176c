#include "framework/GfxFontRecord.h"

#include "framework/GfxRecordReader.h"
#include "framework/GfxRecordWriter.h"

namespace zelmar {

// The glyph count is checked against the bytes left before anything is allocated.
std::optional<TFontRecordHeader> ReadFontRecord(std::span<const std::uint8_t> record) {
  TRecordReader reader(record);
  TFontRecordHeader out;
  const auto first = reader.ReadInt32();
  const auto spacing = reader.ReadInt32();
  if (!first || !spacing || !reader.Skip(4)) return std::nullopt;
  const auto count = reader.ReadInt32();
  if (!count || *count < 0 || static_cast<std::size_t>(*count) > reader.Remaining() / 8) return std::nullopt;
  out.FirstCode = static_cast<std::uint8_t>(*first & 0xFF);
  out.Spacing = *spacing;
  out.Advances.reserve(static_cast<std::size_t>(*count));
  for (std::int32_t i = 0; i < *count; ++i) {
    out.Advances.push_back(*reader.ReadInt32());
    reader.Skip(4);
  }
  out.ImageRecord = reader.Rest();
  return out;
}

// The reserved words the reader skips are written as zero.
std::vector<std::uint8_t> WriteFontRecord(const TFontRecordHeader& font) {
  std::vector<std::uint8_t> out;
  TRecordWriter writer(out);
  writer.WriteInt32(font.FirstCode);
  writer.WriteInt32(font.Spacing);
  writer.WriteInt32(0);
  writer.WriteInt32(static_cast<std::int32_t>(font.Advances.size()));
  for (std::int32_t advance : font.Advances) {
    writer.WriteInt32(advance);
    writer.WriteInt32(0);
  }
  writer.WriteBlock(font.ImageRecord);
  return out;
}

}  // namespace zelmar
