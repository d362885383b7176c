#include "framework/GfxFonts.h"

#include <cmath>
#include <cstdio>

#include "framework/GfxCanvas.h"
#include "framework/GfxFontRecord.h"
#include "framework/GfxImages.h"

namespace zelmar {

namespace {

// A colour with its alpha byte replaced by `alpha` (0 ... 1 of full).
std::uint32_t WithAlpha(std::uint32_t color, double alpha) {
  const double clamped = std::isnan(alpha) ? 0.0 : std::fmin(std::fmax(alpha, 0.0), 1.0);
  const auto a = static_cast<std::uint32_t>(std::lround(clamped * 255.0));
  return (color & 0x00FFFFFFu) | a << 24;
}

// The corners of a glyph quad, the top edge shifted right and the bottom edge left by `slant` pixels.
TQuadPoints GlyphPoints(double x, double y, double w, double h, double slant) {
  TQuadPoints p = RectPoints(x, y, w, h);
  p[0].X += static_cast<float>(slant);
  p[1].X += static_cast<float>(slant);
  p[2].X -= static_cast<float>(slant);
  p[3].X -= static_cast<float>(slant);
  return p;
}

}  // namespace

// A font belongs to a collection (or to none, for a detached font).
TGfxFont::TGfxFont(TGfxFonts* owner) : owner_(owner) {}

TGfxFont::~TGfxFont() = default;

// Reads the glyph table, then decodes the glyph image; the font stays unloaded on failure.
bool TGfxFont::LoadFromRecord(std::span<const std::uint8_t> record, TAlphaLevel alphaLevel,
                              TGfxQuality quality) {
  if (loaded_) return false;
  // 1. The glyph table.
  const auto header = ReadFontRecord(record);
  if (!header) return false;
  // 2. The glyph image, always with mip-mapping.
  auto image = std::make_unique<TGfxImage>(owner_);
  image->Name = Name;
  image->SetQuality(quality);
  image->SetAlphaLevel(alphaLevel);
  image->SetMipMapping(true);
  if (!image->LoadFromRecord(header->ImageRecord)) return false;
  image_ = std::move(image);
  advances_ = header->Advances;
  glyphs_ = SortedGlyphKeys(header->CodePoints);
  replacement_ = ReplacementGlyph(glyphs_);
  cellLeft_ = header->CellLeft;
  cellTop_ = header->CellTop;
  spacing_ = header->Spacing;
  loaded_ = true;
  return true;
}

// Everything the layout reads, from the loaded glyph table and image and the font's settings.
TTextMetrics TGfxFont::Metrics() const {
  TTextMetrics metrics;
  metrics.Glyphs = glyphs_;
  metrics.Spacing = spacing_;
  metrics.Advances = advances_;
  metrics.Replacement = replacement_;
  metrics.CellLeft = cellLeft_;
  metrics.CellTop = cellTop_;
  metrics.VisibleWidth = image_ ? image_->VisibleWidth() : 0;
  metrics.VisibleHeight = image_ ? image_->VisibleHeight() : 0;
  metrics.Scale = Scale;
  metrics.Interleave = Interleave;
  metrics.BlankSpacing = BlankSpacing;
  metrics.TextTags = TextTags;
  return metrics;
}

// The layout run without drawing.
TTextExtent TGfxFont::Measure(std::string_view text) const {
  if (!loaded_ || !image_) return {};
  return MeasureText(Metrics(), text);
}

// Lays the text out and draws each glyph quad through the owner's canvas.
double TGfxFont::TextOut(std::string_view text, double x, double y, std::uint32_t topColor,
                         std::uint32_t bottomColor, TDrawFx fx) {
  if (!loaded_ || !image_) return x;
  if (!owner_) throw EGfxFontError("TGfxFont: Unassigned Owner property.");
  TGfxCanvas* canvas = owner_->Canvas();
  if (!canvas) throw EGfxFontError("TGfxFont: Unassigned Owner.Canvas property.");

  const TTextMetrics metrics = Metrics();
  const double slant = (Style & feItalic) ? image_->VisibleWidth() * Scale / 8.0 : 0.0;
  return LayoutText(metrics, text, x, y, topColor, bottomColor, [&](const TGlyphQuad& g) {
    TPatternRequest request{g.Pattern};
    auto draw = [&](double dx, double dy, std::uint32_t top, std::uint32_t bottom) {
      canvas->DrawQuad(image_.get(), GlyphPoints(g.X + dx, g.Y + dy, g.Width, g.Height, slant), request,
                       {top, top, bottom, bottom}, fx);
    };
    // Effects the game leaves off: a shadow below, an emboss copy, bold copies, then the glyph itself.
    if (Style & feShadow) {
      const double d = 2.0 * Scale * ShadowDistance;
      const std::uint32_t shade = WithAlpha(ShadowColor, ShadowIntensity);
      draw(d, d, shade, shade);
    }
    double shift = 0.0;
    if (Style & feEmboss) {
      const std::uint32_t relief = WithAlpha(EmbossColor, EmbossStrength * ((Style & feBold) ? 0.65 : 1.0));
      draw(0, 0, relief, relief);
      shift = -1.0;
    }
    if (Style & feBold) {
      draw(shift - 1.0, shift, g.TopColor, g.BottomColor);
      draw(shift + 1.0, shift, g.TopColor, g.BottomColor);
    }
    draw(shift, shift, g.TopColor, g.BottomColor);
  });
}

// Announces itself to the owner like every collection.
TGfxFonts::TGfxFonts(TComponent* owner) : TGfxDeviceSubscriber(owner) {
  AnnounceToOwner();
}

// Frees the fonts and their glyph images.
TGfxFonts::~TGfxFonts() {
  Clear();
}

// Names the new font from the running counter: Font00, Font01, ...
TGfxFont* TGfxFonts::Add() {
  auto font = std::make_unique<TGfxFont>(this);
  char name[24];
  std::snprintf(name, sizeof name, "Font%02d", counter_++);
  font->Name = name;
  items_.push_back(std::move(font));
  return items_.back().get();
}

// Fonts are addressed by position; a missing position gives null.
TGfxFont* TGfxFonts::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

// Position of a font in the collection, or -1.
int TGfxFonts::IndexOf(const TGfxFont* font) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<std::size_t>(i)].get() == font) return i;
  }
  return -1;
}

// Frees one font; the fonts after it move up one position.
void TGfxFonts::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
}

// Frees every font.
void TGfxFonts::Clear() {
  items_.clear();
}

// Fonts die with the device; every message is accepted.
bool TGfxFonts::HandleMessage(int msg) {
  if (msg == msgDeviceDestroyed) Clear();
  return true;
}

// Forgets a canvas that leaves the owner and takes the first one that joins while none is set.
void TGfxFonts::Notification(TComponent* component, TOperation operation) {
  TGfxDeviceSubscriber::Notification(component, operation);
  if (operation == TOperation::opRemove && component == canvas_) canvas_ = nullptr;
  if (operation == TOperation::opInsert && !canvas_) {
    if (auto* canvas = dynamic_cast<TGfxCanvas*>(component)) canvas_ = canvas;
  }
}

}  // namespace zelmar
