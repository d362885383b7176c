// The SDL2 + OpenGL backend in a real window. These tests need a display (CI provides Xvfb) and fail
// without one.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Form.h"
#include "framework/GfxDevice.h"
#include "framework/GfxKeyboard.h"
#include "framework/GfxMouse.h"
#include "framework/platform/SdlPlatform.h"
#include "framework/platform/SdlWindow.h"

namespace zelmar {

namespace {

struct GlBackendTest : ::testing::Test {
  platform::SdlPlatform Platform;
  TApplication Application{Platform};
  TForm Form{Application, platform::WindowSettings{"Zelmar test", 320, 240}};
  TGfxDevice Device{&Form, Platform};

  void SetUp() override {
    ASSERT_TRUE(Platform.VideoAvailable()) << "no display: " << SDL_GetError();
    ASSERT_NE(Form.Window(), nullptr);
    Form.Window()->Show();
    Device.SetWidth(320);
    Device.SetHeight(240);
    Device.SetHardwareTL(false);
    Device.OnRender = [](TGfxDevice*) {};
    ASSERT_TRUE(Device.Initialize());
  }
  platform::SdlWindow& Window() { return static_cast<platform::SdlWindow&>(*Form.Window()); }
  // The back buffer's pixel at (x, y) as 0xAARRGGBB.
  std::uint32_t Pixel(int x, int y) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(Device.Width()) * Device.Height());
    EXPECT_TRUE(platform::GfxSucceeded(
        Device.ApiDevice()->ReadBackBuffer(pixels.data(), static_cast<std::uint32_t>(Device.Width()),
                                           static_cast<std::uint32_t>(Device.Height()))));
    return pixels[static_cast<std::size_t>(y) * Device.Width() + x] | 0xFF000000u;
  }
  // Pushes an event as the window would receive it and lets the loop hand it out.
  void Deliver(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    Application.ProcessOnce();
  }
};

TEST_F(GlBackendTest, ClearsTheBackBufferAndPresentsIt) {
  ASSERT_TRUE(Device.Render(0xFF0000FF, true));  // opaque red, 0xAABBGGRR
  EXPECT_EQ(Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel(319, 239), 0xFFFF0000u);
  ASSERT_TRUE(Device.Render(0xFF804020, true));
  EXPECT_EQ(Pixel(160, 120), 0xFF204080u);
  EXPECT_TRUE(Device.Flip());
  EXPECT_FALSE(Device.Lost());
  const platform::PresentArea& area = Window().Area();
  EXPECT_EQ(area.BackBufferWidth, 320);
  EXPECT_EQ(area.Width, 320);  // a window of the back buffer's size shows it one to one
}

TEST_F(GlBackendTest, SwitchesBetweenWindowAndFullScreen) {
  int screenW = 0, screenH = 0;
  Form.Window()->ScreenSize(screenW, screenH);
  ASSERT_GT(screenW, 0);
  Device.SetWidth(screenW);
  Device.SetHeight(screenH);
  Device.SetVSync(true);
  Device.SetWindowed(false);
  ASSERT_EQ(Device.PresentParameters().BackBufferWidth, static_cast<std::uint32_t>(screenW));
  EXPECT_FALSE(Device.PresentParameters().Windowed);
  EXPECT_TRUE(Window().FullScreen());
  ASSERT_TRUE(Device.Render(0xFF00FF00, true));
  EXPECT_TRUE(Device.Flip());
  EXPECT_EQ(Pixel(screenW - 1, screenH - 1), 0xFF00FF00u);

  Device.SetWidth(1024);  // a classic size, scaled onto the desktop
  Device.SetHeight(768);
  EXPECT_EQ(Device.PresentParameters().BackBufferHeight, 768u);
  ASSERT_TRUE(Device.Render(0xFFFF0000, true));
  EXPECT_TRUE(Device.Flip());
  EXPECT_EQ(Pixel(1023, 767), 0xFF0000FFu);
  // Full screen keeps the picture's shape: centred, as large as fits, black bars elsewhere.
  const platform::PresentArea& area = Window().Area();
  const double scale = std::min(screenW / 1024.0, screenH / 768.0);
  EXPECT_NEAR(area.Width, 1024 * scale, 1);
  EXPECT_NEAR(area.Height, 768 * scale, 1);
  EXPECT_NEAR(area.Left, (screenW - area.Width) / 2, 1);
  EXPECT_NEAR(area.Top, (screenH - area.Height) / 2, 1);

  Device.SetVSync(false);
  Device.SetWindowed(true);
  EXPECT_FALSE(Window().FullScreen());
  ASSERT_TRUE(Device.Render(0, true));
  EXPECT_TRUE(Device.Flip());
}

