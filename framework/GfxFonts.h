// Bitmap fonts: a glyph image whose patterns are the glyphs of Unicode characters plus a table of their
// code points and advances, drawn line by line through the canvas; and the collection that owns them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/GfxDrawFx.h"
#include "framework/GfxFormatChoice.h"
#include "framework/GfxPublisher.h"
#include "framework/GfxTextLayout.h"

namespace zelmar {

class TGfxCanvas;
class TGfxFonts;
class TGfxImage;

// Raised by TextOut on a font that has no owner or whose owner has no canvas.
class EGfxFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Drawing effects of a font, combined as bits.
enum TFontStyleFx : unsigned { feBold = 1, feItalic = 2, feShadow = 4, feEmboss = 8 };

class TGfxFont {
 public:
  explicit TGfxFont(TGfxFonts* owner);
  ~TGfxFont();
  TGfxFont(const TGfxFont&) = delete;
  TGfxFont& operator=(const TGfxFont&) = delete;

  std::string Name;
  double Scale = 1.0;
  unsigned Style = 0;  // TFontStyleFx bits
  bool TextTags = true;
  double Interleave = 0.0;
  double ShadowIntensity = 0.5;
  std::uint32_t ShadowColor = 0;
  double ShadowDistance = 1.0;
  double EmbossStrength = 0.8;
  std::uint32_t EmbossColor = 0;
  double BlankSpacing = 0.3;

  TGfxFonts* Owner() const { return owner_; }
  // Moves the font out of (null) or into a collection's reach; the glyph image keeps its device.
  void SetOwner(TGfxFonts* owner) { owner_ = owner; }

  // Reads a font record (glyph table, then the glyph image record) into a new glyph image with
  // mip-mapping on; false, leaving the font unloaded, when it is already loaded or the record is bad.
  bool LoadFromRecord(std::span<const std::uint8_t> record, TAlphaLevel alphaLevel, TGfxQuality quality);

  bool Loaded() const { return loaded_; }
  TGfxImage* Image() const { return image_.get(); }
  int Spacing() const { return spacing_; }
  int GlyphCount() const { return static_cast<int>(advances_.size()); }
  std::span<const std::int32_t> Advances() const { return advances_; }
  // The glyph of a Unicode character, or -1 when the font lacks it.
  int GlyphOf(char32_t code) const { return FindGlyph(glyphs_, code); }
  // Pixels of the glyph cell left of the pen and above the line's top.
  int CellLeft() const { return cellLeft_; }
  int CellTop() const { return cellTop_; }

  // Draws one line of UTF-8 text from (x, y), glyphs shaded from the top to the bottom colour, honouring
  // the inline colour tags; a character the font lacks draws its replacement mark. Returns the pen x after
  // the last character.
  double TextOut(std::string_view text, double x, double y, std::uint32_t topColor, std::uint32_t bottomColor,
                 TDrawFx fx);
  // The width TextOut would advance the pen by, and how many characters it would draw as the mark; an
  // unloaded font measures nothing.
  TTextExtent Measure(std::string_view text) const;

 private:
  // The layout's view of the loaded font at its current scale and settings.
  TTextMetrics Metrics() const;

  TGfxFonts* owner_;
  std::unique_ptr<TGfxImage> image_;
  std::vector<std::int32_t> advances_;
  std::vector<TGlyphKey> glyphs_;  // ascending by code point
  std::int32_t replacement_ = -1;
  int cellLeft_ = 0, cellTop_ = 0;
  int spacing_ = 0;
  bool loaded_ = false;
};

class TGfxFonts : public TGfxDeviceSubscriber {
 public:
  explicit TGfxFonts(TComponent* owner);
  ~TGfxFonts() override;

  // Appends a new font named "Font" and the running counter in at least two digits.
  TGfxFont* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  // The font at `index`, or null when out of range.
  TGfxFont* Items(int index) const;
  int IndexOf(const TGfxFont* font) const;
  // Frees the font at `index` and closes the gap; out-of-range positions do nothing.
  void Delete(int index);
  void Clear();

  TGfxCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TGfxCanvas* canvas) { canvas_ = canvas; }

  bool HandleMessage(int msg) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::vector<std::unique_ptr<TGfxFont>> items_;
  TGfxCanvas* canvas_ = nullptr;
  int counter_ = 0;
};

}  // namespace zelmar
