#include "framework/GfxImageRecord.h"

#include <limits>

std::optional<TImageRecordHeader> ReadImageRecordHeader(TRecordReader& reader) {
  if (reader.Remaining() < kImageRecordHeaderSize) return std::nullopt;
  TImageRecordHeader h;
  h.Format = PixelFormatFromCode(*reader.ReadByte());
  h.PatternWidth = *reader.ReadInt32();
  h.PatternHeight = *reader.ReadInt32();
  h.VisibleWidth = *reader.ReadInt32();
  h.VisibleHeight = *reader.ReadInt32();
  h.PatternCount = *reader.ReadInt32();
  h.TextureWidth = *reader.ReadInt32();
  h.TextureHeight = *reader.ReadInt32();
  h.TextureCount = *reader.ReadInt32();
  if (h.TextureCount < 0) h.TextureCount = 0;
  return h;
}

std::optional<std::size_t> ImagePixelBytes(TPixelFormat format, std::int32_t width, std::int32_t height,
                                           std::int32_t count) {
  if (width < 0 || height < 0 || count < 0) return std::nullopt;
  const unsigned __int128 total = static_cast<unsigned __int128>(width) * static_cast<unsigned>(height) *
                                  static_cast<unsigned>(count) * static_cast<unsigned>(PixelBytes(format));
  if (total > std::numeric_limits<std::size_t>::max()) return std::nullopt;
  return static_cast<std::size_t>(total);
}

