#include "framework/GfxFormatChoice.h"

namespace zelmar {

namespace {

using F = TPixelFormat;
constexpr F kNoneLow[] = {F::pfR3G3B2, F::pfR5G6B5, F::pfX1R5G5B5, F::pfX4R4G4B4, F::pfX8R8G8B8};
constexpr F kNoneMedium[] = {F::pfR5G6B5, F::pfX8R8G8B8, F::pfX1R5G5B5, F::pfX4R4G4B4, F::pfR3G3B2};
constexpr F kNoneHigh[] = {F::pfX8R8G8B8, F::pfR5G6B5, F::pfX1R5G5B5, F::pfX4R4G4B4, F::pfR3G3B2};
constexpr F kMask[] = {F::pfA1R5G5B5, F::pfA4R4G4B4, F::pfA8R8G8B8, F::pfA8R3G3B2};
constexpr F kFullLow[] = {F::pfA4R4G4B4, F::pfA8R8G8B8, F::pfA1R5G5B5, F::pfA8R3G3B2};
constexpr F kFullMedium[] = {F::pfA4R4G4B4, F::pfA8R8G8B8, F::pfA8R3G3B2, F::pfA1R5G5B5};
constexpr F kFullHigh[] = {F::pfA8R8G8B8, F::pfA4R4G4B4, F::pfA8R3G3B2, F::pfA1R5G5B5};
constexpr F kExclusive[] = {F::pfA8, F::pfA8R3G3B2, F::pfA8R8G8B8, F::pfA4R4G4B4, F::pfA1R5G5B5};

}  // namespace

// Mask and exclusive alpha use one list whatever the quality.
std::span<const TPixelFormat> FormatPreferenceList(TAlphaLevel alpha, TGfxQuality quality) {
  switch (alpha) {
    case TAlphaLevel::alNone:
      if (quality == TGfxQuality::aqLow) return kNoneLow;
      if (quality == TGfxQuality::aqMedium) return kNoneMedium;
      return kNoneHigh;
    case TAlphaLevel::alMask:
      return kMask;
    case TAlphaLevel::alExclusive:
      return kExclusive;
    case TAlphaLevel::alFull:
      break;
  }
  if (quality == TGfxQuality::aqLow) return kFullLow;
  if (quality == TGfxQuality::aqMedium) return kFullMedium;
  return kFullHigh;
}

}  // namespace zelmar
