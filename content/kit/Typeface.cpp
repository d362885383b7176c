#include "content/kit/Typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

namespace zelmar::content {

struct Typeface::Impl {
  FT_Library Lib = nullptr;
  FT_Face Face = nullptr;
};

Typeface::Typeface(const std::string& path, int pixelSize) : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->Lib) != 0) throw std::runtime_error("FreeType cannot start");
  if (FT_New_Face(impl_->Lib, path.c_str(), 0, &impl_->Face) != 0) {
    FT_Done_FreeType(impl_->Lib);
    throw std::runtime_error("cannot open font " + path);
  }
  FT_Set_Pixel_Sizes(impl_->Face, 0, static_cast<FT_UInt>(pixelSize));
}

Typeface::~Typeface() {
  FT_Done_Face(impl_->Face);
  FT_Done_FreeType(impl_->Lib);
}

bool Typeface::HasGlyph(char32_t ch) const {
  return FT_Get_Char_Index(impl_->Face, ch) != 0;
}

GlyphBitmap Typeface::Glyph(char32_t ch) const {
  GlyphBitmap g;
  FT_Face face = impl_->Face;
  if (FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return g;
  const FT_Bitmap& bm = face->glyph->bitmap;
  g.Width = static_cast<int>(bm.width);
  g.Height = static_cast<int>(bm.rows);
  g.Left = face->glyph->bitmap_left;
  g.Top = face->glyph->bitmap_top;
  g.Advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  g.Coverage.resize(static_cast<size_t>(g.Width) * g.Height);
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x) g.Coverage[y * g.Width + x] = bm.buffer[y * bm.pitch + x] / 255.f;
  return g;
}

int Typeface::Ascender() const {
  return static_cast<int>((impl_->Face->size->metrics.ascender + 63) >> 6);
}
int Typeface::Descender() const {
  return static_cast<int>((-impl_->Face->size->metrics.descender + 63) >> 6);
}

int Typeface::Measure(const std::string& utf8) const {
  int w = 0;
  for (char32_t c : DecodeUtf8(utf8)) w += Glyph(c).Advance;
  return w;
}

void Typeface::Draw(Image& img, const std::string& utf8, float x, float y, const Shader& shade) const {
  float pen = x;
  for (char32_t c : DecodeUtf8(utf8)) {
    const GlyphBitmap g = Glyph(c);
    const int ox = static_cast<int>(std::lround(pen)) + g.Left, oy = static_cast<int>(std::lround(y)) - g.Top;
    for (int j = 0; j < g.Height; ++j)
      for (int i = 0; i < g.Width; ++i) {
        const float cov = g.Coverage[j * g.Width + i];
        if (cov > 0) img.Blend(ox + i, oy + j, shade(ox + i + 0.5f, oy + j + 0.5f), cov);
      }
    pen += g.Advance;
  }
}

void Typeface::Draw(Image& img, const std::string& utf8, float x, float y, Rgba colour) const {
  Draw(img, utf8, x, y, [colour](float, float) { return colour; });
}

std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : c < 0xe0 ? 2 : c < 0xf0 ? 3 : 4;
    char32_t cp = len == 1 ? c : c & (0x3f >> (len - 1));
    for (int k = 1; k < len && i + k < s.size(); ++k)
      cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3f);
    out.push_back(cp);
    i += len;
  }
  return out;
}

char32_t Cp1251ToUnicode(unsigned char byte) {
  static const char32_t kHigh[64] = {
      0x0402, 0x0403, 0x201a, 0x0453, 0x201e, 0x2026, 0x2020, 0x2021, 0x20ac, 0x2030, 0x0409, 0x2039, 0x040a,
      0x040c, 0x040b, 0x040f, 0x0452, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
      0x0459, 0x203a, 0x045a, 0x045c, 0x045b, 0x045f, 0x00a0, 0x040e, 0x045e, 0x0408, 0x00a4, 0x0490, 0x00a6,
      0x00a7, 0x0401, 0x00a9, 0x0404, 0x00ab, 0x00ac, 0x00ad, 0x00ae, 0x0407, 0x00b0, 0x00b1, 0x0406, 0x0456,
      0x0491, 0x00b5, 0x00b6, 0x00b7, 0x0451, 0x2116, 0x0454, 0x00bb, 0x0458, 0x0405, 0x0455, 0x0457};
  if (byte < 0x80) return byte;
  if (byte < 0xc0) return kHigh[byte - 0x80];
  return 0x0410 + (byte - 0xc0);
}

std::string DejavuPath(const std::string& file) {
  return "/usr/share/fonts/truetype/dejavu/" + file;
}

}  // namespace zelmar::content
