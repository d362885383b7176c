#include <gtest/gtest.h>

#include "GfxTestSupport.h"

namespace zelmar {

using platform::GfxFormat;
using platform::kGfxDeviceLost;
using platform::kGfxDeviceNotReset;
using platform::kGfxDriverInternalError;
using platform::kGfxFail;

namespace {

struct DeviceTest : ::testing::Test {
  TestStage Stage;
  std::vector<std::string> Log;
  TGfxDevice Device{&Stage.Form, Stage.Platform};
  LoggingSubscriber First{&Stage.Form, "first", Log};
  LoggingSubscriber Second{&Stage.Form, "second", Log};

  DeviceTest() {
    First.SetPublisher(&Device);
    Second.SetPublisher(&Device);
    Device.OnInitialize = [this](TGfxDevice*, bool&) { Log.push_back("OnInitialize"); };
    Device.OnFinalize = [this](TGfxDevice*) { Log.push_back("OnFinalize"); };
  }
  platform::TestGfxState& Gfx() { return Stage.Platform.Gfx; }
};

TEST_F(DeviceTest, InitializeCreatesThenTellsSubscribersThenRaisesOnInitialize) {
  ASSERT_TRUE(Device.Initialize());
  EXPECT_TRUE(Device.Initialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"first:256", "second:256", "OnInitialize"}));
  EXPECT_EQ(Gfx().Log,
            (std::vector<std::string>{"CreateGfxApi", "CreateDevice.Hardware 640x480 X8R8G8B8 windowed",
                                      "GetDeviceCaps"}));
  const platform::GfxPresentParameters& p = Device.PresentParameters();
  EXPECT_EQ(p.DeviceWindow, Stage.Form.Window());
  EXPECT_EQ(p.SwapEffect, platform::GfxSwapEffect::Discard);
  EXPECT_EQ(p.PresentationInterval, platform::GfxPresentInterval::Immediate);
  EXPECT_FALSE(p.EnableAutoDepthStencil);
  EXPECT_EQ(Device.Caps().MaxTextureWidth, 4096u);
  EXPECT_FALSE(Device.Initialize());  // only once
}

TEST_F(DeviceTest, VertexProcessingFallsBackToSoftware) {
  Gfx().Script.Refuse = {"CreateDevice.Hardware"};
  EXPECT_TRUE(Device.Initialize());
  EXPECT_EQ(Gfx().Count("CreateDevice."), 2);
  EXPECT_EQ(Gfx().Count("CreateDevice.Software"), 1);
  Device.Finalize();

  Gfx().Log.clear();
  Device.SetHardwareTL(false);
  EXPECT_TRUE(Device.Initialize());
  EXPECT_EQ(Gfx().Count("CreateDevice.Hardware"), 0);
  EXPECT_EQ(Gfx().Count("CreateDevice.Software"), 1);
}

TEST_F(DeviceTest, FailedCreationLeavesTheDeviceUninitializedForGood) {
  Gfx().Script.Refuse = {"CreateDevice.Hardware", "CreateDevice.Software"};
  EXPECT_FALSE(Device.Initialize());
  EXPECT_FALSE(Device.Initialized());
  EXPECT_TRUE(Log.empty());  // no message, no OnInitialize
  // The graphics object stays, so a later Initialize stops at once.
  Gfx().Script.Refuse.clear();
  EXPECT_FALSE(Device.Initialize());
  EXPECT_EQ(Gfx().Count("CreateGfxApi"), 1);
  EXPECT_FALSE(Device.Render(0, true));
  EXPECT_FALSE(Device.Flip());
}

TEST_F(DeviceTest, UnreadableCapabilitiesOrNoGraphicsFailInitialize) {
  Gfx().Script.Refuse = {"GetDeviceCaps"};
  EXPECT_FALSE(Device.Initialize());
  TestStage other;
  other.Platform.Gfx.Script.Refuse = {"CreateGfxApi"};
  TGfxDevice device(&other.Form, other.Platform);
  EXPECT_FALSE(device.Initialize());
}

