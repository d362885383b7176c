// JPEG export of an opaque picture (the launcher's art).
#pragma once
#include <string>

#include "content/kit/Image.h"

namespace zelmar::content {

// Writes the picture as a baseline JPEG of the given quality; false when it cannot be written.
bool WriteJpeg(const std::string& path, const Image& img, int quality);

}  // namespace zelmar::content
