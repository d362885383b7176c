// The game window's frame loop: one frame per timer call, one logic tick per 1/60 s, the frame's drawing.
#include <utility>

#include "scene/AnimationSteps.h"
#include "scene/FrameView.h"
#include "scene/KeyboardKeys.h"
#include "scene/SceneForm.h"
#include "scene/SceneScreen.h"

namespace zelmar::scene {

// One frame: draw it on a black back buffer, run the ticks that are due, present it. The ticks always run;
// the drawing and presenting only when they would change what the window shows:
// 1. A window nobody can see (minimised, hidden) is shown nothing; what it shows is drawn again when it
//    comes back.
// 2. The frame's calls are recorded; equal to those of the frame last presented, on a screen where nothing
//    the calls cannot see has changed (the window's contents, the back buffer, the texture filter), the
//    picture would be the same and the device does nothing.
// 3. Otherwise the recorded calls are drawn and presented, and become the frame to compare with.
// The move marks are brought up to date first, whoever ran the computer player's calls since the last tick.
void TSceneForm::TimerTimer(TGfxTimer*) {
  flow_.UpdateMarks();
  if (DrawEveryFrame) {
    frames_.Forget();
    Device.Render(0x00000000, true);
    Timer.Process();
    Device.Flip();
    return;
  }
  const platform::PlatformWindow* window = Window();
  if (!window || window->IsHidden()) {
    frames_.Forget();
    Timer.Process();
    return;
  }
  DrawFrame(state_, frames_.Begin(), Device.Width(), Device.Height());
  const TScreenFacts facts = ScreenFacts();
  if (!frames_.MustDraw(facts)) {
    Timer.Process();
    return;
  }
  replayFrame_ = true;
  const bool drawn = Device.Render(0x00000000, true);
  replayFrame_ = false;
  Timer.Process();
  if (Device.Flip() && drawn) {
    frames_.Presented(facts);
  } else {
    frames_.Forget();
  }
}

// What decides the window's picture besides the frame's calls.
TScreenFacts TSceneForm::ScreenFacts() {
  const platform::PlatformWindow* window = Window();
  return {window ? window->Exposures() : 0, Device.BackBufferGeneration(), SceneCanvas.Antialias()};
}

// One logic tick:
// 1. The keyboard. 2. The window size keys (in a window only). 3. The keys of the screen shown. 4. The
// mouse and the game cursor. 5. The board's hover. 6. The menu's hover. 7. A click. 8.-10. The title
// circle, the selection pulse and (in a game) the portrait zoom. 11. The move animation. 12. The current
// game written when it changed. 13. The move marks of what the tick changed.
void TSceneForm::TimerProcess(TGfxTimer*) {
  GfxKeyboard1.Update();
  if (Device.Windowed()) WindowSizeKeys();
  const TKeyboardKeys keys(GfxKeyboard1);
  switch (state_.SceneMode) {
    case TSceneMode::GameScreen:
      flow_.GameKeys(keys);
      break;
    case TSceneMode::TitleScreen:
      menus_.TitleKeys(keys);
      break;
    case TSceneMode::HelpScreen:
      menus_.HelpKeys(keys);
      break;
    case TSceneMode::NotStarted:
      break;
  }
  UpdateCursor();
  const bool onBoard = state_.SceneMode == TSceneMode::GameScreen && state_.MenuKind == TMenuKind::NoMenu;
  if (onBoard) flow_.GameHover();
  menus_.MenuHoverStep();
  if (GfxMouse1.Pressed(0)) ClickHandler();
  TitleStep(state_);
  PulseStep(state_);
  if (state_.SceneMode == TSceneMode::GameScreen) PortraitStep(state_);
  if (state_.Animating) flow_.AnimationStep();
  keeper_.Tick();
  flow_.UpdateMarks();
}

// Up arrow held grows the window and Down arrow shrinks it, 8 pixels of width a tick, kept centred; the
// back buffer keeps its size and is shown scaled.
void TSceneForm::WindowSizeKeys() {
  platform::PlatformWindow* window = Window();
  for (const auto& [key, grow] : {std::pair{kKeyUp, true}, std::pair{kKeyDown, false}}) {
    if (!GfxKeyboard1.KeyDown(key)) continue;
    TWindowGeometry geometry;
    int outerWidth = 0, outerHeight = 0;
    window->ClientSize(geometry.ClientWidth, geometry.ClientHeight);
    window->OuterSize(outerWidth, outerHeight);
    geometry.FrameWidth = outerWidth - geometry.ClientWidth;
    geometry.FrameHeight = outerHeight - geometry.ClientHeight;
    window->ScreenSize(geometry.ScreenWidth, geometry.ScreenHeight);
    if (const auto placement = WindowSizeStep(geometry, grow)) {
      window->SetClientSize(placement->ClientWidth, placement->ClientHeight);
      window->SetPosition(placement->Left, placement->Top);
    }
  }
}

// The mouse's update moves the game cursor: under the pointer in a window, by the relative motion in full
// screen; clamped to the logical screen either way.
void TSceneForm::UpdateCursor() {
  GfxMouse1.Update();
  const TPointerReading pointer{GfxMouse1.DeltaX(), GfxMouse1.DeltaY(), GfxMouse1.PointerKnown(),
                                GfxMouse1.PointerX(), GfxMouse1.PointerY()};
  const TCursor cursor =
      MoveCursor({state_.CursorX, state_.CursorY}, pointer, state_.OriginX, state_.OriginY);
  state_.CursorX = cursor.X;
  state_.CursorY = cursor.Y;
}

// Button 0 went down: the board and the game's buttons first, then the menu of the moment.
void TSceneForm::ClickHandler() {
  if (state_.SceneMode == TSceneMode::GameScreen && state_.MenuKind == TMenuKind::NoMenu) flow_.GameClick();
  menus_.MenuClick();
}

// One frame in the order of the frame view: a black screen, the screen of SceneMode, the menu of MenuKind,
// the promotion panel while the player chooses, and the game's cursor on top.
void TSceneForm::DeviceRender(TGfxDevice*) {
  if (replayFrame_) {
    frames_.Next().Replay(painter_);
  } else {
    DrawFrame(state_, painter_, Device.Width(), Device.Height());
  }
}

}  // namespace zelmar::scene
