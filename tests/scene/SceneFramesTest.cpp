// The game window's frames on the test backend: a frame is drawn and presented only when its picture would
// differ from the one on the screen, yet the screen always shows what the frame of the moment would draw;
// a window nobody can see is drawn nothing while the game goes on; the window carries the game's icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/SceneKeys.h"
#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

using test::TSceneFormRig;

// Whether two recorded calls are the same call with the same arguments.
bool SameCall(const TPaintCall& a, const TPaintCall& b) {
  return a.Kind == b.Kind && a.Picture == b.Picture && a.Pattern == b.Pattern && a.X == b.X && a.Y == b.Y &&
         a.Scale == b.Scale && a.Width == b.Width && a.Height == b.Height && a.Color == b.Color &&
         a.Bottom == b.Bottom && a.Fx == b.Fx && a.Font == b.Font && a.Text == b.Text;
}
bool SameFrame(const TFrameRecord& a, const TFrameRecord& b) {
  const std::vector<TPaintCall> first = a.Calls(), second = b.Calls();
  return std::equal(first.begin(), first.end(), second.begin(), second.end(), SameCall);
}

// Watches every frame of a rig: what the frame would draw as the window drew it before (every frame
// drawn), whether it was presented or drawn at all, and what the screen shows afterwards.
struct TFrameWatch {
  explicit TFrameWatch(TSceneFormRig& rig) : rig_(rig) {
    rig.Form().Timer.OnTimer = [this](TGfxTimer* sender) { Frame(sender); };
  }

  // One frame through the window's own handler, with the record of what it would draw taken first.
  void Frame(TGfxTimer* sender) {
    TSceneForm& form = rig_.Form();
    Expected = TFrameRecord{};
    DrawFrame(form.State(), Expected, form.Device.Width(), form.Device.Height());
    // The window's frame record replays exactly the calls it was given.
    TFrameRecord record;
    DrawFrame(form.State(), record, form.Device.Width(), form.Device.Height());
    TFrameRecord replayed;
    record.Replay(replayed);
    if (!SameFrame(replayed, Expected)) ++ReplayFaults;

    auto& log = rig_.Platform.Gfx.Log;
    const std::size_t before = log.size();
    form.TimerTimer(sender);
    Presented = std::count(log.begin() + static_cast<std::ptrdiff_t>(before), log.end(), "Present") > 0;
    Drawn = std::count(log.begin() + static_cast<std::ptrdiff_t>(before), log.end(), "BeginScene") > 0;
    ++Frames;
    if (Presented) {
      ++Presents;
      Shown = Expected;
    }
  }

  TFrameRecord Expected, Shown;
  bool Presented = false, Drawn = false;
  int Frames = 0, Presents = 0, ReplayFaults = 0;

 private:
  TSceneFormRig& rig_;
};

