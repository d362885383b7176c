// Moves through the game flow with the real engine and computer player: the opening as either colour,
// captures and en passant by both sides, both castlings, promotions by the player and by the computer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/SceneTexts.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

// Player White: selection, refused targets, the glide, the hand-over, the clock, the computer's reply.
TEST(GameFlowMovesTest, OpeningAsWhite) {
  TGameFlowRig rig;
  rig.Flow.StartNewGame();
  TSceneState& s = rig.State;
  EXPECT_EQ(StatusText(s.GameState, 1), "Your move?");
  EXPECT_TRUE(rig.Timer1.Enabled());
  // Nothing selected: the opponent's piece and an empty square do nothing.
  rig.ClickSquare("e7");
  rig.ClickSquare("e4");
  EXPECT_EQ(s.SelectedSquare, 0);
  EXPECT_TRUE(rig.Sounds.Clips.empty());
  // Selecting restarts the portrait; another own piece moves the selection.
  s.PortraitScale = 1.0;
  rig.ClickSquare("d2");
  rig.ClickSquare("e2");
  EXPECT_EQ(s.SelectedSquare, Sq("e2"));
  EXPECT_EQ(s.PanelPiece, kPawn);
  EXPECT_EQ(s.PortraitScale, 6.0);
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{3, 3}));
  // An illegal target keeps the selection, silently.
  rig.ClickSquare("e5");
  EXPECT_FALSE(s.Animating);
  EXPECT_EQ(s.SelectedSquare, Sq("e2"));
  EXPECT_EQ(rig.Sounds.Clips.size(), 2u);
  // The legal target: the pawn leaves e2 and glides, the clock stands still.
  rig.ClickSquare("e4");
  ASSERT_TRUE(s.Animating);
  EXPECT_EQ(s.Board.At(Sq("e2")), 0);
  EXPECT_EQ(s.SelectedSquare, 0);
  EXPECT_FALSE(rig.Timer1.Enabled());
  const double startY = s.Glide.AnimPosY;
  rig.Flow.AnimationStep();
  EXPECT_DOUBLE_EQ(std::fabs(s.Glide.AnimPosY - startY), 5.0);  // the longer axis, 5 pixels per tick
  rig.PassSeconds(3);
  EXPECT_EQ(s.Board.WhiteSeconds, 0);
  rig.RunAnimation();
  // Arrival: sound, the engine has the move, the computer thinks while the clock runs for Black.
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{3, 3, 3}));
  EXPECT_EQ(s.Board.At(Sq("e4")), kPawn);
  EXPECT_EQ(rig.Engine.PieceAt(Square::E4), 'P');
  EXPECT_EQ(s.GameState, TGameState::ComputerThinking);
  EXPECT_EQ(StatusText(s.GameState, 1), "Please wait. Thinking...");
  EXPECT_EQ(s.Board.SideToMove, -1);
  rig.Flow.StepBack();  // refused while the computer thinks
  EXPECT_EQ(rig.Engine.PieceAt(Square::E4), 'P');
  rig.PassSeconds(2);
  EXPECT_EQ(s.Board.BlackSeconds, 2);
  // The reply glides in; then it is the player's move again.
  ASSERT_TRUE(rig.WaitForComputerMove());
  EXPECT_LT(s.PanelPiece, 0);
  EXPECT_EQ(s.Board.At(s.MoveFrom), 0);
  rig.RunAnimation();
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(s.Board.SideToMove, 1);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  EXPECT_TRUE(rig.Timer1.Enabled());
}

// Player Black: the computer searches at once while the status asks for the player's move; a Black piece
// can be selected but not moved; its first move counts to Black's clock; on the classic board the move
// arrives on the next tick.
TEST(GameFlowMovesTest, OpeningAsBlackOnTheClassicBoard) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  s.Options.Army = 2;
  s.Options.Classic = 2;
  rig.Flow.StartNewGame();
  EXPECT_EQ(s.Board.SideToMove, -1);
  EXPECT_EQ(s.Board.HumanSide, -1);
  EXPECT_TRUE(rig.Engine.ComputerPlaysWhite());
  EXPECT_FALSE(rig.Engine.ComputerPlaysBlack());
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  rig.ClickSquare("e7");
  EXPECT_EQ(s.SelectedSquare, Sq("e7"));
  rig.ClickSquare("e5");
  EXPECT_FALSE(s.Animating);
  rig.PassSeconds(2);
  EXPECT_EQ(s.Board.BlackSeconds, 2);
  EXPECT_EQ(s.Board.WhiteSeconds, 0);
  ASSERT_TRUE(rig.WaitForComputerMove());
  EXPECT_EQ(s.SelectedSquare, 0);
  EXPECT_EQ(rig.RunAnimation(), 1);
  EXPECT_EQ(s.Board.SideToMove, -1);
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  rig.PlayerMove("e7", "e5");
  EXPECT_EQ(s.GameState, TGameState::ComputerThinking);
  EXPECT_EQ(rig.Engine.PieceAt(Square::E5), 'p');
  rig.ComputerMove();
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
}

