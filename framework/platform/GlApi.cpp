#include "framework/platform/GlApi.h"

#include <SDL.h>

#include "framework/platform/GlDevice.h"
#include "framework/platform/GlFunctions.h"
#include "framework/platform/SdlWindow.h"

namespace zelmar::platform {

namespace {

// The back buffer format matching an SDL screen format.
GfxFormat FormatOf(std::uint32_t sdlFormat) {
  switch (sdlFormat) {
    case SDL_PIXELFORMAT_ARGB8888:
      return GfxFormat::A8R8G8B8;
    case SDL_PIXELFORMAT_RGB565:
      return GfxFormat::R5G6B5;
    case SDL_PIXELFORMAT_RGB555:
      return GfxFormat::X1R5G5B5;
    case SDL_PIXELFORMAT_ARGB1555:
      return GfxFormat::A1R5G5B5;
    default:
      break;
  }
  switch (SDL_BITSPERPIXEL(sdlFormat)) {
    case 16:
      return GfxFormat::R5G6B5;
    case 15:
      return GfxFormat::X1R5G5B5;
    default:
      return GfxFormat::X8R8G8B8;
  }
}

// Whether OpenGL 3.3 can hold a texture of the format (the drawing half converts where GL's layout differs).
bool TextureFormat(GfxFormat format) {
  switch (format) {
    case GfxFormat::A8R8G8B8:
    case GfxFormat::X8R8G8B8:
    case GfxFormat::R5G6B5:
    case GfxFormat::X1R5G5B5:
    case GfxFormat::A1R5G5B5:
    case GfxFormat::A4R4G4B4:
    case GfxFormat::X4R4G4B4:
    case GfxFormat::R3G3B2:
    case GfxFormat::A8R3G3B2:
    case GfxFormat::A8:
      return true;
    default:
      return false;
  }
}

// Whether a depth renderbuffer of the format exists in OpenGL 3.3.
bool DepthFormat(GfxFormat format) {
  return format == GfxFormat::D16 || format == GfxFormat::D24S8 || format == GfxFormat::D24X8 ||
         format == GfxFormat::D32;
}

// The sizes offered besides the screen's own modes: full screen is a desktop window that scales the back
// buffer, so any smaller classic size can be shown.
constexpr int kScaledSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}};

}  // namespace

// Lists the screen's modes, then the scaled classic sizes that fit the desktop at its rate and format.
GlApi::GlApi() {
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    modes_.push_back({static_cast<std::uint32_t>(mode.w), static_cast<std::uint32_t>(mode.h),
                      static_cast<std::uint32_t>(mode.refresh_rate), FormatOf(mode.format)});
  }
  GfxDisplayMode desktop;
  if (!GfxSucceeded(AdapterDisplayMode(desktop))) return;
  for (const auto& size : kScaledSizes) {
    const auto width = static_cast<std::uint32_t>(size[0]), height = static_cast<std::uint32_t>(size[1]);
    if (width > desktop.Width || height > desktop.Height) continue;
    bool present = false;
    for (const GfxDisplayMode& mode : modes_) {
      present = present || (mode.Width == width && mode.Height == height && mode.Format == desktop.Format);
    }
    if (!present) modes_.push_back({width, height, desktop.RefreshRate, desktop.Format});
  }
}

// Counts the listed modes of the format.
std::uint32_t GlApi::AdapterModeCount(GfxFormat format) {
  std::uint32_t count = 0;
  for (const GfxDisplayMode& mode : modes_) count += mode.Format == format ? 1 : 0;
  return count;
}

// The index-th listed mode of the format.
GfxResult GlApi::EnumAdapterModes(GfxFormat format, std::uint32_t index, GfxDisplayMode& mode) {
  for (const GfxDisplayMode& candidate : modes_) {
    if (candidate.Format != format) continue;
    if (index-- == 0) {
      mode = candidate;
      return kGfxOk;
    }
  }
  return kGfxInvalidCall;
}

// The desktop's mode of the first display.
GfxResult GlApi::AdapterDisplayMode(GfxDisplayMode& mode) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return kGfxNotAvailable;
  mode = {static_cast<std::uint32_t>(desktop.w), static_cast<std::uint32_t>(desktop.h),
          static_cast<std::uint32_t>(desktop.refresh_rate), FormatOf(desktop.format)};
  return kGfxOk;
}

// Depth formats GL has renderbuffers for; texture formats the drawing half can store.
GfxResult GlApi::CheckDeviceFormat(GfxFormat adapterFormat, std::uint32_t usage, GfxResourceType type,
                                   GfxFormat format) {
  if (adapterFormat == GfxFormat::Unknown) return kGfxInvalidCall;
  if ((usage & kGfxUsageDepthStencil) != 0) {
    return type == GfxResourceType::Surface && DepthFormat(format) ? kGfxOk : kGfxNotAvailable;
  }
  if (type == GfxResourceType::Texture || type == GfxResourceType::Surface) {
    return TextureFormat(format) ? kGfxOk : kGfxNotAvailable;
  }
  return kGfxOk;
}

// Makes a GL 3.3 core context on the window and the device on it. Hardware and software vertex processing
// are the same here.
GfxResult GlApi::CreateDevice(PlatformWindow* focusWindow, GfxVertexProcessing,
                              const GfxPresentParameters& parameters, std::unique_ptr<GfxApiDevice>& device) {
  auto* window = dynamic_cast<SdlWindow*>(parameters.DeviceWindow ? parameters.DeviceWindow : focusWindow);
  if (!window || parameters.BackBufferFormat == GfxFormat::Unknown) return kGfxInvalidCall;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GLContext context = SDL_GL_CreateContext(window->Handle());
  if (!context) return kGfxNotAvailable;
  if (SDL_GL_MakeCurrent(window->Handle(), context) != 0) {
    SDL_GL_DeleteContext(context);
    return kGfxNotAvailable;
  }
  auto created = std::make_unique<GlDevice>(*window, context);
  const GfxResult result = created->Configure(parameters);
  if (!GfxSucceeded(result)) return result;
  device = std::move(created);
  return kGfxOk;
}

}  // namespace zelmar::platform
