#include "framework/platform/GfxTypes.h"

namespace zelmar::platform {

std::uint32_t GfxPrimitiveVertices(GfxPrimitiveType type, std::uint32_t count) {
  switch (type) {
    case GfxPrimitiveType::PointList:
      return count;
    case GfxPrimitiveType::LineList:
      return count * 2;
    case GfxPrimitiveType::LineStrip:
      return count + 1;
    case GfxPrimitiveType::TriangleList:
      return count * 3;
    default:
      return count + 2;
  }
}

// Bytes per pixel of the colour formats the framework stores and draws.
int GfxFormatBytes(GfxFormat format) {
  switch (format) {
    case GfxFormat::A8R8G8B8:
    case GfxFormat::X8R8G8B8:
      return 4;
    case GfxFormat::R5G6B5:
    case GfxFormat::X1R5G5B5:
    case GfxFormat::A1R5G5B5:
    case GfxFormat::A4R4G4B4:
    case GfxFormat::X4R4G4B4:
    case GfxFormat::A8R3G3B2:
      return 2;
    case GfxFormat::R3G3B2:
    case GfxFormat::A8:
      return 1;
    default:
      return 0;
  }
}

}  // namespace zelmar::platform
