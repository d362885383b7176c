#include "framework/GfxFontRecord.h"

#include "framework/GfxCodePage1251.h"
#include "framework/GfxRecordReader.h"
#include "framework/GfxRecordWriter.h"
#include "framework/GfxUtf8.h"

namespace zelmar {

namespace {

// The bytes of one glyph entry in either format.
constexpr std::size_t kGlyphEntryBytes = 8;
// The character codes of the first format's single-byte code page.
constexpr int kCodePageSize = 256;

// A glyph count read from the record, checked against the bytes left before anything is allocated.
std::optional<std::size_t> GlyphCount(TRecordReader& reader) {
  const auto count = reader.ReadInt32();
  if (!count || *count < 0 || static_cast<std::size_t>(*count) > reader.Remaining() / kGlyphEntryBytes)
    return std::nullopt;
  return static_cast<std::size_t>(*count);
}

// The first format after its first word: the spacing, a reserved word, the glyphs of consecutive
// Windows-1251 bytes from the first code's low byte.
std::optional<TFontRecordHeader> ReadFirstFormat(TRecordReader& reader, std::int32_t first) {
  TFontRecordHeader out;
  out.Version = 1;
  const auto spacing = reader.ReadInt32();
  if (!spacing || !reader.Skip(4)) return std::nullopt;
  const auto count = GlyphCount(reader);
  if (!count) return std::nullopt;
  out.Spacing = *spacing;
  out.CodePoints.reserve(*count);
  out.Advances.reserve(*count);
  const int firstByte = first & 0xFF;
  for (std::size_t k = 0; k < *count; ++k) {
    const int byte = firstByte + static_cast<int>(k);
    const char32_t code =
        byte < kCodePageSize ? CodePage1251ToUnicode(static_cast<std::uint8_t>(byte)) : kNoCodePoint;
    // The code page's one empty byte maps to 0; only byte 0 itself stands for U+0000.
    out.CodePoints.push_back(code == 0 && byte != 0 ? kNoCodePoint : code);
    out.Advances.push_back(*reader.ReadInt32());
    reader.Skip(4);
  }
  out.ImageRecord = reader.Rest();
  return out;
}

// The current format after its signature: version, spacing, cell reach, then code point and advance of
// each glyph.
std::optional<TFontRecordHeader> ReadVersioned(TRecordReader& reader) {
  TFontRecordHeader out;
  const auto version = reader.ReadInt32();
  const auto spacing = reader.ReadInt32();
  const auto cellLeft = reader.ReadInt32();
  const auto cellTop = reader.ReadInt32();
  if (!version || *version != kFontRecordVersion || !spacing || !cellLeft || !cellTop) return std::nullopt;
  if (*cellLeft < 0 || *cellLeft > kMaxCellReach || *cellTop < 0 || *cellTop > kMaxCellReach)
    return std::nullopt;
  const auto count = GlyphCount(reader);
  if (!count) return std::nullopt;
  out.Version = *version;
  out.Spacing = *spacing;
  out.CellLeft = *cellLeft;
  out.CellTop = *cellTop;
  out.CodePoints.reserve(*count);
  out.Advances.reserve(*count);
  for (std::size_t k = 0; k < *count; ++k) {
    const auto code = static_cast<char32_t>(static_cast<std::uint32_t>(*reader.ReadInt32()));
    if (code > kLastCodePoint || (k > 0 && code <= out.CodePoints.back())) return std::nullopt;
    out.CodePoints.push_back(code);
    out.Advances.push_back(*reader.ReadInt32());
  }
  out.ImageRecord = reader.Rest();
  return out;
}

}  // namespace

// The first word tells the formats apart: the signature, or the first format's character code.
std::optional<TFontRecordHeader> ReadFontRecord(std::span<const std::uint8_t> record) {
  TRecordReader reader(record);
  const auto first = reader.ReadInt32();
  if (!first) return std::nullopt;
  return *first == kFontRecordSignature ? ReadVersioned(reader) : ReadFirstFormat(reader, *first);
}

// Always the current format.
std::vector<std::uint8_t> WriteFontRecord(const TFontRecordHeader& font) {
  std::vector<std::uint8_t> out;
  TRecordWriter writer(out);
  writer.WriteInt32(kFontRecordSignature);
  writer.WriteInt32(kFontRecordVersion);
  writer.WriteInt32(font.Spacing);
  writer.WriteInt32(font.CellLeft);
  writer.WriteInt32(font.CellTop);
  writer.WriteInt32(static_cast<std::int32_t>(font.Advances.size()));
  for (std::size_t k = 0; k < font.Advances.size(); ++k) {
    const char32_t code = k < font.CodePoints.size() ? font.CodePoints[k] : kNoCodePoint;
    writer.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(code)));
    writer.WriteInt32(font.Advances[k]);
  }
  writer.WriteBlock(font.ImageRecord);
  return out;
}

}  // namespace zelmar