TEST_F(DeviceTest, RefusingSubscriberFinalizesWithoutOnInitialize) {
  First.Refuse = {msgDeviceCreated};
  EXPECT_FALSE(Device.Initialize());
  EXPECT_FALSE(Device.Initialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"first:256", "OnFinalize", "first:257", "second:257"}));
  EXPECT_EQ(Gfx().Log.back(), "ReleaseGfxApi");
}

TEST_F(DeviceTest, OnInitializeFailureFinalizesAndAllowsARetry) {
  Device.OnInitialize = [this](TGfxDevice*, bool& success) {
    Log.push_back("OnInitialize");
    success = false;
  };
  EXPECT_FALSE(Device.Initialize());
  EXPECT_EQ(Log, (std::vector<std::string>{"first:256", "second:256", "OnInitialize", "OnFinalize",
                                           "first:257", "second:257"}));
  Device.OnInitialize = nullptr;
  EXPECT_TRUE(Device.Initialize());
}

TEST_F(DeviceTest, FinalizeAnnouncesBeforeReleasing) {
  EXPECT_FALSE(Device.Finalize());
  ASSERT_TRUE(Device.Initialize());
  Log.clear();
  Gfx().Log.clear();
  EXPECT_TRUE(Device.Finalize());
  EXPECT_EQ(Log, (std::vector<std::string>{"OnFinalize", "first:257", "second:257"}));
  EXPECT_EQ(Gfx().Log, (std::vector<std::string>{"ReleaseDevice", "ReleaseGfxApi"}));
  EXPECT_EQ(Device.ApiDevice(), nullptr);
}

TEST_F(DeviceTest, DestroyingALiveDeviceFinalizesIt) {
  std::vector<std::string> log;
  LoggingSubscriber watcher(&Stage.Form, "w", log);
  {
    TGfxDevice device(&Stage.Form, Stage.Platform);
    watcher.SetPublisher(&device);
    ASSERT_TRUE(device.Initialize());
  }
  EXPECT_EQ(log, (std::vector<std::string>{"w:256", "w:257"}));
  EXPECT_EQ(watcher.Publisher(), nullptr);
}

TEST_F(DeviceTest, RenderBracketsOnRenderWithSceneMessages) {
  ASSERT_TRUE(Device.Initialize());
  Log.clear();
  Gfx().Log.clear();
  EXPECT_FALSE(Device.Render(0xFF0000FF, true));  // no OnRender: nothing cleared
  EXPECT_TRUE(Gfx().Log.empty());

  Device.OnRender = [this](TGfxDevice*) { Log.push_back("OnRender"); };
  EXPECT_TRUE(Device.Render(0x80FF2010, true));
  EXPECT_EQ(Gfx().Log, (std::vector<std::string>{"Clear 1 801020FF", "BeginScene", "EndScene"}));
  EXPECT_EQ(Log,
            (std::vector<std::string>{"first:260", "second:260", "OnRender", "first:261", "second:261"}));
  EXPECT_EQ(Gfx().BackBuffer[0], 0x801020FFu);  // red and blue swapped

  Log.clear();
  Gfx().Script.Refuse = {"BeginScene"};
  EXPECT_FALSE(Device.Render(0, false));
  EXPECT_TRUE(Log.empty());
  Gfx().Script.Refuse = {"Clear"};
  EXPECT_FALSE(Device.Render(0, true));
  Gfx().Script.Refuse = {"EndScene"};
  EXPECT_FALSE(Device.Render(0, false));
  EXPECT_EQ(Log.size(), 5u);  // the frame was drawn, only its end failed
}

