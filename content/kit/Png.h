// A small PNG encoder (8-bit RGBA, zlib-compressed) for review pictures.
#pragma once
#include <string>

#include "content/kit/Image.h"

namespace zelmar::content {

// Writes the picture (or only its first `rows` rows, when given) as an RGBA PNG file; false when the file
// cannot be written.
bool WritePng(const std::string& path, const Image& img, int rows = -1);

}  // namespace zelmar::content
