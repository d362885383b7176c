#include "content/kit/Png.h"

#include <zlib.h>

#include <algorithm>

#include "content/kit/Records.h"

namespace zelmar::content {
namespace {

void PutBe32(Bytes& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Appends one chunk: length, type, data, CRC over type and data.
void Chunk(Bytes& out, const char* type, const Bytes& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

bool WritePng(const std::string& path, const Image& img, int rows) {
  const int height = rows < 0 ? img.Height() : std::min(rows, img.Height());
  // 1. Raw scanlines, each with filter type 0.
  Bytes raw;
  raw.reserve(static_cast<size_t>(img.Width() * 4 + 1) * height);
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < img.Width(); ++x) {
      const uint32_t argb = ToArgb(img.At(x, y));
      raw.push_back(static_cast<uint8_t>(argb >> 16));
      raw.push_back(static_cast<uint8_t>(argb >> 8));
      raw.push_back(static_cast<uint8_t>(argb));
      raw.push_back(static_cast<uint8_t>(argb >> 24));
    }
  }
  // 2. Compress them.
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
    return false;
  packed.resize(packedSize);
  // 3. Signature, header, data, end.
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  Bytes header;
  PutBe32(header, static_cast<uint32_t>(img.Width()));
  PutBe32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", packed);
  Chunk(out, "IEND", {});
  return WriteFile(path, out);
}

}  // namespace zelmar::content