TEST_F(DeviceTest, DepthBufferAddsDepthAndStencilToClear) {
  Device.SetDepthBuffer(true);
  ASSERT_TRUE(Device.Initialize());
  Gfx().Log.clear();
  EXPECT_TRUE(Device.Clear(0));
  EXPECT_EQ(Gfx().Log, (std::vector<std::string>{"Clear 7 00000000"}));
  Device.SetDepthBuffer(false);  // ignored while initialized
  EXPECT_TRUE(Device.DepthBuffer());
}

TEST_F(DeviceTest, FlipBringsALostDeviceBack) {
  ASSERT_TRUE(Device.Initialize());
  Log.clear();
  auto& script = Gfx().Script;
  script.PresentResults = {kGfxDeviceLost, kGfxDeviceLost, kGfxDeviceLost};
  script.CooperativeLevels = {kGfxDeviceLost, kGfxDeviceNotReset, kGfxDeviceNotReset};
  script.ResetResults = {kGfxFail};

  EXPECT_FALSE(Device.Flip());  // still lost: the subscribers hear it once
  EXPECT_TRUE(Device.Lost());
  EXPECT_FALSE(Device.Flip());  // the reset fails: still lost, no second message
  EXPECT_TRUE(Device.Lost());
  EXPECT_EQ(Log, (std::vector<std::string>{"first:258", "second:258"}));
  Gfx().Log.clear();
  EXPECT_TRUE(Device.Flip());  // reset with the stored parameters
  EXPECT_FALSE(Device.Lost());
  EXPECT_EQ(Gfx().Log,
            (std::vector<std::string>{"Present", "TestCooperativeLevel", "Reset 640x480 X8R8G8B8 windowed"}));
  EXPECT_EQ(Log, (std::vector<std::string>{"first:258", "second:258", "first:259", "second:259"}));
  EXPECT_TRUE(Device.Flip());
}

TEST_F(DeviceTest, DriverErrorResetsAndFinalizesWhenThatFails) {
  ASSERT_TRUE(Device.Initialize());
  Gfx().Script.PresentResults = {kGfxDriverInternalError};
  EXPECT_TRUE(Device.Flip());
  EXPECT_TRUE(Device.Initialized());
  EXPECT_EQ(Gfx().Count("Reset"), 1);

  Gfx().Script.PresentResults = {kGfxDriverInternalError};
  Gfx().Script.ResetResults = {kGfxFail};
  Log.clear();
  EXPECT_FALSE(Device.Flip());
  EXPECT_FALSE(Device.Initialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"OnFinalize", "first:257", "second:257"}));
}

TEST_F(DeviceTest, PropertyChangesResetALiveDevice) {
  Device.SetWidth(1024);
  Device.SetHeight(768);
  Device.SetBitDepth(bdLow);
  EXPECT_EQ(Gfx().Count("Reset"), 0);  // not initialized: only stored
  ASSERT_TRUE(Device.Initialize());
  Log.clear();
  Gfx().Log.clear();

  Device.SetVSync(true);
  Device.SetWindowed(false);
  EXPECT_EQ(Gfx().Log, (std::vector<std::string>{"Reset 1024x768 X8R8G8B8 windowed vsync",
                                                 "Reset 1024x768 R5G6B5 fullscreen vsync"}));
  EXPECT_EQ(Log, (std::vector<std::string>{"first:258", "second:258", "first:259", "second:259", "first:258",
                                           "second:258", "first:259", "second:259"}));

  Device.SetBitDepth(bdHigh);  // ignored until the next Initialize
  Device.SetRefresh(75);
  EXPECT_EQ(Device.BitDepth(), bdLow);
  EXPECT_EQ(Device.Refresh(), 0);
  Device.SetWidth(800);
  Device.SetHeight(600);
  EXPECT_EQ(Gfx().Log.back(), "Reset 800x600 R5G6B5 fullscreen vsync");
}

