#include "framework/platform/TestGfx.h"

#include <cstdio>

#include "framework/platform/TestDrawing.h"

namespace zelmar::platform {

namespace {

// Describes presentation parameters for the log: size, format, windowed or full screen, retrace wait.
std::string DescribeParameters(const GfxPresentParameters& p) {
  std::string text = std::to_string(p.BackBufferWidth) + "x" + std::to_string(p.BackBufferHeight) + " " +
                     TestFormatName(p.BackBufferFormat) + (p.Windowed ? " windowed" : " fullscreen");
  if (p.PresentationInterval == GfxPresentInterval::One) text += " vsync";
  if (p.EnableAutoDepthStencil) text += " depth " + TestFormatName(p.AutoDepthStencilFormat);
  return text;
}

// Takes the next scripted result, or `otherwise` when none is left.
GfxResult Next(std::deque<GfxResult>& results, GfxResult otherwise) {
  if (results.empty()) return otherwise;
  const GfxResult result = results.front();
  results.pop_front();
  return result;
}

// The test device: an in-memory back buffer and the scripted answers.
class TestGfxDevice : public GfxApiDevice {
 public:
  explicit TestGfxDevice(TestGfxState& state) : state_(state), drawing_(state) {}

  ~TestGfxDevice() override {
    state_.Record("ReleaseDevice");
    state_.DeviceExists = false;
  }

  GfxResult GetDeviceCaps(GfxDeviceCaps& caps) override {
    state_.Record("GetDeviceCaps");
    if (state_.Refuses("GetDeviceCaps")) return kGfxFail;
    caps = state_.Script.Caps;
    return kGfxOk;
  }

  GfxResult Reset(const GfxPresentParameters& parameters) override {
    state_.Record("Reset " + DescribeParameters(parameters));
    GfxResult result = Next(state_.Script.ResetResults, state_.Refuses("Reset") ? kGfxFail : kGfxOk);
    if (GfxSucceeded(result) && parameters.BackBufferFormat == GfxFormat::Unknown) result = kGfxInvalidCall;
    if (GfxSucceeded(result)) Adopt(parameters);
    return result;
  }

  GfxResult Present() override {
    state_.Record("Present");
    return Next(state_.Script.PresentResults, state_.Refuses("Present") ? kGfxFail : kGfxOk);
  }

  GfxResult TestCooperativeLevel() override {
    state_.Record("TestCooperativeLevel");
    return Next(state_.Script.CooperativeLevels, kGfxOk);
  }

  GfxResult BeginScene() override { return Simple("BeginScene"); }
  GfxResult EndScene() override { return Simple("EndScene"); }

  GfxResult Clear(std::uint32_t flags, std::uint32_t colorArgb, float, std::uint32_t) override {
    char text[48];
    std::snprintf(text, sizeof text, "Clear %u %08X", flags, colorArgb);
    state_.Record(text);
    if (state_.Refuses("Clear")) return kGfxFail;
    if (flags & kGfxClearTarget) state_.BackBuffer.assign(state_.BackBuffer.size(), colorArgb);
    return kGfxOk;
  }

  GfxResult ReadBackBuffer(std::uint32_t* pixels, std::uint32_t width, std::uint32_t height) override {
    if (width != state_.Parameters.BackBufferWidth || height != state_.Parameters.BackBufferHeight) {
      return kGfxInvalidCall;
    }
    std::copy(state_.BackBuffer.begin(), state_.BackBuffer.end(), pixels);
    return kGfxOk;
  }

  GfxApiDrawing& Drawing() override { return drawing_; }

  // Takes the parameters as the device's own and sizes the back buffer.
  void Adopt(const GfxPresentParameters& parameters) {
    state_.Parameters = parameters;
    state_.BackBuffer.assign(
        static_cast<std::size_t>(parameters.BackBufferWidth) * parameters.BackBufferHeight, 0);
  }

 private:
  GfxResult Simple(const std::string& name) {
    state_.Record(name);
    return state_.Refuses(name) ? kGfxFail : kGfxOk;
  }