TEST_F(GlBackendTest, KeyEventsReachTheKeyTable) {
  TGfxKeyboard keyboard(&Form);
  keyboard.SetForeground(false);
  ASSERT_TRUE(keyboard.Update());
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = Window().Id();
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = SDL_SCANCODE_UP;
  Deliver(event);
  event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  Deliver(event);
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyPressed(200));
  EXPECT_TRUE(keyboard.KeyDown(1));
  event.type = SDL_KEYUP;
  event.key.state = SDL_RELEASED;
  Deliver(event);
  ASSERT_TRUE(keyboard.Update());
  EXPECT_FALSE(keyboard.KeyDown(1));
  EXPECT_TRUE(keyboard.KeyDown(200));
  EXPECT_FALSE(keyboard.KeyPressed(200));

  event.type = SDL_KEYDOWN;  // a tap: down and up between two reads is seen down once
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = SDL_SCANCODE_LEFT;
  Deliver(event);
  event.type = SDL_KEYUP;
  event.key.state = SDL_RELEASED;
  Deliver(event);
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyPressed(203));
  ASSERT_TRUE(keyboard.Update());
  EXPECT_FALSE(keyboard.KeyDown(203));
}

TEST_F(GlBackendTest, LeavingTheWindowReleasesEveryKey) {
  TGfxKeyboard keyboard(&Form);
  keyboard.SetForeground(false);
  ASSERT_TRUE(keyboard.Initialize());
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = Window().Id();
  event.key.keysym.scancode = SDL_SCANCODE_RCTRL;
  Deliver(event);
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyDown(0x9D));
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  focus.window.windowID = Window().Id();
  Deliver(focus);
  ASSERT_TRUE(keyboard.Update());  // a background keyboard keeps its access
  EXPECT_FALSE(keyboard.KeyDown(0x9D));
}

TEST_F(GlBackendTest, PointerMotionIsScaledToBackBufferPixels) {
  Device.SetWidth(640);  // shown in the 320 × 240 window: every window pixel is two back-buffer pixels
  Device.SetHeight(480);
  ASSERT_TRUE(Device.Render(0, true));
  ASSERT_TRUE(Device.Flip());
  TGfxMouse mouse(&Form);
  mouse.SetForeground(false);
  mouse.SetClearOnUpdate(true);
  ASSERT_TRUE(mouse.Update());

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = Window().Id();
  motion.motion.x = 100;  // in a window the pointer's place counts, scaled as the picture is
  motion.motion.y = 239;
  motion.motion.xrel = 10;
  motion.motion.yrel = -4;
  Deliver(motion);
  motion.motion.xrel = 1;
  motion.motion.yrel = 0;
  Deliver(motion);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.windowID = Window().Id();
  click.button.button = SDL_BUTTON_LEFT;
  click.button.state = SDL_PRESSED;
  click.button.x = 100;
  click.button.y = 239;
  Deliver(click);
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 22);
  EXPECT_EQ(mouse.DeltaY(), -8);
  EXPECT_TRUE(mouse.Pressed(0));
  ASSERT_TRUE(mouse.PointerKnown());
  EXPECT_EQ(mouse.PointerX(), 200);
  EXPECT_EQ(mouse.PointerY(), 478);

  click.type = SDL_MOUSEBUTTONUP;
  click.button.button = SDL_BUTTON_RIGHT;
  click.button.state = SDL_RELEASED;
  Deliver(click);
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 0);
  EXPECT_FALSE(mouse.Pressed(0));
  EXPECT_TRUE(mouse.Released(1));

  // A click at (50, 60) and the pointer gone on to (150, 20) before the next poll: the poll ends with the
  // click, which is seen where it was made; the motion after it and the pointer's new place come next.
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.state = SDL_PRESSED;
  click.button.x = 50;
  click.button.y = 60;
  Deliver(click);
  motion.motion.x = 150;
  motion.motion.y = 20;
  motion.motion.xrel = 100;
  motion.motion.yrel = -40;
  Deliver(motion);
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.Pressed(0));
  EXPECT_EQ(mouse.DeltaX(), 0);
  ASSERT_TRUE(mouse.PointerKnown());
  EXPECT_EQ(mouse.PointerX(), 100);
  EXPECT_EQ(mouse.PointerY(), 120);
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.Pressed(0));
  EXPECT_EQ(mouse.DeltaX(), 200);
  EXPECT_EQ(mouse.PointerX(), 300);
  EXPECT_EQ(mouse.PointerY(), 40);
}

TEST_F(GlBackendTest, WindowCloseRequestEndsTheLoop) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = Window().Id();
  ASSERT_EQ(SDL_PushEvent(&close), 1);
  EXPECT_FALSE(Application.ProcessOnce());
}

}  // namespace

}  // namespace zelmar