TEST_F(DeviceTest, FullScreenSizeWithoutADisplayModeFails) {
  ASSERT_TRUE(Device.Initialize());
  Device.SetWidth(1100);
  Log.clear();
  Device.SetWindowed(false);
  EXPECT_EQ(Gfx().Log.back(), "Reset 1100x480 Unknown fullscreen");
  EXPECT_EQ(Log, (std::vector<std::string>{"first:258", "second:258"}));  // no restore
  EXPECT_FALSE(Device.Reset());

  TestStage other;
  TGfxDevice fullScreen(&other.Form, other.Platform);
  fullScreen.SetWindowed(false);
  fullScreen.SetWidth(1100);
  EXPECT_FALSE(fullScreen.Initialize());
}

// The full-screen format is the first of the bit depth's list with a mode of the size and refresh rate.
TEST(DeviceFormatTest, FullScreenFormatFollowsTheBitDepthList) {
  struct Case {
    TBitDepth depth;
    int width, height, refresh;
    std::string expected;
  };
  const Case cases[] = {
      {bdLow, 1024, 768, 0, "R5G6B5"},    {bdHigh, 1024, 768, 0, "X8R8G8B8"},
      {bdLow, 1024, 768, 75, "X8R8G8B8"}, {bdLow, 1280, 1024, 0, "X8R8G8B8"},
      {bdHigh, 1024, 768, 85, "Unknown"}, {bdLow, 640, 480, 60, "R5G6B5"},
      {bdLow, 1152, 864, 0, "A1R5G5B5"},  {bdHigh, 1152, 864, 0, "X8R8G8B8"},
  };
  for (const Case& c : cases) {
    TestStage stage;
    stage.Platform.Gfx.Script.Modes.push_back({1024, 768, 60, GfxFormat::A1R5G5B5});
    stage.Platform.Gfx.Script.Modes.push_back({1152, 864, 60, GfxFormat::X8R8G8B8});
    stage.Platform.Gfx.Script.Modes.push_back({1152, 864, 60, GfxFormat::A1R5G5B5});
    TGfxDevice device(&stage.Form, stage.Platform);
    device.SetBitDepth(c.depth);
    device.SetWidth(c.width);
    device.SetHeight(c.height);
    device.SetRefresh(c.refresh);
    device.SetWindowed(false);
    device.Initialize();
    EXPECT_EQ(stage.Platform.Gfx.Log.at(1).substr(22),
              std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.expected + " fullscreen")
        << c.depth << " " << c.width << " " << c.refresh;
  }
}

// The depth format is the first of the bit depth's list that the screen accepts.
TEST(DeviceFormatTest, DepthFormatFollowsTheBitDepthList) {
  struct Case {
    TBitDepth depth;
    std::set<GfxFormat> accepted;
    GfxFormat expected;
  };
  const Case cases[] = {
      {bdLow, {GfxFormat::D16, GfxFormat::D32}, GfxFormat::D16},
      {bdLow, {GfxFormat::D24S8, GfxFormat::D32}, GfxFormat::D32},
      {bdHigh, {GfxFormat::D16, GfxFormat::D24X8}, GfxFormat::D24X8},
      {bdHigh, {GfxFormat::D16}, GfxFormat::D16},
      {bdHigh, {}, GfxFormat::Unknown},
  };
  for (const Case& c : cases) {
    TestStage stage;
    stage.Platform.Gfx.Script.DepthFormats = c.accepted;
    TGfxDevice device(&stage.Form, stage.Platform);
    device.SetBitDepth(c.depth);
    device.SetDepthBuffer(true);
    ASSERT_TRUE(device.Initialize());
    const platform::GfxPresentParameters& p = device.PresentParameters();
    EXPECT_TRUE(p.EnableAutoDepthStencil);
    EXPECT_EQ(p.Flags, platform::kGfxPresentFlagDiscardDepthStencil);
    EXPECT_EQ(p.AutoDepthStencilFormat, c.expected) << platform::TestFormatName(c.expected);
  }
}

}  // namespace

}  // namespace zelmar
