#include "framework/GfxDevice.h"

#include "framework/Form.h"

namespace zelmar {

using namespace platform;

namespace {

// Full-screen back buffer formats in order of preference, per bit depth.
constexpr GfxFormat kLowBackBuffer[] = {GfxFormat::R5G6B5, GfxFormat::A1R5G5B5, GfxFormat::X1R5G5B5,
                                        GfxFormat::A8R8G8B8, GfxFormat::X8R8G8B8};
constexpr GfxFormat kHighBackBuffer[] = {GfxFormat::A8R8G8B8, GfxFormat::X8R8G8B8, GfxFormat::R5G6B5,
                                         GfxFormat::A1R5G5B5, GfxFormat::X1R5G5B5};
// Depth-stencil formats in order of preference, per bit depth.
constexpr GfxFormat kLowDepth[] = {GfxFormat::D16,   GfxFormat::D15S1,   GfxFormat::D32,
                                   GfxFormat::D24S8, GfxFormat::D24X4S4, GfxFormat::D24X8};
constexpr GfxFormat kHighDepth[] = {GfxFormat::D32,   GfxFormat::D24S8, GfxFormat::D24X4S4,
                                    GfxFormat::D24X8, GfxFormat::D15S1, GfxFormat::D16};

// The first format of the bit depth's list offering a display mode of the given size and refresh rate
// (0: any); Unknown when none does.
GfxFormat FullScreenFormat(GfxApi& api, TBitDepth depth, int width, int height, int refresh) {
  for (GfxFormat format : depth == bdLow ? kLowBackBuffer : kHighBackBuffer) {
    const std::uint32_t count = api.AdapterModeCount(format);
    for (std::uint32_t i = 0; i < count; ++i) {
      GfxDisplayMode mode;
      if (!GfxSucceeded(api.EnumAdapterModes(format, i, mode))) continue;
      if (static_cast<int>(mode.Width) != width || static_cast<int>(mode.Height) != height) continue;
      if (refresh == 0 || static_cast<int>(mode.RefreshRate) == refresh) return mode.Format;
    }
  }
  return GfxFormat::Unknown;
}

// The first depth-stencil format of the bit depth's list that the screen accepts with the back buffer format.
GfxFormat DepthFormat(GfxApi& api, TBitDepth depth, GfxFormat backBuffer) {
  for (GfxFormat format : depth == bdLow ? kLowDepth : kHighDepth) {
    if (GfxSucceeded(
            api.CheckDeviceFormat(backBuffer, kGfxUsageDepthStencil, GfxResourceType::Surface, format))) {
      return format;
    }
  }
  return GfxFormat::Unknown;
}

// Swaps the red and blue bytes: the framework's 0xAABBGGRR to the device's 0xAARRGGBB and back.
std::uint32_t SwapRedBlue(std::uint32_t color) {
  return (color & 0xFF00FF00u) | ((color & 0xFFu) << 16) | ((color >> 16) & 0xFFu);
}

}  // namespace

// Tells the owner's other components that a device joined (subscribers without one bind to it).
TGfxDevice::TGfxDevice(TComponent* owner, Platform& platform) : TGfxPublisher(owner), platform_(platform) {
  AnnounceToOwner();
}

// Finalizes a live device, so every subscriber hears msgDeviceDestroyed.
TGfxDevice::~TGfxDevice() {
  if (initialized_) Finalize();
}

// The window the device presents to: WindowHandle, else the owning form's window.
PlatformWindow* TGfxDevice::DeviceWindow() const {
  if (windowHandle_) return windowHandle_;
  if (auto* form = dynamic_cast<TForm*>(Owner())) return form->Window();
  return nullptr;
}

// Builds the presentation parameters from the properties, starting from all zeroes.
GfxPresentParameters TGfxDevice::BuildPresentParameters() {
  GfxPresentParameters p{};
  p.BackBufferWidth = static_cast<std::uint32_t>(size_[0]);
  p.BackBufferHeight = static_cast<std::uint32_t>(size_[1]);
  if (Windowed()) {
    GfxDisplayMode mode;
    if (GfxSucceeded(api_->AdapterDisplayMode(mode))) p.BackBufferFormat = mode.Format;
  } else {
    p.BackBufferFormat = FullScreenFormat(*api_, bitDepth_, size_[0], size_[1], refresh_);
  }
  p.MultiSampleType = 0;
  p.MultiSampleQuality = 0;
  p.SwapEffect = GfxSwapEffect::Discard;
  p.DeviceWindow = DeviceWindow();
  p.Windowed = Windowed();
  if (depthBuffer_) {
    p.EnableAutoDepthStencil = true;
    p.Flags = kGfxPresentFlagDiscardDepthStencil;
    p.AutoDepthStencilFormat = DepthFormat(*api_, bitDepth_, p.BackBufferFormat);
  }
  p.FullScreenRefreshRate = static_cast<std::uint32_t>(refresh_);
  p.PresentationInterval = VSync() ? GfxPresentInterval::One : GfxPresentInterval::Immediate;
  return p;
}

// Creates the device with hardware vertex processing when asked, falling back to software, and reads its
// capabilities; true when both worked.
bool TGfxDevice::CreateApiDevice() {
  GfxResult result = kGfxFail;
  if (HardwareTL()) {
    result =
        api_->CreateDevice(parameters_.DeviceWindow, GfxVertexProcessing::Hardware, parameters_, device_);
  }
  if (!GfxSucceeded(result) || !HardwareTL()) {
    device_.reset();
    result =
        api_->CreateDevice(parameters_.DeviceWindow, GfxVertexProcessing::Software, parameters_, device_);
  }
  if (!GfxSucceeded(result) || !device_) return false;
  return GfxSucceeded(device_->GetDeviceCaps(caps_));
}

// 1. Refuses when a device or graphics object already exists.
// 2. Creates the graphics object, 3. the parameters, 4.–5. the device and its capabilities.
// 6. Marks the device initialized, 7. tells the subscribers (a refusal finalizes), 8. raises OnInitialize.
bool TGfxDevice::Initialize() {
  if (initialized_ || api_ || device_) return false;
  api_ = platform_.CreateGfxApi();
  if (!api_) return false;
  parameters_ = BuildPresentParameters();
  const bool created = CreateApiDevice();
  ++generation_;
  lost_ = false;
  initialized_ = created;
  if (!initialized_) return false;
  if (!Notify(msgDeviceCreated)) {
    Finalize();
    return false;
  }
  bool success = true;
  if (OnInitialize) OnInitialize(this, success);
  if (!success) Finalize();
  return success;
}

// Raises OnFinalize, tells the subscribers, then releases the device and the graphics object.
bool TGfxDevice::Finalize() {
  if (!initialized_) return false;
  if (OnFinalize) OnFinalize(this);
  Notify(msgDeviceDestroyed);
  device_.reset();
  api_.reset();
  initialized_ = false;
  return true;
}

// Resets the device with parameters rebuilt from the properties, between msgDeviceLost and
// msgDeviceRestored; after a failure the subscribers stay lost.
bool TGfxDevice::Reset() {
  if (!initialized_) return false;
  ++generation_;
  Notify(msgDeviceLost);
  parameters_ = BuildPresentParameters();
  if (!GfxSucceeded(device_->Reset(parameters_))) return false;
  Notify(msgDeviceRestored);
  return true;
}

// Clears the whole back buffer (and depth to 1, stencil to 0 with a depth buffer).
bool TGfxDevice::Clear(std::uint32_t color) {
  if (!initialized_) return false;
  std::uint32_t flags = kGfxClearTarget;
  if (depthBuffer_) flags |= kGfxClearZBuffer | kGfxClearStencil;
  return GfxSucceeded(device_->Clear(flags, SwapRedBlue(color), 1.0f, 0));
}

// Draws one frame through OnRender inside a scene; the canvas flushes at msgSceneEnd.
bool TGfxDevice::Render(std::uint32_t color, bool clearFirst) {
  if (!initialized_ || !OnRender) return false;
  if (clearFirst && !Clear(color)) return false;
  if (!GfxSucceeded(device_->BeginScene())) return false;
  Notify(msgSceneBegin);
  OnRender(this);
  Notify(msgSceneEnd);
  return GfxSucceeded(device_->EndScene());
}

// Presents the frame. A lost device tells the subscribers once, then is reset with the stored parameters as
// soon as it can be; a driver error resets at once and finalizes when that fails.
bool TGfxDevice::Flip() {
  if (!initialized_) return false;
  GfxResult result = device_->Present();
  if (result == kGfxDeviceLost) {
    ++generation_;
    if (!lost_) {
      Notify(msgDeviceLost);
      lost_ = true;
    }
    result = device_->TestCooperativeLevel();
    if (result == kGfxDeviceNotReset) {
      result = device_->Reset(parameters_);
      if (GfxSucceeded(result) && lost_) {
        Notify(msgDeviceRestored);
        lost_ = false;
      }
    }
  }
  if (result == kGfxDriverInternalError) {
    ++generation_;
    result = device_->Reset(parameters_);
    if (!GfxSucceeded(result)) Finalize();
  }
  return GfxSucceeded(result);
}

// Width (0) or Height (1): stored, then a live device is reset.
void TGfxDevice::SetSize(int index, int value) {
  size_[index] = value;
  if (initialized_) Reset();
}

// Windowed (0), VSync (1) or HardwareTL (2): stored, then a live device is reset.
void TGfxDevice::SetFlag(int index, bool value) {
  flags_[index] = value;
  if (initialized_) Reset();
}

}  // namespace zelmar
