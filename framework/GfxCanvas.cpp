#include "framework/GfxCanvas.h"

#include "framework/GfxImages.h"
#include "framework/GfxRounding.h"

namespace zelmar {

namespace {

constexpr TQuadColors kWhiteCorners = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};

}  // namespace

// Corners of a rectangle in the order the quads use.
TQuadPoints RectPoints(double x, double y, double width, double height) {
  const auto l = static_cast<float>(x), t = static_cast<float>(y);
  const auto r = static_cast<float>(x + width), b = static_cast<float>(y + height);
  return {TPoint2{l, t}, TPoint2{r, t}, TPoint2{r, b}, TPoint2{l, b}};
}

// Announces itself so font collections of the same owner can take it as their canvas.
TGfxCanvas::TGfxCanvas(TComponent* owner) : TGfx2D(owner) {
  AnnounceToOwner();
}

// Draws a pattern at its visible size with white corners (the texture alone).
void TGfxCanvas::Draw(TGfxImage* image, double x, double y, int pattern, TDrawFx fx) {
  if (!image) return;
  DrawQuad(image, RectPoints(x, y, image->VisibleWidth(), image->VisibleHeight()), TPatternRequest{pattern},
           kWhiteCorners, fx);
}

// Draws a pattern scaled, its size rounded half to even so it lands on whole pixels.
void TGfxCanvas::DrawScaled(TGfxImage* image, double x, double y, double scale, int pattern, TDrawFx fx) {
  if (!image) return;
  const int width = RoundHalfEven(scale * image->VisibleWidth());
  const int height = RoundHalfEven(scale * image->VisibleHeight());
  DrawQuad(image, RectPoints(x, y, width, height), TPatternRequest{pattern}, kWhiteCorners, fx);
}

// Fills a rectangle in one colour.
void TGfxCanvas::FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) {
  AddColorQuad(RectPoints(left, top, width, height), {color, color, color, color}, fx);
}

// Lights one pixel.
void TGfxCanvas::PutPixel(float x, float y, std::uint32_t color, TDrawFx fx) {
  AddPoint({x, y}, color, fx);
}

// Draws a line shaded from one colour to the other.
void TGfxCanvas::Line(float x1, float y1, float x2, float y2, std::uint32_t color1, std::uint32_t color2,
                      TDrawFx fx) {
  AddLine({x1, y1}, {x2, y2}, color1, color2, fx);
}

// Maps a pattern onto four corners; texel centres are moved onto pixel centres.
void TGfxCanvas::DrawQuad(TGfxImage* image, const TQuadPoints& points, const TPatternRequest& request,
                          const TQuadColors& colors, TDrawFx fx) {
  if (!image) return;
  const auto coords = image->PatternCoords(request);
  if (!coords) return;
  TQuadPoints shifted = points;
  TQuadCoords uv;
  for (std::size_t i = 0; i < 4; ++i) {
    shifted[i].X -= 0.5f;
    shifted[i].Y -= 0.5f;
    uv[i] = {coords->U[i], coords->V[i]};
  }
  AddQuad(image, coords->TextureIndex, shifted, uv, colors, fx);
}

// Fills any four corners, each with its own colour.
void TGfxCanvas::FillQuad(const TQuadPoints& points, const TQuadColors& colors, TDrawFx fx) {
  AddColorQuad(points, colors, fx);
}

}  // namespace zelmar