// Random sessions by pointer, clicks, keys and time, with the window exposed, minimised and restored and
// the device reset at random moments. After every frame in a window that can be seen, the screen shows
// exactly what the frame would have drawn; a frame after an exposure or a reset is presented; a hidden
// window is drawn nothing, yet its ticks run.
TEST(SceneFramesTest, RandomSessionsShowEveryFramesPictureWhileDrawingOnlyChanges) {
  int frames = 0, presents = 0;
  for (const unsigned seed : {3u, 17u, 2024u}) {
    SCOPED_TRACE(seed);
    TSceneFormRig rig;
    rig.Start();
    TFrameWatch watch(rig);
    platform::TestWindow& window = rig.Window();
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const int keys[] = {kKeyEscape, kKey1, kKey2, kKey3, kKey4, kKeyUp, kKeyDown, kKeyLeft, kKeyRight};
    bool mustPresent = false;
    int hiddenFrames = 0, hiddenTicks = 0;
    for (int step = 0; step < 400; ++step) {
      // 1. Something happens, or nothing (a still pointer for a while).
      if (chance(25))
        rig.Platform.Input.PointAt(static_cast<int>(random() % 1024), static_cast<int>(random() % 768));
      if (chance(12)) {
        rig.Platform.Input.Button(0, true);
        rig.Platform.Input.Button(0, false);
      }
      auto& key = rig.Platform.Input.Keys[static_cast<std::size_t>(keys[random() % std::size(keys)])];
      key = chance(6) ? 0x80 : 0;
      if (chance(4)) {
        ++window.ExposureCount;
        mustPresent = true;
      }
      if (chance(3)) {
        rig.Form().Device.SetVSync(!rig.Form().Device.VSync());  // resets the device
        mustPresent = true;
      }
      if (chance(4)) window.Minimized = !window.Minimized;
      if (!window.Minimized && chance(1)) window.Restore();
      // 2. One pass of the loop: a frame and its ticks.
      const int framesBefore = watch.Frames, ticksBefore = rig.Ticks;
      const bool going = rig.Pass(static_cast<double>(5 + random() % 60));
      if (watch.Frames == framesBefore) {
        if (!going) break;
        continue;
      }
      // 3. The frame against the rules.
      if (window.IsHidden()) {
        EXPECT_FALSE(watch.Drawn || watch.Presented) << "step " << step;
        ++hiddenFrames;
        hiddenTicks += rig.Ticks - ticksBefore;
        mustPresent = true;  // what the window shows when it comes back is not known
      } else {
        EXPECT_TRUE(watch.Presented || !mustPresent) << "step " << step;
        EXPECT_TRUE(SameFrame(watch.Shown, watch.Expected)) << "step " << step;
        mustPresent = false;
      }
      key = 0;
      if (!going) break;
    }
    EXPECT_EQ(watch.ReplayFaults, 0);
    EXPECT_TRUE(hiddenFrames <= 10 || hiddenTicks > hiddenFrames)
        << "the ticks stop while the window is hidden";
    frames += watch.Frames;
    presents += watch.Presents;
  }
  // A session may end early at the quit window's "Quit"; together they make many frames.
  EXPECT_GT(frames, 500);
  EXPECT_LT(presents, frames);
}

// The game screen with the pointer still is presented when its clock shows a new second and not between;
// minimised it is presented nothing while the clock, the ticks and the game go on; restored, the next frame
// is presented. The window carries the game's icon.
TEST(SceneFramesTest, AStillGameIsPresentedOnceASecondAndNotAtAllWhileMinimised) {
  TSceneFormRig rig;
  rig.Start();
  EXPECT_EQ(rig.Window().IconSide, 64);
  EXPECT_EQ(rig.Window().Icon.size(), 64u * 64u * 4u);
  EXPECT_GT(std::count_if(rig.Window().Icon.begin(), rig.Window().Icon.end(), [](auto b) { return b != 0; }),
            1000);
  TFrameWatch watch(rig);
  rig.ClickAt(183, 172);  // "Game"
  rig.Platform.Input.PointAt(1010, 750);
  rig.RunTicks(30);

  // Five seconds of a still screen at 100 frames a second: five new clock seconds, so five presents at
  // most, and nothing at all when nothing changed.
  const int presents = watch.Presents, seconds = rig.State().Board.WhiteSeconds;
  for (int i = 0; i < 500; ++i) rig.Pass(10);
  const int ticked = rig.State().Board.WhiteSeconds - seconds;
  EXPECT_NEAR(ticked, 5, 1);
  EXPECT_GE(watch.Presents - presents, 1);
  EXPECT_LE(watch.Presents - presents, ticked);

  // Minimised: no frame is drawn, the clock and the ticks go on.
  rig.Window().Minimized = true;
  const int ticks = rig.Ticks;
  const int hidden = watch.Presents;
  for (int i = 0; i < 300; ++i) rig.Pass(10);
  EXPECT_EQ(watch.Presents, hidden);
  EXPECT_FALSE(watch.Drawn);
  EXPECT_NEAR(rig.State().Board.WhiteSeconds - seconds - ticked, 3, 1);
  EXPECT_GE(rig.Ticks - ticks, 179);

  // Restored: drawn at once; then still again.
  rig.Window().Restore();
  rig.Pass(10);
  EXPECT_TRUE(watch.Presented);
  rig.Pass(10);
  EXPECT_FALSE(watch.Presented);

  // A reset device (full screen toggled, a new size) is drawn again though its calls did not change.
  rig.Form().Device.SetVSync(true);
  rig.Pass(10);
  EXPECT_TRUE(watch.Presented);
}

}  // namespace
}  // namespace zelmar::scene
