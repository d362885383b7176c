// A test-backend device with an image collection, a canvas and a font collection bound to it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxCanvas.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"
#include "tests/framework/drawing/RecordBuilder.h"

namespace zelmar {

namespace drawing_test {

class DrawingFixture : public ::testing::Test {
 protected:
  platform::TestPlatform platform;
  TApplication app{platform};
  TForm form{app, platform::WindowSettings{}};
  TGfxDevice device{&form, platform};
  TGfxImages images{&form};
  TGfxCanvas canvas{&form};
  TGfxFonts fonts{&form};

  void SetUp() override {
    images.SetPublisher(&device);
    canvas.SetPublisher(&device);
    fonts.SetPublisher(&device);
    images.SetMipMapping(false);
  }

  // Starts the device; the fixture's tests call this after adjusting the script or the canvas.
  void Start() { ASSERT_TRUE(device.Initialize()); }

  platform::TestDrawing& Drawing() {
    return static_cast<platform::TestDrawing&>(device.ApiDevice()->Drawing());
  }
  std::vector<platform::TestDrawCall>& Calls() { return Drawing().Calls; }

  // An image of `count` square patterns of `size` texels in one A8R8G8B8 texture of `tex` texels.
  TGfxImage* MakeImage(const char* name, int tex, int size, std::uint8_t fill = 0x80) {
    TGfxImage* image = images.Add();
    image->Name = name;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(tex) * tex * 4, fill);
    EXPECT_TRUE(image->LoadFromRecord(ImageRecordBytes(5, size, size, size, size, 0, tex, tex, 1, pixels)));
    return image;
  }

  // The vertices a draw call used.
  static std::vector<TGfxVertex> Vertices(const platform::TestDrawCall& call) {
    std::vector<TGfxVertex> out(call.Vertices.size() / sizeof(TGfxVertex));
    std::memcpy(out.data(), call.Vertices.data(), out.size() * sizeof(TGfxVertex));
    return out;
  }
};

}  // namespace drawing_test

}  // namespace zelmar
