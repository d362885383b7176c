#include "content/kit/Records.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "framework/GfxFontRecord.h"
#include "framework/GfxImageRecord.h"
#include "framework/GfxPatternGrid.h"

namespace zelmar::content {
namespace {

// The grid a record's header describes, laid out as the game lays it out; nothing when the game would
// refuse it.
std::optional<TPatternGrid> GridOf(const TImageRecordHeader& h) {
  TPatternGrid grid;
  grid.TextureWidth = h.TextureWidth;
  grid.TextureHeight = h.TextureHeight;
  grid.TextureCount = h.TextureCount;
  grid.PatternWidth = h.PatternWidth;
  grid.PatternHeight = h.PatternHeight;
  grid.VisibleWidth = h.VisibleWidth;
  grid.VisibleHeight = h.VisibleHeight;
  grid.PatternCount = h.PatternCount;
  if (!grid.Layout()) return std::nullopt;
  return grid;
}

// A decoded 0xAARRGGBB pixel as a premultiplied colour.
Rgba FromArgb(uint32_t argb) {
  auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.f; };
  return Premultiplied(channel(16), channel(8), channel(0), channel(24));
}

}  // namespace

// The texture packing is the tools' choice; header, cell placement and pixel coding are the game's.
Bytes EncodeImageRecord(const std::vector<Image>& patterns, TPixelFormat format) {
  const int bpp = PixelBytes(format);
  if (bpp == 0) return {};
  const int n = static_cast<int>(patterns.size());
  const int pw = n ? patterns[0].Width() : 0, ph = n ? patterns[0].Height() : 0;
  // 1. Lay the patterns out in rows of as many as a texture holds; a large pattern gets a texture of its own.
  const bool own = static_cast<long>(pw) * ph >= kOwnTexturePixels;
  const int cols = own ? 1 : std::max(1, std::min(n, kMaxTextureSide / std::max(pw, 1)));
  const int rowsNeeded = (n + cols - 1) / cols;
  const int rows = own ? 1 : std::max(1, std::min(rowsNeeded, kMaxTextureSide / std::max(ph, 1)));
  const int perTexture = cols * rows;
  const int textures = (n + perTexture - 1) / perTexture;
  const TImageRecordHeader header{format, pw, ph, pw, ph, n, cols * pw, rows * ph, textures};
  // 2. The header, then nothing more for no patterns.
  Bytes out;
  WriteImageRecordHeader(header, out);
  const auto grid = n ? GridOf(header) : std::nullopt;
  if (!grid) return out;
  // 3. Every texture: the patterns in the cells the game reads them from (cells past the last pattern stay
  //    transparent), then its rows in the stored format; formats without alpha store it opaque.
  const int tw = header.TextureWidth, th = header.TextureHeight;
  const bool opaque = PixelLayout(format).ABits == 0;
  std::vector<uint32_t> texels;
  for (int t = 0; t < textures; ++t) {
    texels.assign(static_cast<size_t>(tw) * static_cast<size_t>(th), 0);
    for (int k = t * perTexture; k < std::min(n, (t + 1) * perTexture); ++k) {
      const TPatternCell cell = *grid->Cell(k);
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x)
          texels[static_cast<size_t>(cell.Top + y) * static_cast<size_t>(tw) +
                 static_cast<size_t>(cell.Left + x)] = ToArgb(patterns[static_cast<size_t>(k)].At(x, y));
    }
    const size_t at = out.size();
    out.resize(at + texels.size() * static_cast<size_t>(bpp));
    for (size_t i = 0; i < texels.size(); ++i)
      EncodePixel(format, opaque ? texels[i] | 0xFF000000u : texels[i],
                  out.data() + at + i * static_cast<size_t>(bpp));
  }
  return out;
}

// The glyph cells go in A8R8G8B8, keeping all 8 bits of their coverage.
Bytes EncodeFontRecord(const FontGlyphs& font) {
  const Bytes image = EncodeImageRecord(font.Cells, TPixelFormat::pfA8R8G8B8);
  TFontRecordHeader header;
  header.Spacing = font.Spacing;
  header.CellLeft = font.CellLeft;
  header.CellTop = font.CellTop;
  header.CodePoints = font.CodePoints;
  header.Advances.assign(font.Advances.begin(), font.Advances.end());
  header.ImageRecord = image;
  return WriteFontRecord(header);
}

// The contact sheet and the mock-ups see the records as the game will.
std::optional<DecodedImage> DecodeImageRecord(std::span<const uint8_t> data) {
  // 1. Header and pixel size checked as the game checks them.
  TRecordReader reader(data);
  const auto header = ReadImageRecordHeader(reader);
  if (!header || header->Format == TPixelFormat::pfUnknown) return std::nullopt;
  const auto needed =
      ImagePixelBytes(header->Format, header->TextureWidth, header->TextureHeight, header->TextureCount);
  if (!needed || *needed > reader.Remaining()) return std::nullopt;
  const auto grid = GridOf(*header);
  if (!grid) return std::nullopt;
  // 2. Every pattern from the cell the game maps it to; a pattern beyond the textures is a bad record.
  DecodedImage img{grid->PatternWidth, grid->PatternHeight, grid->VisibleWidth, grid->VisibleHeight, {}};
  const size_t bpp = static_cast<size_t>(PixelBytes(header->Format));
  const size_t tw = static_cast<size_t>(grid->TextureWidth), th = static_cast<size_t>(grid->TextureHeight);
  const uint8_t* pixels = reader.Rest().data();
  for (int k = 0; k < grid->PatternCount; ++k) {
    const auto cell = grid->Cell(k);
    if (!cell) return std::nullopt;
    Image pattern(img.VisibleWidth, img.VisibleHeight);
    for (int y = 0; y < img.VisibleHeight; ++y)
      for (int x = 0; x < img.VisibleWidth; ++x) {
        const size_t texel =
            (static_cast<size_t>(cell->TextureIndex) * th + static_cast<size_t>(cell->Top + y)) * tw +
            static_cast<size_t>(cell->Left + x);
        pattern.At(x, y) = FromArgb(DecodePixel(header->Format, pixels + texel * bpp));
      }
    img.Patterns.push_back(std::move(pattern));
  }
  return img;
}

// The game's glyph table reader, then the glyph image like any picture.
std::optional<DecodedFont> DecodeFontRecord(std::span<const uint8_t> data) {
  const auto header = ReadFontRecord(data);
  if (!header) return std::nullopt;
  auto glyphs = DecodeImageRecord(header->ImageRecord);
  if (!glyphs) return std::nullopt;
  DecodedFont font{header->Spacing,   header->CellLeft, header->CellTop, header->CodePoints, {},
                   std::move(*glyphs)};
  font.Advances.assign(header->Advances.begin(), header->Advances.end());
  return font;
}

// Reports a short write instead of leaving a truncated file unnoticed.
bool WriteFile(const std::string& path, const Bytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  return !out.fail();
}

// The whole file, or nothing when it cannot be read.
std::optional<Bytes> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

}  // namespace zelmar::content
