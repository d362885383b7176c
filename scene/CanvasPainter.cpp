#include "scene/CanvasPainter.h"

#include "framework/GfxCanvas.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"

namespace zelmar::scene {

// 1. Looks every picture up by name. 2. Takes fonts 0..2, each loaded and able to reach a canvas.
// 3. Keeps the result only when nothing is missing.
bool TCanvasPainter::Bind(TGfxImages& images, TGfxFonts& fonts) {
  Unbind();
  std::array<TGfxImage*, kPictureCount> pictures{};
  for (int i = 0; i < kPictureCount; ++i) {
    TGfxImage* image = images.Find(PictureName(static_cast<TPicture>(i)));
    if (!image || image->PatternCount() < 1) return false;
    pictures[static_cast<std::size_t>(i)] = image;
  }
  std::array<TGfxFont*, kFontCount> found{};
  for (int i = 0; i < kFontCount; ++i) {
    TGfxFont* font = fonts.Items(i);
    if (!font || !font->Loaded() || !fonts.Canvas()) return false;
    found[static_cast<std::size_t>(i)] = font;
  }
  pictures_ = pictures;
  fonts_ = found;
  bound_ = true;
  return true;
}

// Drops every pointer so nothing freed can be drawn.
void TCanvasPainter::Unbind() {
  pictures_.fill(nullptr);
  fonts_.fill(nullptr);
  bound_ = false;
}

// The picture's image from the bound table.
TGfxImage* TCanvasPainter::Image(TPicture picture) const {
  const auto index = static_cast<std::size_t>(picture);
  return bound_ && index < pictures_.size() ? pictures_[index] : nullptr;
}

// A pattern at its own size.
void TCanvasPainter::Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) {
  if (TGfxImage* image = Image(picture)) canvas_.Draw(image, x, y, pattern, fx);
}

// A pattern scaled.
void TCanvasPainter::DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) {
  if (TGfxImage* image = Image(picture)) canvas_.DrawScaled(image, x, y, scale, pattern, fx);
}

// An untextured rectangle (needs no content).
void TCanvasPainter::FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) {
  canvas_.FillRect(left, top, width, height, color, fx);
}

// One point.
void TCanvasPainter::PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) {
  canvas_.PutPixel(static_cast<float>(x), static_cast<float>(y), color, fx);
}

// A line of text in font 0, 1 or 2.
void TCanvasPainter::TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
                             std::uint32_t bottomColor, TDrawFx fx) {
  if (!bound_ || font < 0 || font >= kFontCount) return;
  fonts_[static_cast<std::size_t>(font)]->TextOut(text, x, y, topColor, bottomColor, fx);
}

// The bound font's own measure.
double TCanvasPainter::TextWidth(int font, std::string_view text) const {
  if (!bound_ || font < 0 || font >= kFontCount) return 0;
  return fonts_[static_cast<std::size_t>(font)]->Measure(text).Width;
}

}  // namespace zelmar::scene
