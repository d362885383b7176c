// Renders a figure model to a picture: orthographic ray marching, studio lighting, ivory/gold or
// ebony/bronze.
#pragma once
#include "content/kit/FigureModel.h"
#include "content/kit/Image.h"

namespace zelmar::content {

enum class Army { Blondes, Brunettes };

struct FigureView {
  int width = 112, height = 200;  // picture size
  float footX = 56, footY = 180;  // where the foot centre lands in the picture
  float scale = 1;                // picture pixels per model unit
  float stretch = 1;              // extra horizontal scale (stockier icons)
  float elevation = 22;           // camera angle above the horizon, degrees
  int samples = 3;                // samples per pixel side (anti-aliasing)
  float shadow = 0.45f;           // opacity of the soft contact shadow under the foot (0: none)
};

// Renders one figure of one army on transparent ground.
Image renderFigure(const FigureModel& model, Army army, const FigureView& view);

}  // namespace zelmar::content
