// Painting of the launcher's client area and panel (the controls draw themselves on top).
#pragma once

#include <cairo.h>

namespace zelmar {

// Paints the client area of `width` × `height`: silver, the picture (may be null) centred on it,
// and a soft shadow under the panel.
void PaintClientArea(cairo_t* cr, int width, int height, cairo_surface_t* picture);

// Paints the panel: its grey face and a thin raised edge.
void PaintPanel(cairo_t* cr, int width, int height);

}  // namespace zelmar
