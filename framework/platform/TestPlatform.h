// The platform of the logic tests: the test graphics backend, a fake clock, scriptable input and a window
// that only remembers what it was told. Needs no display.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/Platform.h"
#include "framework/platform/TestGfx.h"

namespace zelmar::platform {

// A clock that moves only when told to; Sleep advances it and is recorded.
class TestClock : public PlatformClock {
 public:
  std::uint64_t Frequency = 1000000;  // 0 to test the millisecond path
  std::uint64_t Now = 0;              // counter value
  std::uint32_t Ticks = 0;            // millisecond tick count
  std::vector<std::uint32_t> Sleeps;  // every sleep asked for, in ms

  // Moves both the counter and the tick count forward by `milliseconds` (fractions kept in the counter).
  void Advance(double milliseconds);

  std::uint64_t CounterFrequency() override { return Frequency; }
  std::uint64_t Counter() override { return Now; }
  std::uint32_t TickCount() override { return Ticks; }
  void Sleep(std::uint32_t milliseconds) override;

 private:
  double tickFraction_ = 0;
};

// Scriptable input shared by the test mouse and keyboard.
struct TestInputState {
  std::deque<MouseEvent> MouseEvents;
  bool MouseOverflow = false;
  bool MouseAcquired = false;
  bool KeyboardAcquired = false;
  bool RefuseAcquire = false;
  bool RefuseInitialize = false;  // SetCooperativeLevel and SetBufferSize fail
  KeyStateTable Keys{};
  std::vector<std::string> Log;
  bool MouseForeground = false, MouseExclusive = false, KeyboardForeground = false;
  std::uint32_t MouseBufferSize = 0;
  // The pointer over the window in back-buffer pixels, once it has been seen there (PointerSeen).
  bool PointerSeen = false;
  int PointerX = 0, PointerY = 0;

  // Queues a relative motion or a button change as the mouse would report it.
  void Move(int dx, int dy);
  // Puts the pointer over the window at a back-buffer point (as the pointer would in a window).
  void PointAt(int x, int y);
  void Button(int button, bool down);
  // Marks both devices unacquired, as a focus change does.
  void LoseInput();
};

// A window that remembers its size, title and cursor.
class TestWindow : public PlatformWindow {
 public:
  std::string Title;
  int Width = 0, Height = 0, Left = 0, Top = 0;
  int ScreenWidth = 1280, ScreenHeight = 1024;
  bool Visible = false, Maximized = false, OnTop = false, CursorVisible = true, Focused = true;
  bool Minimized = false;
  std::uint32_t ExposureCount = 0;  // grows with every change of the shown size or state; tests add exposures
  std::vector<std::string> Errors;
  std::vector<std::uint8_t> Icon;  // the RGBA pixels of the icon given
  int IconSide = 0;

  void SetTitle(std::string_view title) override { Title = title; }
  void Show() override { Visible = true, ++ExposureCount; }
  void Hide() override { Visible = false; }
  void Maximize() override { Maximized = true, ++ExposureCount; }
  void Restore() override { Maximized = false, Minimized = false, ++ExposureCount; }
  bool IsMaximized() const override { return Maximized; }
  void ClientSize(int& width, int& height) const override { width = Width, height = Height; }
  void SetClientSize(int width, int height) override { Width = width, Height = height, ++ExposureCount; }
  void OuterSize(int& width, int& height) const override { width = Width + 2, height = Height + 24; }
  void Position(int& left, int& top) const override { left = Left, top = Top; }
  void SetPosition(int left, int top) override { Left = left, Top = top; }
  void Center() override;
  void ScreenSize(int& width, int& height) const override { width = ScreenWidth, height = ScreenHeight; }
  void SetAlwaysOnTop(bool onTop) override { OnTop = onTop; }
  void SetCursorVisible(bool visible) override { CursorVisible = visible; }
  bool HasFocus() const override { return Focused; }
  void ShowError(std::string_view, std::string_view text) override { Errors.emplace_back(text); }
  bool IsHidden() const override { return !Visible || Minimized; }
  std::uint32_t Exposures() const override { return ExposureCount; }
  void SetIcon(std::span<const std::uint8_t> rgba, int side) override {
    Icon.assign(rgba.begin(), rgba.end());
    IconSide = side;
  }
};

class TestPlatform : public Platform {
 public:
  TestGfxState Gfx;
  TestInputState Input;
  TestClock Time;
  bool CloseRequested = false;  // the next PumpEvents reports a close request
  int Pumps = 0;

  std::unique_ptr<PlatformWindow> CreateWindow(const WindowSettings& settings) override;
  std::unique_ptr<GfxApi> CreateGfxApi() override;
  std::unique_ptr<PlatformMouse> CreateMouse(PlatformWindow& window) override;
  std::unique_ptr<PlatformKeyboard> CreateKeyboard(PlatformWindow& window) override;
  PlatformClock& Clock() override { return Time; }
  bool PumpEvents() override;
  void WaitEvents(int milliseconds) override { Time.Advance(milliseconds); }
};

}  // namespace zelmar::platform
