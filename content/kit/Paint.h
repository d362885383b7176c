// Anti-aliased 2D painting on an Image: polygons, rectangles, ellipses, gradients and shaders.
#pragma once
#include <functional>
#include <vector>

#include "content/kit/Image.h"

namespace zelmar::content {

struct Pt {
  float X = 0, Y = 0;
};

// Colour of a point of a shape (pixel centre coordinates).
using Shader = std::function<Rgba(float x, float y)>;

// Fraction (0..1) of the pixel (x, y) inside the polygon, from 4 × 4 samples with the even-odd rule.
float PolygonCoverage(const std::vector<Pt>& poly, int x, int y);
// Fills a polygon with a shader, anti-aliased on its edges.
void FillPolygon(Image& img, const std::vector<Pt>& poly, const Shader& shade);
void FillPolygon(Image& img, const std::vector<Pt>& poly, Rgba colour);
// Fills a rectangle with rounded corners (radius r), anti-aliased.
void FillRoundRect(Image& img, float x, float y, float w, float h, float r, const Shader& shade);
void FillRoundRect(Image& img, float x, float y, float w, float h, float r, Rgba colour);
// Fills an ellipse, anti-aliased.
void FillEllipse(Image& img, float cx, float cy, float rx, float ry, const Shader& shade);
void FillEllipse(Image& img, float cx, float cy, float rx, float ry, Rgba colour);
// Draws a line of width w with round ends.
void StrokeLine(Image& img, Pt a, Pt b, float w, Rgba colour);
// Signed distance from p to a rounded rectangle (negative inside).
float RoundRectDistance(float px, float py, float x, float y, float w, float h, float r);
// A radial glow of colour c: full at the centre, fading to nothing at radius r.
void AddGlow(Image& img, float cx, float cy, float r, Rgba c);

}  // namespace zelmar::content
