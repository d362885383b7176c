// The rendering device component: creates the one graphics device of the process from its properties,
// tells its subscribers about the device's life, renders a frame between scene messages and presents it,
// bringing a lost device back.
#pragma once

#include <functional>
#include <memory>

#include "framework/GfxPublisher.h"
#include "framework/platform/GfxApi.h"
#include "framework/platform/Platform.h"

namespace zelmar {

enum TBitDepth { bdLow, bdHigh };

class TGfxDevice : public TGfxPublisher {
 public:
  using TInitializeEvent = std::function<void(TGfxDevice* sender, bool& success)>;
  using TNotifyEvent = std::function<void(TGfxDevice* sender)>;

  // `platform` supplies the graphics backend; the device window is WindowHandle, else the owner's window
  // when the owner is a form.
  TGfxDevice(TComponent* owner, platform::Platform& platform);
  ~TGfxDevice() override;

  bool Initialize();
  bool Finalize();
  bool Reset();
  // Clears the back buffer to a 0xAABBGGRR colour (and depth and stencil when DepthBuffer is set).
  bool Clear(std::uint32_t color);
  // Clears (when asked), then raises OnRender between msgSceneBegin and msgSceneEnd.
  bool Render(std::uint32_t color, bool clearFirst);
  // Presents the back buffer; brings a lost device back.
  bool Flip();

  // Published properties. Width, Height, Windowed, VSync and HardwareTL reset a live device.
  int Width() const { return size_[0]; }
  int Height() const { return size_[1]; }
  void SetWidth(int value) { SetSize(0, value); }
  void SetHeight(int value) { SetSize(1, value); }
  TBitDepth BitDepth() const { return bitDepth_; }
  void SetBitDepth(TBitDepth value) {
    if (!initialized_) bitDepth_ = value;
  }
  int Refresh() const { return refresh_; }
  void SetRefresh(int value) {
    if (!initialized_) refresh_ = value;
  }
  bool Windowed() const { return flags_[0]; }
  bool VSync() const { return flags_[1]; }
  bool HardwareTL() const { return flags_[2]; }
  void SetWindowed(bool value) { SetFlag(0, value); }
  void SetVSync(bool value) { SetFlag(1, value); }
  void SetHardwareTL(bool value) { SetFlag(2, value); }
  bool DepthBuffer() const { return depthBuffer_; }
  void SetDepthBuffer(bool value) {
    if (!initialized_) depthBuffer_ = value;
  }
  platform::PlatformWindow* WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(platform::PlatformWindow* value) {
    if (!initialized_) windowHandle_ = value;
  }

  TInitializeEvent OnInitialize;
  TNotifyEvent OnFinalize;
  TNotifyEvent OnRender;

  bool Initialized() const { return initialized_; }
  bool Lost() const { return lost_; }
  // A count that grows each time the back buffer is made or made again (created, lost, reset): a picture
  // presented before it last changed may be gone.
  std::uint32_t BackBufferGeneration() const { return generation_; }

  // What the subscribers draw with: the graphics object, the device (null before Initialize), the
  // parameters it was created or last reset with, and its capabilities.
  platform::GfxApi* Api() const { return api_.get(); }
  platform::GfxApiDevice* ApiDevice() const { return device_.get(); }
  const platform::GfxPresentParameters& PresentParameters() const { return parameters_; }
  const platform::GfxDeviceCaps& Caps() const { return caps_; }

 private:
  void SetSize(int index, int value);
  void SetFlag(int index, bool value);
  platform::GfxPresentParameters BuildPresentParameters();
  platform::PlatformWindow* DeviceWindow() const;
  bool CreateApiDevice();

  platform::Platform& platform_;
  int size_[2] = {640, 480};
  TBitDepth bitDepth_ = bdHigh;
  int refresh_ = 0;
  bool flags_[3] = {true, false, true};
  bool depthBuffer_ = false;
  platform::PlatformWindow* windowHandle_ = nullptr;

  bool initialized_ = false;
  bool lost_ = false;
  std::uint32_t generation_ = 0;
  std::unique_ptr<platform::GfxApi> api_;
  std::unique_ptr<platform::GfxApiDevice> device_;
  platform::GfxPresentParameters parameters_{};
  platform::GfxDeviceCaps caps_{};
};

}  // namespace zelmar
