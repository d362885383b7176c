// Texture quality and alpha settings of an image and the device formats they prefer, best first.
#pragma once

#include <span>

#include "framework/GfxPixelFormats.h"

namespace zelmar {

enum class TGfxQuality { aqLow, aqMedium, aqHigh };
enum class TAlphaLevel { alNone, alMask, alFull, alExclusive };

// The device formats to try, in order, for an image with the given alpha level and quality.
std::span<const TPixelFormat> FormatPreferenceList(TAlphaLevel alpha, TGfxQuality quality);

}  // namespace zelmar
