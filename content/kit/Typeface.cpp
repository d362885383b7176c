#include "content/kit/Typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

#include "framework/GfxUtf8.h"

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

// The game's own strict reader, one character at a time.
std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const TUtf8Char ch = ReadUtf8Char(s, i);
    out.push_back(ch.CodePoint);
    i += ch.Length;
  }
  return out;
}

std::string DejavuPath(const std::string& file) {
  return "/usr/share/fonts/truetype/dejavu/" + file;
}

}  // namespace zelmar::content
