// The game's own readers on the test backend: a device with the image and font collections the loader fills,
// and the pixels of a pattern read back from the device texture where the game's pattern map puts them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"

namespace zelmar {

namespace content_test {

struct GameReaders {
  platform::TestPlatform Platform;
  TApplication App{Platform};
  TForm Form{App, platform::WindowSettings{}};
  TGfxDevice Device{&Form, Platform};
  TGfxImages Images{&Form};
  TGfxFonts Fonts{&Form};

  // Subscribes the collections and starts the device, as the game window does.
  GameReaders() {
    Images.SetPublisher(&Device);
    Fonts.SetPublisher(&Device);
    EXPECT_TRUE(Device.Initialize());
  }
};

// The visible pixels of one pattern (0xAARRGGBB, row by row) from level 0 of the texture the game filled;
// empty when the image has no such pattern.
inline std::vector<std::uint32_t> PatternPixels(const TGfxImage& image, int pattern) {
  std::vector<std::uint32_t> out;
  TPatternRequest request;
  request.Pattern = pattern;
  const auto coords = image.PatternCoords(request);
  if (!coords || pattern < 0 || pattern >= image.PatternCount()) return out;
  const auto* texture = dynamic_cast<const platform::TestTexture*>(image.Texture(coords->TextureIndex));
  if (!texture) return out;
  // The map gives the visible area's corners normalised to the texture; back to texels.
  const int tw = image.TextureWidth(),
            left = static_cast<int>(std::lround(coords->U[0] * static_cast<float>(tw)));
  const int top = static_cast<int>(std::lround(coords->V[0] * static_cast<float>(image.TextureHeight())));
  const auto bytes = static_cast<std::size_t>(PixelBytes(image.Format()));
  out.reserve(static_cast<std::size_t>(image.VisibleWidth()) *
              static_cast<std::size_t>(image.VisibleHeight()));
  for (int y = 0; y < image.VisibleHeight(); ++y)
    for (int x = 0; x < image.VisibleWidth(); ++x) {
      const auto texel = static_cast<std::size_t>(top + y) * static_cast<std::size_t>(tw) +
                         static_cast<std::size_t>(left + x);
      out.push_back(DecodePixel(image.Format(), texture->Levels[0].data() + texel * bytes));
    }
  return out;
}

// The alpha byte of a 0xAARRGGBB value.
inline int Alpha(std::uint32_t argb) {
  return static_cast<int>(argb >> 24);
}

}  // namespace content_test

}  // namespace zelmar