// A plain capture, the player's en passant and the computer's (its only move): the taken pawn vanishes
// when the capturing pawn arrives, and the scene agrees with the engine.
TEST(GameFlowMovesTest, CapturesAndEnPassantByBothSides) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  // 1. exd5.
  rig.SetUp(PositionWith({{"a8", 'k'}, {"d5", 'p'}, {"e4", 'P'}, {"h1", 'K'}}), true, true);
  rig.Sounds.Clips.clear();
  rig.PlayerMove("e4", "d5");
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{3, 3, 4}));
  EXPECT_EQ(s.Board.At(Sq("d5")), kPawn);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  // 2. exd6 en passant after Black's d7-d5.
  rig.SetUp(PositionWith({{"a8", 'k'}, {"d5", 'p'}, {"e5", 'P'}, {"h1", 'K'}}), true, true);
  rig.Engine.SetEnPassant(Square::D6);
  rig.Sounds.Clips.clear();
  rig.PlayerMove("e5", "d6");
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{3, 3, 4}));
  EXPECT_EQ(s.Board.At(Sq("d6")), kPawn);
  EXPECT_EQ(s.Board.At(Sq("d5")), 0);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
  // 3. After e2-e4 Black's king is boxed in and d4xe3 en passant is its only move.
  rig.SetUp(PositionWith({{"a8", 'k'}, {"d7", 'N'}, {"b6", 'K'}, {"d4", 'p'}, {"d3", 'B'}, {"e2", 'P'}}),
            true, true);
  rig.PlayerMove("e2", "e4");
  rig.Sounds.Clips.clear();
  rig.ComputerMove();
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{4, 3}));
  EXPECT_EQ(s.MoveFrom, Sq("d4"));
  EXPECT_EQ(s.Board.At(Sq("e3")), -kPawn);
  EXPECT_EQ(s.Board.At(Sq("e4")), 0);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
}

// The king glides two squares and the rook jumps over it on arrival, both wings, both colours.
TEST(GameFlowMovesTest, CastlingRookJumps) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  const std::string white =
      PositionWith({{"a8", 'k'}, {"h7", 'p'}, {"a1", 'R'}, {"e1", 'K'}, {"h1", 'R'}, {"a2", 'P'}});
  const std::string black =
      PositionWith({{"a8", 'r'}, {"e8", 'k'}, {"h8", 'r'}, {"h7", 'p'}, {"a1", 'K'}, {"a2", 'P'}});
  const CastleSet whiteRights{WhiteKingSide, WhiteQueenSide}, blackRights{BlackKingSide, BlackQueenSide};
  struct TCase {
    const std::string& Position;
    bool White;
    const char *From, *To, *RookFrom, *RookTo;
  };
  for (const TCase& c :
       {TCase{white, true, "e1", "g1", "h1", "f1"}, TCase{white, true, "e1", "c1", "a1", "d1"},
        TCase{black, false, "e8", "g8", "h8", "f8"}, TCase{black, false, "e8", "c8", "a8", "d8"}}) {
    rig.SetUp(c.Position, c.White, c.White, c.White ? whiteRights : blackRights);
    rig.PlayerMove(c.From, c.To);
    const int side = c.White ? 1 : -1;
    EXPECT_EQ(s.Board.At(Sq(c.To)), side * kKing) << c.To;
    EXPECT_EQ(s.Board.At(Sq(c.RookTo)), side * kRook) << c.To;
    EXPECT_EQ(s.Board.At(Sq(c.RookFrom)), 0) << c.To;
    EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition()) << c.To;
    EXPECT_EQ(s.GameState, TGameState::ComputerThinking);
  }
}

// The player's pawn arrives and waits for the choice (a click beside the boxes does nothing); the knight
// chosen is shown and the engine gets "N". The computer's pawn (its only move) is shown as a queen.
TEST(GameFlowMovesTest, PromotionsPlayerKnightComputerQueen) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  rig.SetUp(PositionWith({{"h8", 'k'}, {"h7", 'p'}, {"b7", 'P'}, {"a1", 'K'}}), true, true);
  rig.PlayerMove("b7", "b8");
  EXPECT_EQ(s.GameState, TGameState::ChoosePromotion);
  EXPECT_EQ(StatusText(s.GameState, 1), "Please select piece");
  EXPECT_EQ(s.Board.At(Sq("b8")), kPawn);
  EXPECT_EQ(s.Board.SideToMove, 1);
  EXPECT_EQ(rig.Engine.PieceAt(Square::B7), 'P');  // not handed over yet
  rig.Sounds.Clips.clear();
  rig.ClickAt(675, 376);  // between the knight's and the bishop's boxes
  EXPECT_EQ(s.PromotionHover, 0);
  EXPECT_EQ(s.GameState, TGameState::ChoosePromotion);
  rig.ClickAt(675, 326);  // the knight's box
  EXPECT_EQ(rig.Sounds.Clips, (std::vector<int>{5}));
  EXPECT_EQ(s.Board.At(Sq("b8")), kKnight);
  EXPECT_EQ(s.Board.PromotionLetter, 'N');
  EXPECT_EQ(rig.Engine.PieceAt(Square::B8), 'N');
  EXPECT_EQ(s.GameState, TGameState::ComputerThinking);
  EXPECT_EQ(s.Board.SideToMove, -1);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());

  rig.SetUp(PositionWith({{"a8", 'k'}, {"d7", 'N'}, {"b6", 'K'}, {"g2", 'p'}, {"c2", 'P'}}), true, true);
  rig.PlayerMove("c2", "c3");
  rig.ComputerMove();
  EXPECT_EQ(s.Board.At(Sq("g1")), -kQueen);
  EXPECT_EQ(rig.Engine.PieceAt(Square::G1), 'q');
  EXPECT_EQ(s.Board.PromotionLetter, 'q');
  EXPECT_EQ(s.GameState, TGameState::HumanToMove);
  EXPECT_EQ(rig.ScenePosition(), rig.Engine.GetPosition());
}

}  // namespace
}  // namespace zelmar::scene
