// The ends of a game through the game flow with the real engine: mate by either side, stalemate,
// threefold repetition, take-back after the end and replay to it again, and the tool buttons and keys.
#include <gtest/gtest.h>

#include <vector>

#include "scene/SceneTexts.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

// The game is over: clock stopped for good, the computer off both sides and idle.
void ExpectOver(TGameFlowRig& rig, const std::string& result) {
  EXPECT_EQ(rig.State.GameState, TGameState::GameOver);
  EXPECT_EQ(rig.State.ResultText, result);
  EXPECT_FALSE(rig.Timer1.Enabled());
  const int white = rig.State.Board.WhiteSeconds, black = rig.State.Board.BlackSeconds;
  rig.PassSeconds(5);
  EXPECT_EQ(rig.State.Board.WhiteSeconds, white);
  EXPECT_EQ(rig.State.Board.BlackSeconds, black);
  EXPECT_FALSE(rig.Engine.ComputerPlaysWhite());
  EXPECT_FALSE(rig.Engine.ComputerPlaysBlack());
  EXPECT_TRUE(rig.Settle());
  EXPECT_FALSE(rig.State.Animating);
}

// Qh3, Kb8 (forced), Qh8 mate: sounds 3, 7, 7 and the result. Left steps back to the player's move,
// Right returns to the mate only at the very end of the record, not a half-move before it, and not at
// the end of another line played after stepping back.
TEST(GameFlowEndTest, MateByThePlayerThenBackAndForward) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.SetUp(PositionWith({{"a8", 'k'}, {"b6", 'K'}, {"h2", 'Q'}}), true, true);
  rig.PlayerMove("h2", "h3");
  rig.ComputerMove();
  ASSERT_EQ(s.Board.At(Sq("b8")), -kKing);
  rig.ClickSquare("h3");
  rig.Sounds.Clips.clear();
  rig.ClickSquare("h8");
  rig.RunAnimation();
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{3, 7, 7}));
  ExpectOver(rig, "Game Over - Mate");
  TScriptedKeys keys;
  keys.JustPressed = {kKeyLeft};
  rig.Flow.GameKeys(keys);
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(StatusText(s.GameState, 1), "Your move?");
  EXPECT_EQ(s.Board.At(Sq("h3")), kQueen);
  EXPECT_EQ(s.Board.At(Sq("h8")), 0);
  EXPECT_EQ(s.Board.SideToMove, 1);
  EXPECT_EQ(s.Board.HumanSide, 1);
  EXPECT_TRUE(rig.Engine.ComputerPlaysBlack());
  // Back once more (Black to move, the player takes Black), then forward to the position before the mate.
  rig.ClickButton(7);
  EXPECT_EQ(s.Board.HumanSide, -1);
  EXPECT_EQ(s.Board.At(Sq("a8")), -kKing);
  EXPECT_TRUE(rig.Engine.ComputerPlaysWhite());
  EXPECT_TRUE(rig.Settle());
  EXPECT_FALSE(s.Animating);  // the computer is not to move
  rig.ClickButton(8);
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(s.Board.At(Sq("b8")), -kKing);
  EXPECT_EQ(s.Board.At(Sq("h3")), kQueen);
  keys.JustPressed = {kKeyRight};
  rig.Flow.GameKeys(keys);
  EXPECT_EQ(s.GameState, TGameState::GameOver);
  EXPECT_EQ(s.Board.At(Sq("h8")), kQueen);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  rig.Flow.GameKeys(keys);  // past the end: nothing more to replay
  EXPECT_EQ(s.GameState, TGameState::GameOver);
  EXPECT_EQ(s.Board.At(Sq("h8")), kQueen);
  // Back, and another line: its end is no mate, so the old result never shows there.
  keys.JustPressed = {kKeyLeft};
  rig.Flow.GameKeys(keys);
  rig.PlayerMove("h3", "d3");
  rig.ComputerMove();
  keys.JustPressed = {kKeyRight};
  rig.Flow.GameKeys(keys);
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_TRUE(s.ResultText.empty());
}

// Rb1 mate by the computer (depth 2), in Russian: check and mate sound when the engine plays it, the
// arrival sound when it lands; the clock stays stopped through the glide.
TEST(GameFlowEndTest, MateByTheComputer) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  s.Options.Lang = 2;
  s.Options.Depth = 2;
  rig.SetUp(PositionWith({{"h8", 'k'},
                          {"g7", 'p'},
                          {"h7", 'p'},
                          {"b8", 'r'},
                          {"a2", 'P'},
                          {"f2", 'P'},
                          {"g2", 'P'},
                          {"h2", 'P'},
                          {"g1", 'K'}}),
            true, true);
  rig.PlayerMove("a2", "a3");
  rig.Sounds.Clips.clear();
  ASSERT_TRUE(rig.WaitForComputerMove());
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{7, 7}));
  EXPECT_EQ(s.GameState, TGameState::GameOver);
  rig.RunAnimation();
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{7, 7, 3}));
  EXPECT_EQ(s.Board.At(s.MoveTo), -kRook);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  ExpectOver(rig, ResultTextOf(TResult::Mate, 2));
}

