// Renders a figure model to a picture: orthographic ray marching, studio lighting, ivory/gold or
// ebony/bronze.
#pragma once
#include "content/kit/FigureModel.h"
#include "content/kit/Image.h"

namespace zelmar::content {

enum class Army { Blondes, Brunettes };

struct FigureView {
  int Width = 112, Height = 200;  // picture size
  float FootX = 56, FootY = 180;  // where the foot centre lands in the picture
  float Scale = 1;                // picture pixels per model unit
  float Stretch = 1;              // extra horizontal scale (stockier icons)
  float Elevation = 22;           // camera angle above the horizon, degrees
  int Samples = 3;                // samples per pixel side (anti-aliasing)
  float Shadow = 0.45f;           // opacity of the soft contact shadow under the foot (0: none)
};

// Renders one figure of one army on transparent ground.
Image RenderFigure(const FigureModel& model, Army army, const FigureView& view);

}  // namespace zelmar::content
