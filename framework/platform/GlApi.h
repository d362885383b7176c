// The OpenGL backend's entry object: the screen's modes from SDL, the formats OpenGL 3.3 can store, and the
// creation of the one device.
#pragma once

#include <vector>

#include "framework/platform/GfxApi.h"

namespace zelmar::platform {

class GlApi : public GfxApi {
 public:
  GlApi();

  std::uint32_t AdapterModeCount(GfxFormat format) override;
  GfxResult EnumAdapterModes(GfxFormat format, std::uint32_t index, GfxDisplayMode& mode) override;
  GfxResult AdapterDisplayMode(GfxDisplayMode& mode) override;
  GfxResult CheckDeviceFormat(GfxFormat adapterFormat, std::uint32_t usage, GfxResourceType type,
                              GfxFormat format) override;
  GfxResult CreateDevice(PlatformWindow* focusWindow, GfxVertexProcessing processing,
                         const GfxPresentParameters& parameters,
                         std::unique_ptr<GfxApiDevice>& device) override;

 private:
  std::vector<GfxDisplayMode> modes_;
};

}  // namespace zelmar::platform