// Qg6 stalemates; then a king shuffle against a king that has one move each time repeats the position a
// third time on the computer's fourth move.
TEST(GameFlowEndTest, StalemateAndThreefoldRepetition) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.SetUp(PositionWith({{"h8", 'k'}, {"f7", 'K'}, {"g5", 'Q'}}), true, true);
  rig.PlayerMove("g5", "g6");
  ExpectOver(rig, "Draw - StaleMate");

  rig.SetUp(PositionWith({{"a8", 'k'}, {"a6", 'P'}, {"b6", 'P'}, {"e6", 'B'}, {"g1", 'K'}}), true, true);
  for (int round = 0; round < 4; ++round) {
    const bool out = round % 2 == 0;
    rig.PlayerMove(out ? "g1" : "h1", out ? "h1" : "g1");
    ASSERT_EQ(s.GameState, TGameState::ComputerThinking) << round;
    rig.ComputerMove();
    EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition()) << round;
  }
  ExpectOver(rig, "Draw - Threefold Position");
}

// The buttons' boxes end where they are drawn; each bound is tested before the step (0.99 -> 1.02,
// 75 -> 82, and down alike); the keys step by hundredths and single percents; Escape and button 9 open
// the in-game window.
TEST(GameFlowEndTest, ToolButtonsAndKeysAtTheirBounds) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.Flow.StartNewGame();
  const auto hover = [&](int x, int y) {
    s.CursorX = x;
    s.CursorY = y;
    rig.Flow.GameHover();
    return s.ButtonHover;
  };
  EXPECT_EQ(hover(10, 10), 1);
  EXPECT_EQ(hover(54, 53), 1);
  EXPECT_EQ(hover(55, 30), 0);
  EXPECT_EQ(hover(60, 30), 2);
  EXPECT_EQ(hover(30, 54), 0);
  EXPECT_EQ(hover(450, 30), 9);
  EXPECT_EQ(hover(470, 30), 0);  // the tenth box is not a button

  s.PieceZoom = 0.99;
  rig.ClickButton(2);
  EXPECT_NEAR(s.PieceZoom, 1.02, 1e-9);
  rig.ClickButton(2);
  EXPECT_NEAR(s.PieceZoom, 1.02, 1e-9);
  s.PieceZoom = 0.31;
  rig.ClickButton(3);
  rig.ClickButton(3);
  EXPECT_NEAR(s.PieceZoom, 0.28, 1e-9);
  s.BoardSizePercent = 75;
  rig.ClickButton(5);
  rig.ClickButton(5);
  EXPECT_EQ(s.BoardSizePercent, 82);
  s.BoardSizePercent = 28;
  rig.ClickButton(6);
  rig.ClickButton(6);
  EXPECT_EQ(s.BoardSizePercent, 21);
  rig.ClickButton(1);
  EXPECT_EQ(s.Options.Inversion, 1);
  rig.ClickButton(1);
  EXPECT_EQ(s.Options.Inversion, 2);
  s.Options.Board = 3;
  rig.ClickButton(4);
  EXPECT_EQ(s.Options.Classic, 3);
  rig.ClickButton(4);
  EXPECT_EQ(s.Options.Classic, 1);

  TScriptedKeys keys;
  keys.Down = {kKey1, kKey3};
  s.PieceZoom = 0.995;
  s.BoardSizePercent = 75;
  rig.Flow.GameKeys(keys);
  rig.Flow.GameKeys(keys);
  EXPECT_NEAR(s.PieceZoom, 1.005, 1e-9);
  EXPECT_EQ(s.BoardSizePercent, 76);
  keys.Down = {kKey2, kKey4};
  s.PieceZoom = 0.305;
  s.BoardSizePercent = 28;
  rig.Flow.GameKeys(keys);
  rig.Flow.GameKeys(keys);
  EXPECT_NEAR(s.PieceZoom, 0.295, 1e-9);
  EXPECT_EQ(s.BoardSizePercent, 27);
  EXPECT_EQ(s.MenuKind, TMenuKind::NoMenu);
  keys.Down.clear();
  keys.JustPressed = {kKeyEscape};
  rig.Flow.GameKeys(keys);
  EXPECT_EQ(s.MenuKind, TMenuKind::GameDialog);
  s.MenuKind = TMenuKind::NoMenu;
  rig.ClickButton(9);
  EXPECT_EQ(s.MenuKind, TMenuKind::GameDialog);
}

}  // namespace
}  // namespace zelmar::scene
