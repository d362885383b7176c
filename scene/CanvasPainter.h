// The game window's painter: the scene's drawing calls on the batching canvas, with the pictures and fonts
// of the group "Content" resolved once after loading.
#pragma once

#include <array>

#include "scene/ScenePainter.h"

namespace zelmar {
class TGfxCanvas;
class TGfxFont;
class TGfxFonts;
class TGfxImage;
class TGfxImages;
}  // namespace zelmar

namespace zelmar::scene {

class TCanvasPainter : public TScenePainter {
 public:
  explicit TCanvasPainter(TGfxCanvas& canvas) : canvas_(canvas) {}

  // Finds every picture by its archive name and the three fonts by position; true only when all of them are
  // there (loaded fonts with a canvas). Until a successful Bind the picture and text calls do nothing, so a
  // missing picture or font is never drawn or called; rectangles and points need no content. Bind again after
  // the content is reloaded.
  bool Bind(TGfxImages& images, TGfxFonts& fonts);
  // Forgets the pictures and fonts (call when the device releases them).
  void Unbind();
  bool Bound() const { return bound_; }

  void Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) override;
  void DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) override;
  void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) override;
  void PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) override;
  void TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
               std::uint32_t bottomColor, TDrawFx fx) override;
  double TextWidth(int font, std::string_view text) const override;

 private:
  // The bound image of a picture, or null while unbound.
  TGfxImage* Image(TPicture picture) const;

  TGfxCanvas& canvas_;
  std::array<TGfxImage*, kPictureCount> pictures_{};
  std::array<TGfxFont*, kFontCount> fonts_{};
  bool bound_ = false;
};

}  // namespace zelmar::scene
