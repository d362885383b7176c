// A computer reply that belongs to a position the scene has left never lands: a new game while the reply
// is searched or waits in the queue, a take-back or replay while the computer's first move waits, a
// new game while a move still glides, and the searches the computer starts ahead of time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

// A fresh game as the scene and the engine both show it, and nothing arriving later.
void ExpectFreshGame(TGameFlowRig& rig) {
  EXPECT_FALSE(rig.State.Animating);
  EXPECT_EQ(rig.State.GameState, TGameState::HumanToMove);
  EXPECT_EQ(rig.ScenePosition(), std::string(kInitialPosition));
  EXPECT_EQ(rig.Engine.GetPosition(), std::string(kInitialPosition));
  EXPECT_TRUE(rig.Engine.WhiteToMove());
  EXPECT_EQ(rig.Engine.CurrentMove(), 1);
  EXPECT_TRUE(rig.Settle());
  EXPECT_FALSE(rig.State.Animating);
  EXPECT_EQ(rig.Engine.GetPosition(), std::string(kInitialPosition));
}

// "Rematch" (or "Menu" then "Game") with the reply waiting in the queue and with a deep search running:
// the new game starts clean, and the next game's moves work as usual.
TEST(GameFlowStaleTest, NewGameDropsTheComputersPendingReply) {
  TGameFlowRig rig;
  // Black's only reply to e2-e4 is d4xe3 en passant: a capture whose sound must not be heard.
  rig.SetUp(PositionWith({{"a8", 'k'}, {"d7", 'N'}, {"b6", 'K'}, {"d4", 'p'}, {"d3", 'B'}, {"e2", 'P'}}),
            true, true);
  rig.PlayerMove("e2", "e4");
  rig.WaitForPostedCall();
  const std::size_t clips = rig.Sounds.Clips.size();
  rig.Flow.StartNewGame();
  EXPECT_EQ(rig.Worker.MovesDelivered(), 1);  // the engine played it inside the reset; the scene ignored it
  EXPECT_EQ(rig.Sounds.Clips.size(), clips);
  ExpectFreshGame(rig);

  rig.State.Options.Depth = 8;
  rig.Flow.StartNewGame();
  rig.PlayerMove("d2", "d4");
  rig.State.Options.Depth = 1;
  rig.Flow.StartNewGame();
  ExpectFreshGame(rig);

  rig.PlayerMove("e2", "e4");
  rig.ComputerMove();
  EXPECT_EQ(rig.State.GameState, TGameState::HumanToMove);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
}

// Player Black, the computer's first move waiting: Left (or Right) hands White to the player instead, and
// that stale move is neither shown nor reachable by replaying; the player's own first move then works.
TEST(GameFlowStaleTest, StepsDropTheComputersPendingFirstMove) {
  for (int key : {kKeyLeft, kKeyRight}) {
    TGameFlowRig rig;
    TSceneState& s = rig.State;
    s.Options.Army = 2;
    rig.Flow.StartNewGame();
    rig.WaitForPostedCall();
    TScriptedKeys keys;
    keys.JustPressed = {key};
    rig.Flow.GameKeys(keys);
    EXPECT_EQ(rig.Worker.MovesDelivered(), 1) << key;
    EXPECT_EQ(s.Board.SideToMove, 1) << key;
    EXPECT_EQ(s.Board.HumanSide, 1) << key;
    EXPECT_FALSE(rig.Engine.ComputerPlaysWhite()) << key;
    EXPECT_TRUE(rig.Engine.ComputerPlaysBlack()) << key;
    ExpectFreshGame(rig);
    keys.JustPressed = {kKeyRight};
    rig.Flow.GameKeys(keys);
    ExpectFreshGame(rig);
    rig.PlayerMove("e2", "e4");
    rig.ComputerMove();
    EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition()) << key;
    EXPECT_EQ(s.GameState, TGameState::HumanToMove) << key;
  }
}

// "Rematch" while the player's move glides (the engine never gets it) and while the computer's does: the
// glide stops without its move being finished.
TEST(GameFlowStaleTest, NewGameStopsAGlidingMove) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.Flow.StartNewGame();
  rig.ClickSquare("e2");
  rig.ClickSquare("e4");
  rig.Flow.AnimationStep();
  ASSERT_TRUE(s.Animating);
  rig.Sounds.Clips.clear();
  rig.Flow.StartNewGame();
  rig.Flow.AnimationStep();
  EXPECT_TRUE(rig.Sounds.Clips.empty());
  EXPECT_TRUE(rig.Timer1.Enabled());
  ExpectFreshGame(rig);

  rig.PlayerMove("e2", "e4");
  ASSERT_TRUE(rig.WaitForComputerMove());
  rig.Flow.AnimationStep();
  rig.Flow.StartNewGame();
  rig.Flow.AnimationStep();
  EXPECT_EQ(s.Board.SideToMove, 1);
  ExpectFreshGame(rig);
  rig.PlayerMove("d2", "d4");
  rig.ComputerMove();
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
}

