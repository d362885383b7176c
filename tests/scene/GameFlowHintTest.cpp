// The key H through the game flow, the real engine and its worker: the hint is asked only while the player
// may move, is shown on its squares and in the status line whatever the marks setting, and goes with the
// player's move; a take-back, a new game or a mode change while it is found means it never shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/SearchLevel.h"
#include "engine/notation/San.h"
#include "scene/SceneTexts.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

void PressH(TGameFlowRig& rig) {
  TScriptedKeys keys;
  keys.JustPressed = {kKeyH};
  rig.Flow.GameKeys(keys);
  rig.Flow.UpdateMarks();
}

// No hint anywhere: neither asked nor marked.
void ExpectNoHint(const TGameFlowRig& rig) {
  EXPECT_FALSE(rig.State.HintAsked);
  EXPECT_EQ(rig.State.HintFrom, 0);
  EXPECT_TRUE(rig.State.HintSan.empty());
  EXPECT_EQ(rig.State.Marks.Count(TSquareMark::Hint), 0);
}

TEST(GameFlowHintTest, HintIsShownUntilThePlayerMoves) {
  TGameFlowRig rig;
  rig.State.Options.Marks = kMarksNone;  // the hint's marks show whatever the setting
  rig.Flow.StartNewGame();
  rig.Settle();
  PressH(rig);
  ASSERT_TRUE(rig.State.HintAsked);
  EXPECT_EQ(HintStatusText(rig.State.HintSan, 1), "Finding a hint...");
  ASSERT_TRUE(rig.RunUntil([&] { return !rig.State.HintSan.empty(); }));
  rig.Flow.UpdateMarks();
  const int from = rig.State.HintFrom, to = rig.State.HintTo;
  EXPECT_EQ(rig.State.HintSan, MoveToSan(rig.Engine, TGameMove{SquareOf(from), SquareOf(to), 0, {}}));
  EXPECT_EQ(HintStatusText(rig.State.HintSan, 1), "Hint: " + rig.State.HintSan);
  EXPECT_TRUE(rig.State.Marks.Has(from, TSquareMark::Hint));
  EXPECT_TRUE(rig.State.Marks.Has(to, TSquareMark::Hint));
  EXPECT_EQ(rig.State.Marks.Count(TSquareMark::Hint), 2);
  PressH(rig);  // asked again in the same position: the hint stays as it is
  EXPECT_EQ(rig.State.HintFrom, from);

  // The player plays the suggested move: the hint goes, and H means nothing on the computer's turn.
  rig.ClickSquare(from);
  rig.ClickSquare(to);
  rig.RunAnimation();
  rig.Flow.UpdateMarks();
  ExpectNoHint(rig);
  PressH(rig);
  EXPECT_FALSE(rig.State.HintAsked);
  rig.ComputerMove();

  // Nor under a menu or during a glide.
  rig.State.MenuKind = TMenuKind::GameDialog;
  PressH(rig);
  EXPECT_FALSE(rig.State.HintAsked);
  rig.State.MenuKind = TMenuKind::NoMenu;
  for (int a = 1; a <= 64 && !rig.State.Animating; ++a)
    for (int b = 1; b <= 64 && !rig.State.Animating; ++b)
      if (rig.Engine.IsLegalMove(SquareOf(a), SquareOf(b))) {
        rig.ClickSquare(a);
        rig.ClickSquare(b);
      }
  ASSERT_TRUE(rig.State.Animating);
  PressH(rig);
  EXPECT_FALSE(rig.State.HintAsked);
  rig.RunAnimation();
  EXPECT_TRUE(rig.Settle());
}

// A hint asked at the highest level (searched at the hint's cap) and overtaken at once by a change of the
// game never shows, and the game goes on as usual.
TEST(GameFlowHintTest, ChangesOfTheGameDropTheHintInFlight) {
  const std::function<void(TGameFlowRig&)> changes[] = {
      [](TGameFlowRig& rig) { rig.Flow.StepBack(); },
      [](TGameFlowRig& rig) { rig.Flow.StartNewGame(); },
      [](TGameFlowRig& rig) {
        rig.State.Options.Mode = 2;
        rig.Flow.StartNewGame();
      },
  };
  int change = 0;
  for (const auto& overtake : changes) {
    SCOPED_TRACE("change " + std::to_string(change++));
    TGameFlowRig rig;
    rig.State.Options.Depth = 1;
    rig.Flow.StartNewGame();
    rig.PlayerMove("e2", "e4");
    rig.ComputerMove();
    rig.Engine.SetSearchDepth(kHighestLevel);
    PressH(rig);
    ASSERT_TRUE(rig.State.HintAsked);
    overtake(rig);
    rig.Flow.UpdateMarks();
    ExpectNoHint(rig);
    EXPECT_TRUE(rig.Settle());
    rig.Flow.UpdateMarks();
    ExpectNoHint(rig);
    EXPECT_EQ(rig.State.GameState, TGameState::HumanToMove);
  }
}

}  // namespace
}  // namespace zelmar::scene
