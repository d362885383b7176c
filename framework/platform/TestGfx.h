// The scriptable graphics backend of the logic tests: records every call in a log and answers as its script
// says (refused operations, lost devices, display modes, accepted formats). Needs no display.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/platform/GfxApi.h"

namespace zelmar::platform {

// What the test backend answers.
struct TestGfxScript {
  // Names of operations that fail: "CreateGfxApi", "CreateDevice.Hardware", "CreateDevice.Software",
  // "GetDeviceCaps", "Reset", "BeginScene", "EndScene", "Clear", "Present", and the drawing operations by
  // their method names ("CreateTexture", "CreateVertexBuffer", "CreateIndexBuffer", "LockRect", "Lock", …).
  std::set<std::string> Refuse;
  // Results the next Present calls give (then kGfxOk).
  std::deque<GfxResult> PresentResults;
  // Results the next TestCooperativeLevel calls give (then kGfxOk).
  std::deque<GfxResult> CooperativeLevels;
  // Results the next Reset calls give (then kGfxOk, or kGfxFail when "Reset" is refused).
  std::deque<GfxResult> ResetResults;
  // The screen: its modes and its current mode.
  std::vector<GfxDisplayMode> Modes = {
      {640, 480, 60, GfxFormat::R5G6B5},    {800, 600, 60, GfxFormat::R5G6B5},
      {1024, 768, 60, GfxFormat::R5G6B5},   {640, 480, 60, GfxFormat::X8R8G8B8},
      {800, 600, 60, GfxFormat::X8R8G8B8},  {1024, 768, 60, GfxFormat::X8R8G8B8},
      {1024, 768, 75, GfxFormat::X8R8G8B8}, {1280, 1024, 60, GfxFormat::X8R8G8B8},
  };
  GfxDisplayMode Current = {1280, 1024, 60, GfxFormat::X8R8G8B8};
  // Formats accepted as depth-stencil surfaces and as textures (for any screen format).
  std::set<GfxFormat> DepthFormats = {GfxFormat::D16, GfxFormat::D24S8, GfxFormat::D24X8, GfxFormat::D32};
  std::set<GfxFormat> TextureFormats = {GfxFormat::A8R8G8B8, GfxFormat::X8R8G8B8, GfxFormat::R5G6B5,
                                        GfxFormat::X1R5G5B5, GfxFormat::A1R5G5B5, GfxFormat::A4R4G4B4,
                                        GfxFormat::X4R4G4B4, GfxFormat::A8,       GfxFormat::R3G3B2};
  GfxDeviceCaps Caps = {4096, 4096, 65535, 65535, true, false};
};

// The shared state of one test backend: script, call log, the device's parameters and back buffer.
struct TestGfxState {
  TestGfxScript Script;
  std::vector<std::string> Log;
  bool DeviceExists = false;
  GfxPresentParameters Parameters{};
  std::vector<std::uint32_t> BackBuffer;  // 0xAARRGGBB, Width × Height

  // Appends an entry to the log.
  void Record(std::string entry) { Log.push_back(std::move(entry)); }
  // Whether the script refuses the named operation.
  bool Refuses(const std::string& operation) const { return Script.Refuse.count(operation) != 0; }
  // Number of log entries starting with `prefix`.
  int Count(const std::string& prefix) const;
};

// The graphics entry object of the test backend.
class TestGfxApi : public GfxApi {
 public:
  explicit TestGfxApi(TestGfxState& state) : state_(state) {}
  ~TestGfxApi() override;

  std::uint32_t AdapterModeCount(GfxFormat format) override;
  GfxResult EnumAdapterModes(GfxFormat format, std::uint32_t index, GfxDisplayMode& mode) override;
  GfxResult AdapterDisplayMode(GfxDisplayMode& mode) override;
  GfxResult CheckDeviceFormat(GfxFormat adapterFormat, std::uint32_t usage, GfxResourceType type,
                              GfxFormat format) override;
  GfxResult CreateDevice(PlatformWindow* focusWindow, GfxVertexProcessing processing,
                         const GfxPresentParameters& parameters,
                         std::unique_ptr<GfxApiDevice>& device) override;

 private:
  TestGfxState& state_;
};

// Describes a format as its name, for log entries.
std::string TestFormatName(GfxFormat format);

}  // namespace zelmar::platform
