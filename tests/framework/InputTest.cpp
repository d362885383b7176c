#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "framework/GfxKeyboard.h"
#include "framework/GfxMouse.h"

namespace zelmar {

namespace {

struct InputTest : ::testing::Test {
  TestStage Stage;
  platform::TestInputState& Input() { return Stage.Platform.Input; }
};

TEST_F(InputTest, ComponentsMustBelongToAForm) {
  TComponent notAForm(nullptr);
  try {
    TGfxMouse mouse(&notAForm);
    FAIL() << "no error";
  } catch (const EInputError& e) {
    EXPECT_STREQ(e.what(), "This component must be dropped onto the form!");
  }
  try {
    TGfxKeyboard keyboard(nullptr);
    FAIL() << "no error";
  } catch (const EInputError& e) {
    EXPECT_STREQ(e.what(), "TGfxKeyboard: This component must be dropped onto the form!");
  }
  EXPECT_TRUE(notAForm.Components().empty());  // the failed components left their owner
}

TEST_F(InputTest, MouseSumsMotionAndAcquiresOnFirstUpdate) {
  TGfxMouse mouse(&Stage.Form);
  EXPECT_TRUE(mouse.Update());  // not yet initialized: opens and acquires
  EXPECT_TRUE(Input().MouseAcquired);
  Input().Move(3, 5);
  Input().Move(-1, 0);
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 2);
  EXPECT_EQ(mouse.DeltaY(), 5);
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 0);
  Input().MouseEvents.push_back({platform::kMouseOffsetWheel, 120, 0, 0});  // the wheel is ignored
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaY(), 0);
}

TEST_F(InputTest, ButtonFlagsWithAndWithoutClearOnUpdate) {
  TGfxMouse mouse(&Stage.Form);
  Input().Button(0, true);
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.Pressed(0));
  EXPECT_FALSE(mouse.Released(0));
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.Pressed(0));  // flags stay without ClearOnUpdate
  Input().Button(0, false);
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.Pressed(0));
  EXPECT_TRUE(mouse.Released(0));

  Input().Button(2, true);
  Input().Button(2, false);  // a quick click before one poll is a press, also without ClearOnUpdate
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.Pressed(2));
  EXPECT_FALSE(mouse.Released(2));  // the press ends the poll: its release is read by the next
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.Pressed(2));  // and only in that poll: the button is up
  EXPECT_TRUE(mouse.Released(2));

  mouse.SetClearOnUpdate(true);
  Input().Button(7, true);
  Input().Button(7, false);  // a tap-to-click: down and up before one poll
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.Pressed(7));
  EXPECT_FALSE(mouse.Released(2));  // cleared
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.Pressed(7));
  EXPECT_TRUE(mouse.Released(7));
  Input().Button(7, true);  // held from an earlier poll, released now: a release only
  ASSERT_TRUE(mouse.Update());
  Input().Button(7, false);
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.Pressed(7));
  EXPECT_TRUE(mouse.Released(7));
  EXPECT_FALSE(mouse.Pressed(8));
  EXPECT_FALSE(mouse.Pressed(-1));
  EXPECT_FALSE(mouse.Released(8));
}

TEST_F(InputTest, AClickCountsWhereTheCursorWasWhenTheButtonWentDown) {
  // Motion, a click, motion away and a second click, all before one poll (a slow tick): each poll ends
  // with a press, so each click comes with only the motion that preceded it.
  TGfxMouse mouse(&Stage.Form);
  mouse.SetClearOnUpdate(true);
  ASSERT_TRUE(mouse.Update());
  Input().Move(58, -82);
  Input().Button(0, true);
  Input().Button(0, false);
  Input().Move(617, 348);
  Input().Button(0, true);
  Input().Move(-5, 0);
  Input().Button(0, false);
  const int expected[][3] = {{58, -82, 1}, {617, 348, 1}, {-5, 0, 0}, {0, 0, 0}};
  for (const auto& poll : expected) {
    ASSERT_TRUE(mouse.Update());
    EXPECT_EQ(mouse.DeltaX(), poll[0]);
    EXPECT_EQ(mouse.DeltaY(), poll[1]);
    EXPECT_EQ(mouse.Pressed(0), poll[2] == 1);
  }
  EXPECT_FALSE(mouse.Released(0));  // the last release came in the third poll
}

