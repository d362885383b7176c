// The launcher's background picture, carried inside the program as a JPEG.
#pragma once

#include <cairo.h>

namespace zelmar {

// Decodes the carried picture into a new cairo surface (the caller destroys it), or returns null
// when the picture is missing or damaged.
cairo_surface_t* CreateLauncherPictureSurface();

}  // namespace zelmar
