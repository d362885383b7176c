// The canvas the scene draws with: image patterns, rectangles, lines and points over the batching renderer.
#pragma once

#include <cstdint>

#include "framework/Gfx2D.h"
#include "framework/GfxPatternGrid.h"

namespace zelmar {

class TGfxImage;

class TGfxCanvas : public TGfx2D {
 public:
  explicit TGfxCanvas(TComponent* owner);

  // The pattern's visible area at its visible size with its top-left corner at (x, y), colours white.
  void Draw(TGfxImage* image, double x, double y, int pattern, TDrawFx fx);
  // The same scaled; width and height are rounded half to even.
  void DrawScaled(TGfxImage* image, double x, double y, double scale, int pattern, TDrawFx fx);
  // An untextured rectangle from (left, top) to (left + width, top + height) in one 0xAABBGGRR colour.
  void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx);
  // One point.
  void PutPixel(float x, float y, std::uint32_t color, TDrawFx fx);
  // A line of two colours from one point to the other.
  void Line(float x1, float y1, float x2, float y2, std::uint32_t color1, std::uint32_t color2, TDrawFx fx);
  // A part of a pattern mapped onto any four corners with four colours; draws nothing when the image has
  // no such pattern. The corners move half a pixel up-left so texel centres fall on pixel centres.
  void DrawQuad(TGfxImage* image, const TQuadPoints& points, const TPatternRequest& request,
                const TQuadColors& colors, TDrawFx fx);
  // An untextured quad with four corner colours.
  void FillQuad(const TQuadPoints& points, const TQuadColors& colors, TDrawFx fx);
};

// The corners of an axis-aligned rectangle, clockwise from the top-left.
TQuadPoints RectPoints(double x, double y, double width, double height);

}  // namespace zelmar
