// FreeType-rasterised text: glyph coverage bitmaps and text drawn onto pictures.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "content/kit/Image.h"
#include "content/kit/Paint.h"

namespace zelmar::content {

struct GlyphBitmap {
  int Width = 0, Height = 0;    // bitmap size
  int Left = 0, Top = 0;        // offset of the bitmap from the pen: x right, top above the baseline
  int Advance = 0;              // horizontal advance in whole pixels
  std::vector<float> Coverage;  // width × height values in 0..1
};

class Typeface {
 public:
  // Opens a font file at a pixel size (em height); throws std::runtime_error when it cannot.
  Typeface(const std::string& path, int pixelSize);
  ~Typeface();
  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;

  // Anti-aliased bitmap of one Unicode character (hinted for crisp small text).
  GlyphBitmap Glyph(char32_t ch) const;
  bool HasGlyph(char32_t ch) const;
  int Ascender() const;   // pixels above the baseline
  int Descender() const;  // pixels below the baseline (positive)
  // Width in pixels of a text (UTF-8).
  int Measure(const std::string& utf8) const;
  // Draws UTF-8 text with its baseline at y, filled by the shader.
  void Draw(Image& img, const std::string& utf8, float x, float y, const Shader& shade) const;
  void Draw(Image& img, const std::string& utf8, float x, float y, Rgba colour) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Decodes UTF-8 into code points; a broken sequence becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& s);
// Where the DejaVu fonts live.
std::string DejavuPath(const std::string& file);

}  // namespace zelmar::content
