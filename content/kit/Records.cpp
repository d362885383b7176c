#include "content/kit/Records.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace content {
namespace {

void put32(Bytes& out, int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

bool get32(const Bytes& in, size_t& pos, int32_t& v) {
  if (pos + 4 > in.size()) return false;
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(in[pos + i]) << (8 * i);
  v = static_cast<int32_t>(u);
  pos += 4;
  return true;
}

int bytesPerPixel(int code) {
  return code == 10 ? 1 : 4;
}

}  // namespace

Bytes encodeImageRecord(const std::vector<Image>& patterns, StoredFormat format) {
  const int n = static_cast<int>(patterns.size());
  const int pw = n ? patterns[0].width() : 0, ph = n ? patterns[0].height() : 0;
  // 1. Lay the patterns out in rows of as many as a texture holds.
  const int cols = std::max(1, std::min(n, kMaxTextureSide / std::max(pw, 1)));
  const int rowsNeeded = (n + cols - 1) / cols;
  const int rows = std::max(1, std::min(rowsNeeded, kMaxTextureSide / std::max(ph, 1)));
  const int perTexture = cols * rows;
  const int textures = (n + perTexture - 1) / perTexture;
  const int tw = cols * pw, th = rows * ph;
  // 2. Header.
  Bytes out;
  out.push_back(static_cast<uint8_t>(format));
  put32(out, pw);
  put32(out, ph);
  put32(out, pw);
  put32(out, ph);
  put32(out, n);
  put32(out, tw);
  put32(out, th);
  put32(out, textures);
  // 3. Pixels, texture by texture, row by row; cells past the last pattern stay transparent.
  for (int t = 0; t < textures; ++t)
    for (int y = 0; y < th; ++y)
      for (int x = 0; x < tw; ++x) {
        const int index = t * perTexture + (y / ph) * cols + x / pw;
        const uint32_t argb = index < n ? toArgb(patterns[index].at(x % pw, y % ph)) : 0;
        if (format == StoredFormat::A8) {
          out.push_back(static_cast<uint8_t>(argb >> 24));
          continue;
        }
        const uint32_t v = format == StoredFormat::X8R8G8B8 ? (argb | 0xff000000u) : argb;
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
      }
  return out;
}

Bytes encodeFontRecord(const FontGlyphs& font) {
  Bytes out;
  put32(out, font.firstCode);
  put32(out, font.spacing);
  put32(out, 0);
  put32(out, static_cast<int32_t>(font.advances.size()));
  for (int adv : font.advances) {
    put32(out, adv);
    put32(out, 0);
  }
  const Bytes image = encodeImageRecord(font.cells, StoredFormat::A8R8G8B8);
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

std::optional<DecodedImage> decodeImageRecord(const Bytes& data, size_t pos) {
  if (pos >= data.size()) return std::nullopt;
  const int code = data[pos++];
  if (code != 2 && code != 5 && code != 10) return std::nullopt;
  int32_t f[8];
  for (int32_t& v : f)
    if (!get32(data, pos, v)) return std::nullopt;
  DecodedImage img{f[0], f[1], f[2], f[3], {}};
  const int count = f[4], tw = f[5], th = f[6], textures = f[7];
  if (f[0] <= 0 || f[1] <= 0 || tw < f[0] || th < f[1] || textures < 0 || count < 0) return std::nullopt;
  const int cols = tw / f[0], rows = th / f[1];
  const size_t bpp = bytesPerPixel(code);
  if (data.size() - pos < static_cast<size_t>(tw) * th * bpp * textures) return std::nullopt;
  const int total = count > 0 ? count : cols * rows * textures;
  if (total > cols * rows * textures) return std::nullopt;
  for (int k = 0; k < total; ++k) {
    const int t = k / (cols * rows), p = k % (cols * rows);
    const int ox = (p % cols) * f[0] + (f[0] - f[2]) / 2, oy = (p / cols) * f[1] + (f[1] - f[3]) / 2;
    Image cell(f[2], f[3]);
    for (int y = 0; y < f[3]; ++y)
      for (int x = 0; x < f[2]; ++x) {
        const size_t at = pos + ((static_cast<size_t>(t) * th + oy + y) * tw + ox + x) * bpp;
        if (code == 10) {
          const float a = data[at] / 255.f;
          cell.at(x, y) = {a, a, a, a};
          continue;
        }
        const float a = code == 2 ? 1.f : data[at + 3] / 255.f;
        cell.at(x, y) = rgba(data[at + 2] / 255.f, data[at + 1] / 255.f, data[at] / 255.f, a);
      }
    img.patterns.push_back(std::move(cell));
  }
  return img;
}

std::optional<DecodedFont> decodeFontRecord(const Bytes& data) {
  size_t pos = 0;
  int32_t first, spacing, unused, n;
  if (!get32(data, pos, first) || !get32(data, pos, spacing) || !get32(data, pos, unused) ||
      !get32(data, pos, n))
    return std::nullopt;
  if (n < 0 || static_cast<size_t>(n) * 8 > data.size() - pos) return std::nullopt;
  DecodedFont font{first & 0xff, spacing, {}, {}};
  for (int i = 0; i < n; ++i) {
    int32_t adv = 0, skip = 0;
    get32(data, pos, adv);
    get32(data, pos, skip);
    font.advances.push_back(adv);
  }
  auto glyphs = decodeImageRecord(data, pos);
  if (!glyphs) return std::nullopt;
  font.glyphs = std::move(*glyphs);
  return font;
}

bool writeFile(const std::string& path, const Bytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  return !out.fail();
}

std::optional<Bytes> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

}  // namespace content
