// A device on the test backend with an image and a font collection, built once per fuzz process.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/TestPlatform.h"

namespace zelmar {

struct DecoderRig {
  platform::TestPlatform Platform;
  TComponent Owner{nullptr};
  std::unique_ptr<platform::PlatformWindow> Window = Platform.CreateWindow({});
  TGfxDevice Device{&Owner, Platform};
  TGfxImages Images{&Owner};
  TGfxFonts Fonts{&Owner};

  // Subscribes the collections and creates the device.
  DecoderRig() {
    Device.SetWindowHandle(Window.get());
    Images.SetPublisher(&Device);
    Fonts.SetPublisher(&Device);
    if (!Device.Initialize()) __builtin_trap();
  }

  // The rig of this process; the call log is dropped so it does not grow without bound.
  static DecoderRig& Get() {
    static DecoderRig rig;
    rig.Platform.Gfx.Log.clear();
    return rig;
  }
};

// Quality and alpha level picked by the first input byte.
inline TGfxQuality QualityOf(std::uint8_t b) {
  return static_cast<TGfxQuality>(b % 3);
}
inline TAlphaLevel AlphaOf(std::uint8_t b) {
  return static_cast<TAlphaLevel>((b / 3) % 4);
}

}  // namespace zelmar