// A move the engine refuses at its arrival (the scene out of step with it) leaves the scene showing the
// engine's position with the player to move, instead of waiting for a reply that never comes.
TEST(GameFlowStaleTest, RefusedHandOverReloadsTheEngine) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.Flow.StartNewGame();
  s.Board.Put(Sq("e2"), 0);
  s.MovingPiece = kPawn;
  s.MoveFrom = Sq("e2");
  s.MoveTo = Sq("e5");
  rig.Flow.FinishMove();
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(s.Board.SideToMove, 1);
  ExpectFreshGame(rig);
}

// A second move cannot start while the player's first one still glides: its pawn is off the board
// meanwhile and would be lost. Selecting is still allowed.
TEST(GameFlowStaleTest, NoSecondMoveDuringAGlide) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.Flow.StartNewGame();
  rig.ClickSquare("e2");
  rig.ClickSquare("e4");
  rig.ClickSquare("d2");
  EXPECT_EQ(s.SelectedSquare, Sq("d2"));
  rig.ClickSquare("d4");
  EXPECT_EQ(s.MoveFrom, Sq("e2"));
  EXPECT_EQ(s.Board.At(Sq("d2")), kPawn);
  rig.RunAnimation();
  EXPECT_EQ(s.Board.At(Sq("e4")), kPawn);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  EXPECT_EQ(s.GameState, TGameState::ComputerThinking);
}

// The searches the computer starts ahead (the reply it expects while the player thinks, the player's move
// while its figure glides) under take-back, replay, a new game during the glide and a change of mode:
// none of them lands in a position the scene has left, and the game goes exactly as it goes when the
// computer only searches on its own turn.
TEST(GameFlowStaleTest, SearchesAheadNeverLandStale) {
  std::vector<std::string> seen[2];
  for (const bool ahead : {false, true}) {
    TGameFlowRig rig;
    TSceneState& s = rig.State;
    rig.Worker.SetPondering(ahead);
    rig.Worker.SetEarlyStart(ahead);
    std::vector<std::string>& log = seen[ahead];
    const auto note = [&] {
      EXPECT_TRUE(rig.Settle());
      EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
      log.push_back(rig.Engine.GetPosition() + " " + std::to_string(rig.Worker.LastNodes()));
    };
    s.Options.Depth = 3;
    s.Options.Mode = 2;
    rig.Flow.StartNewGame();
    // 1. A reply, then Left while the search of the expected answer runs: the player takes Black.
    rig.PlayerMove("e2", "e4");
    rig.ComputerMove();
    const int delivered = rig.Worker.MovesDelivered();
    TScriptedKeys keys;
    keys.JustPressed = {kKeyLeft};
    rig.Flow.GameKeys(keys);
    note();
    EXPECT_EQ(rig.Worker.MovesDelivered(), delivered);
    EXPECT_FALSE(rig.Engine.WhiteToMove());
    // 2. Right replays the reply; the player has White again and answers; the computer replies.
    keys.JustPressed = {kKeyRight};
    rig.Flow.GameKeys(keys);
    note();
    EXPECT_EQ(rig.Worker.MovesDelivered(), delivered);
    rig.PlayerMove("d2", "d4");
    rig.ComputerMove();
    note();
    // 3. "Rematch" while the player's figure glides (its search ahead already running): a fresh game.
    rig.ClickSquare("g1");
    rig.ClickSquare("f3");
    rig.Flow.AnimationStep();
    ASSERT_TRUE(s.Animating);
    rig.Flow.StartNewGame();
    ExpectFreshGame(rig);
    note();
    // 4. The mode changes in the options between the computer's move and the player's.
    rig.PlayerMove("e2", "e4");
    rig.ComputerMove();
    s.Options.Mode = 1;
    rig.Flow.StartNewGame();
    ExpectFreshGame(rig);
    rig.PlayerMove("e2", "e4");
    rig.ComputerMove();
    rig.PlayerMove("g1", "f3");
    rig.ComputerMove();
    note();
    EXPECT_EQ(rig.Worker.MovesRefused(), 0);
    if (ahead) {
      EXPECT_GT(rig.Worker.SearchesTakenOver(), 0);
    }
  }
  EXPECT_EQ(seen[0], seen[1]);
}

}  // namespace
}  // namespace zelmar::scene
