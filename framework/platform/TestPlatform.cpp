#include "framework/platform/TestPlatform.h"

#include <cmath>

namespace zelmar::platform {

namespace {

// The test mouse: hands out the scripted events while acquired.
class TestMouse : public PlatformMouse {
 public:
  explicit TestMouse(TestInputState& input) : input_(input) {}

  InputResult SetCooperativeLevel(bool foreground, bool exclusive) override {
    input_.Log.push_back("Mouse.SetCooperativeLevel");
    if (input_.RefuseInitialize) return InputResult::Failed;
    input_.MouseForeground = foreground;
    input_.MouseExclusive = exclusive;
    return InputResult::Ok;
  }
  InputResult SetBufferSize(std::uint32_t events) override {
    input_.Log.push_back("Mouse.SetBufferSize " + std::to_string(events));
    input_.MouseBufferSize = events;
    return InputResult::Ok;
  }
  InputResult Acquire() override {
    input_.Log.push_back("Mouse.Acquire");
    if (input_.RefuseAcquire) return InputResult::Failed;
    input_.MouseAcquired = true;
    return InputResult::Ok;
  }
  InputResult Unacquire() override {
    input_.MouseAcquired = false;
    return InputResult::Ok;
  }
  InputResult GetEvent(MouseEvent& event, bool& got) override {
    got = false;
    if (!input_.MouseAcquired) return InputResult::NotAcquired;
    const bool overflow = input_.MouseOverflow;
    input_.MouseOverflow = false;
    if (!input_.MouseEvents.empty()) {
      event = input_.MouseEvents.front();
      input_.MouseEvents.pop_front();
      got = true;
    }
    return overflow ? InputResult::BufferOverflow : InputResult::Ok;
  }
  bool PointerPosition(int& x, int& y) override {
    x = input_.PointerX;
    y = input_.PointerY;
    return input_.PointerSeen;
  }

 private:
  TestInputState& input_;
};

// The test keyboard: reports the scripted key table while acquired.
class TestKeyboard : public PlatformKeyboard {
 public:
  explicit TestKeyboard(TestInputState& input) : input_(input) {}

  InputResult SetCooperativeLevel(bool foreground) override {
    input_.Log.push_back("Keyboard.SetCooperativeLevel");
    if (input_.RefuseInitialize) return InputResult::Failed;
    input_.KeyboardForeground = foreground;
    return InputResult::Ok;
  }
  InputResult Acquire() override {
    input_.Log.push_back("Keyboard.Acquire");
    if (input_.RefuseAcquire) return InputResult::Failed;
    input_.KeyboardAcquired = true;
    return InputResult::Ok;
  }
  InputResult Unacquire() override {
    input_.KeyboardAcquired = false;
    return InputResult::Ok;
  }
  InputResult GetState(KeyStateTable& state) override {
    if (!input_.KeyboardAcquired) return InputResult::NotAcquired;
    state = input_.Keys;
    return InputResult::Ok;
  }

 private:
  TestInputState& input_;
};

}  // namespace

// Moves the counter and the millisecond count on, keeping fractions of a millisecond for later.
void TestClock::Advance(double milliseconds) {
  Now += static_cast<std::uint64_t>(
      std::llround(milliseconds * static_cast<double>(Frequency ? Frequency : 1000) / 1000.0));
  tickFraction_ += milliseconds;
  const double whole = std::floor(tickFraction_);
  Ticks += static_cast<std::uint32_t>(whole);
  tickFraction_ -= whole;
}

// Records the sleep and lets that much time pass.
void TestClock::Sleep(std::uint32_t milliseconds) {
  Sleeps.push_back(milliseconds);
  Advance(milliseconds);
}

// Queues one event per moved axis.
void TestInputState::Move(int dx, int dy) {
  if (dx) MouseEvents.push_back({kMouseOffsetX, dx, 0, 0});
  if (dy) MouseEvents.push_back({kMouseOffsetY, dy, 0, 0});
}

// The pointer is now seen over the window at that point.
void TestInputState::PointAt(int x, int y) {
  PointerSeen = true;
  PointerX = x;
  PointerY = y;
}

// Queues a button going down or up.
void TestInputState::Button(int button, bool down) {
  MouseEvents.push_back({kMouseOffsetButton0 + static_cast<std::uint32_t>(button), down ? 0x80 : 0, 0, 0});
}

// Both devices lose their acquisition, as when another window takes the focus.
void TestInputState::LoseInput() {
  MouseAcquired = false;
  KeyboardAcquired = false;
}

// Centres the outer window on the scripted screen.
void TestWindow::Center() {
  Left = (ScreenWidth - Width - 2) / 2;
  Top = (ScreenHeight - Height - 24) / 2;
}

// A window remembering the settings.
std::unique_ptr<PlatformWindow> TestPlatform::CreateWindow(const WindowSettings& settings) {
  auto window = std::make_unique<TestWindow>();
  window->Title = settings.Title;
  window->Width = settings.ClientWidth;
  window->Height = settings.ClientHeight;
  window->OnTop = settings.AlwaysOnTop;
  return window;
}

// The test graphics object, unless the script refuses it.
std::unique_ptr<GfxApi> TestPlatform::CreateGfxApi() {
  Gfx.Record("CreateGfxApi");
  if (Gfx.Refuses("CreateGfxApi")) return nullptr;
  return std::make_unique<TestGfxApi>(Gfx);
}

// A mouse reading the scripted input.
std::unique_ptr<PlatformMouse> TestPlatform::CreateMouse(PlatformWindow&) {
  return std::make_unique<TestMouse>(Input);
}

// A keyboard reading the scripted input.
std::unique_ptr<PlatformKeyboard> TestPlatform::CreateKeyboard(PlatformWindow&) {
  return std::make_unique<TestKeyboard>(Input);
}

// Counts the pass and reports a scripted close request once.
bool TestPlatform::PumpEvents() {
  ++Pumps;
  const bool close = CloseRequested;
  CloseRequested = false;
  return !close;
}

}  // namespace zelmar::platform