  TestGfxState& state_;
  TestDrawing drawing_;
};

}  // namespace

// Counts the log entries that start with the prefix.
int TestGfxState::Count(const std::string& prefix) const {
  int count = 0;
  for (const std::string& entry : Log) count += entry.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

// Logs the release of the graphics object.
TestGfxApi::~TestGfxApi() {
  state_.Record("ReleaseGfxApi");
}

// Counts the scripted display modes of the format.
std::uint32_t TestGfxApi::AdapterModeCount(GfxFormat format) {
  std::uint32_t count = 0;
  for (const GfxDisplayMode& mode : state_.Script.Modes) count += mode.Format == format ? 1 : 0;
  return count;
}

// The index-th scripted display mode of the format.
GfxResult TestGfxApi::EnumAdapterModes(GfxFormat format, std::uint32_t index, GfxDisplayMode& mode) {
  for (const GfxDisplayMode& candidate : state_.Script.Modes) {
    if (candidate.Format != format) continue;
    if (index-- == 0) {
      mode = candidate;
      return kGfxOk;
    }
  }
  return kGfxInvalidCall;
}

// The scripted current display mode.
GfxResult TestGfxApi::AdapterDisplayMode(GfxDisplayMode& mode) {
  mode = state_.Script.Current;
  return kGfxOk;
}

// Accepts the scripted depth or texture formats; an unknown screen format is an error.
GfxResult TestGfxApi::CheckDeviceFormat(GfxFormat adapterFormat, std::uint32_t usage, GfxResourceType type,
                                        GfxFormat format) {
  state_.Record("CheckDeviceFormat " + TestFormatName(adapterFormat) + " " + TestFormatName(format));
  if (adapterFormat == GfxFormat::Unknown) return kGfxInvalidCall;
  const bool depth = (usage & kGfxUsageDepthStencil) != 0 && type == GfxResourceType::Surface;
  const std::set<GfxFormat>& accepted = depth ? state_.Script.DepthFormats : state_.Script.TextureFormats;
  return accepted.count(format) ? kGfxOk : kGfxNotAvailable;
}

// Makes the test device unless the script refuses this vertex processing, a device exists or the
// back buffer format is unknown.
GfxResult TestGfxApi::CreateDevice(PlatformWindow*, GfxVertexProcessing processing,
                                   const GfxPresentParameters& parameters,
                                   std::unique_ptr<GfxApiDevice>& device) {
  const std::string kind = processing == GfxVertexProcessing::Hardware ? "Hardware" : "Software";
  state_.Record("CreateDevice." + kind + " " + DescribeParameters(parameters));
  if (state_.Refuses("CreateDevice." + kind) || state_.DeviceExists) return kGfxNotAvailable;
  if (parameters.BackBufferFormat == GfxFormat::Unknown) return kGfxInvalidCall;
  auto created = std::make_unique<TestGfxDevice>(state_);
  created->Adopt(parameters);
  state_.DeviceExists = true;
  device = std::move(created);
  return kGfxOk;
}

// The format's name as the log shows it.
std::string TestFormatName(GfxFormat format) {
  switch (format) {
    case GfxFormat::Unknown:
      return "Unknown";
    case GfxFormat::A8R8G8B8:
      return "A8R8G8B8";
    case GfxFormat::X8R8G8B8:
      return "X8R8G8B8";
    case GfxFormat::R5G6B5:
      return "R5G6B5";
    case GfxFormat::X1R5G5B5:
      return "X1R5G5B5";
    case GfxFormat::A1R5G5B5:
      return "A1R5G5B5";
    case GfxFormat::A4R4G4B4:
      return "A4R4G4B4";
    case GfxFormat::R3G3B2:
      return "R3G3B2";
    case GfxFormat::A8:
      return "A8";
    case GfxFormat::A8R3G3B2:
      return "A8R3G3B2";
    case GfxFormat::X4R4G4B4:
      return "X4R4G4B4";
    case GfxFormat::D32:
      return "D32";
    case GfxFormat::D15S1:
      return "D15S1";
    case GfxFormat::D24S8:
      return "D24S8";
    case GfxFormat::D24X8:
      return "D24X8";
    case GfxFormat::D24X4S4:
      return "D24X4S4";
    case GfxFormat::D16:
      return "D16";
  }
  return "Format" + std::to_string(static_cast<unsigned>(format));
}

}  // namespace zelmar::platform