TEST_F(InputTest, PointerPositionIsReadWithEachUpdate) {
  TGfxMouse mouse(&Stage.Form);
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.PointerKnown());  // not yet seen over the window
  Input().PointAt(700, -3);
  Input().Move(5, 5);                  // the motion still reaches the deltas
  EXPECT_FALSE(mouse.PointerKnown());  // read only by Update
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(mouse.PointerKnown());
  EXPECT_EQ(mouse.PointerX(), 700);
  EXPECT_EQ(mouse.PointerY(), -3);
  EXPECT_EQ(mouse.DeltaX(), 5);
  Input().PointerSeen = false;  // full screen: relative motion only
  ASSERT_TRUE(mouse.Update());
  EXPECT_FALSE(mouse.PointerKnown());
}

TEST_F(InputTest, MouseSettingsAreFixedOnceInitialized) {
  TGfxMouse mouse(&Stage.Form);
  mouse.SetForeground(false);
  mouse.SetBufferSize(32);
  ASSERT_TRUE(mouse.Initialize());
  EXPECT_FALSE(mouse.Initialize());
  mouse.SetForeground(true);
  mouse.SetExclusive(false);
  EXPECT_FALSE(mouse.Foreground());
  EXPECT_TRUE(mouse.Exclusive());
  EXPECT_FALSE(Input().MouseForeground);
  EXPECT_TRUE(Input().MouseExclusive);
  EXPECT_EQ(Input().MouseBufferSize, 32u);
}

TEST_F(InputTest, MouseFailuresAreReportedAndRetried) {
  TGfxMouse mouse(&Stage.Form);
  Input().RefuseInitialize = true;
  EXPECT_FALSE(mouse.Update());
  EXPECT_FALSE(mouse.Initialized());
  Input().RefuseInitialize = false;
  Input().RefuseAcquire = true;
  EXPECT_FALSE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 0);
  Input().RefuseAcquire = false;
  ASSERT_TRUE(mouse.Update());
  Input().Move(4, 0);
  Input().MouseOverflow = true;  // an overflow still delivers what fit
  ASSERT_TRUE(mouse.Update());
  EXPECT_EQ(mouse.DeltaX(), 4);
  Input().LoseInput();  // focus gone: the next poll acquires again
  ASSERT_TRUE(mouse.Update());
  EXPECT_TRUE(Input().MouseAcquired);
}

TEST_F(InputTest, KeyPressedLastsOneUpdateWhileKeyDownLasts) {
  TGfxKeyboard keyboard(&Stage.Form);
  ASSERT_TRUE(keyboard.Update());
  Input().Keys[200] = 0x80;  // up arrow
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyDown(200));
  EXPECT_TRUE(keyboard.KeyPressed(200));
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyDown(200));
  EXPECT_FALSE(keyboard.KeyPressed(200));
  Input().Keys[200] = 0;
  ASSERT_TRUE(keyboard.Update());
  EXPECT_FALSE(keyboard.KeyDown(200));
  EXPECT_FALSE(keyboard.KeyDown(-1));
  EXPECT_FALSE(keyboard.KeyPressed(256));
}

TEST_F(InputTest, KeyboardReacquiresAfterLosingInput) {
  TGfxKeyboard keyboard(&Stage.Form);
  keyboard.SetForeground(false);
  ASSERT_TRUE(keyboard.Initialize());
  keyboard.SetForeground(true);
  EXPECT_FALSE(Input().KeyboardForeground);
  ASSERT_TRUE(keyboard.Update());
  Input().Keys[1] = 0x80;
  Input().LoseInput();
  ASSERT_TRUE(keyboard.Update());
  EXPECT_TRUE(keyboard.KeyPressed(1));
  Input().LoseInput();
  Input().RefuseAcquire = true;
  EXPECT_FALSE(keyboard.Update());
  Input().RefuseInitialize = true;
  TGfxKeyboard second(&Stage.Form);
  EXPECT_FALSE(second.Initialize());
}

}  // namespace

}  // namespace zelmar
