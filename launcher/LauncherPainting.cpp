#include "launcher/LauncherPainting.h"

#include "launcher/LauncherLayout.h"

namespace zelmar {

void PaintClientArea(cairo_t* cr, int width, int height, cairo_surface_t* picture) {
  // 1. Silver ground, then the picture centred on the client area.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, kWindowGrey, kWindowGrey, kWindowGrey);
  cairo_paint(cr);
  if (picture) {
    cairo_set_source_surface(cr, picture, (width - cairo_image_surface_get_width(picture)) / 2,
                             (height - cairo_image_surface_get_height(picture)) / 2);
    cairo_paint(cr);
  }
  // 2. A soft shadow that lifts the panel off the picture, a little deeper below it.
  for (int spread = 6; spread >= 1; --spread) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.045);
    cairo_rectangle(cr, kPanelBounds.Left - spread + 1, kPanelBounds.Top - spread + 3,
                    kPanelBounds.Width + 2 * spread - 2, kPanelBounds.Height + 2 * spread);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void PaintPanel(cairo_t* cr, int width, int height) {
  const double w = width, h = height;
  cairo_save(cr);
  cairo_set_source_rgb(cr, kPanelGrey, kPanelGrey, kPanelGrey);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_fill(cr);
  // Light along the top and left, darker along the bottom and right.
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, 0.5, h - 0.5);
  cairo_line_to(cr, 0.5, 0.5);
  cairo_line_to(cr, w - 0.5, 0.5);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 0.63, 0.63, 0.63);
  cairo_move_to(cr, w - 0.5, 0.5);
  cairo_line_to(cr, w - 0.5, h - 0.5);
  cairo_line_to(cr, 0.5, h - 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace zelmar
