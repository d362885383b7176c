// Builds image and font records byte by byte for the tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zelmar {

namespace drawing_test {

// Appends a little-endian 32-bit integer.
inline void PutInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

// The 33-byte image record header.
inline std::vector<std::uint8_t> ImageRecordHeaderBytes(std::uint8_t format, int pw, int ph, int vw, int vh,
                                                        int count, int tw, int th, int textures) {
  std::vector<std::uint8_t> out{format};
  for (int v : {pw, ph, vw, vh, count, tw, th, textures}) PutInt32(out, v);
  return out;
}

// A header followed by pixel bytes.
inline std::vector<std::uint8_t> ImageRecordBytes(std::uint8_t format, int pw, int ph, int vw, int vh,
                                                  int count, int tw, int th, int textures,
                                                  const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> out = ImageRecordHeaderBytes(format, pw, ph, vw, vh, count, tw, th, textures);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// The glyph table of a font record (without its image record).
inline std::vector<std::uint8_t> FontRecordBytes(std::int32_t first, std::int32_t spacing,
                                                 std::initializer_list<std::int32_t> advances) {
  std::vector<std::uint8_t> out;
  PutInt32(out, first);
  PutInt32(out, spacing);
  PutInt32(out, 0);
  PutInt32(out, static_cast<std::int32_t>(advances.size()));
  for (std::int32_t a : advances) {
    PutInt32(out, a);
    PutInt32(out, 0);
  }
  return out;
}

}  // namespace drawing_test

}  // namespace zelmar
