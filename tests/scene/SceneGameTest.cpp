// Whole games through the game window from the main menu, by clicks on the squares: the player's side is
// played by a search three plies deep against the real computer player one ply deep, as White and as
// Black, until the game ends. After every move the scene's board must show the engine's position. Then
// rematches and take-backs at the worst moments (the ThreadSanitizer run uses these too).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "engine/BoardRoot.h"
#include "engine/search/ChessSearch.h"
#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

using test::TSceneFormRig;

// The name of square 1..64 ("a8" ... "h1").
std::string NameOf(int square) {
  return {static_cast<char>('a' + (square - 1) % 8), static_cast<char>('8' - (square - 1) / 8)};
}

// What a search `depth` plies deep plays for the side to move of the engine's position.
std::pair<std::string, std::string> SearchedMove(const TChessBrd& board, int depth) {
  const zelmar::TSearchRoot root = zelmar::RootFromBoard(board, depth);
  auto search = std::make_unique<zelmar::TChessSearch>();
  search->SetZelmarMode(root.ZelmarMode);
  search->RunSearch(root);
  const zelmar::TSearchMove move = search->BestMove();
  return {NameOf(move.From + 1), NameOf(move.To + 1)};
}

// The scene's board against the engine's position.
void ExpectBoardInStep(TSceneFormRig& rig) {
  TSceneBoard expected;
  expected.LoadPosition(rig.Engine().Position());
  EXPECT_EQ(rig.State().Board.Squares, expected.Squares) << "engine: " << rig.Engine().Position();
}

// The promotion panel's queen box.
constexpr int kQueenChoiceX = 675, kQueenChoiceY = 626;
// A tool button's middle (1..9).
int ButtonX(int button) {
  return 32 + 50 * (button - 1);
}
constexpr int kButtonY = 31;

// Starts a game from the main menu's "Game" and waits for the player's turn.
void StartGameFromTheMenu(TSceneFormRig& rig) {
  rig.ClickAt(183, 172);
  ASSERT_EQ(rig.State().SceneMode, TSceneMode::GameScreen);
  ASSERT_TRUE(rig.Settle());
}

// Plays the player's side until the game is over or `limit` of the player's moves; returns them.
int PlayUntilTheEnd(TSceneFormRig& rig, int limit) {
  int moves = 0;
  while (rig.State().GameState != TGameState::GameOver && moves < limit) {
    EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
    rig.RunTicks(90);  // the player thinks for a second and a half: the clock counts it
    const auto [from, to] = SearchedMove(rig.Engine(), 3);
    const int half = rig.Engine().CurrentMove() * 2 + (rig.Engine().WhiteToMove() ? 0 : 1);
    rig.ClickSquare(from);
    rig.ClickSquare(to);
    if (rig.State().GameState == TGameState::ChoosePromotion) rig.ClickAt(kQueenChoiceX, kQueenChoiceY);
    EXPECT_TRUE(rig.RunUntil([&] {
      return rig.Engine().CurrentMove() * 2 + (rig.Engine().WhiteToMove() ? 0 : 1) != half;
    })) << from
        << "-" << to << " was not played";
    EXPECT_TRUE(rig.Settle());
    ExpectBoardInStep(rig);
    if (::testing::Test::HasFailure()) break;
    ++moves;
  }
  return moves;
}

// The end of a game: the result shown, the clocks stopped, the computer off both sides.
void ExpectGameOver(TSceneFormRig& rig) {
  TSceneState& state = rig.State();
  ASSERT_EQ(state.GameState, TGameState::GameOver);
  EXPECT_FALSE(state.ResultText.empty());
  EXPECT_FALSE(rig.Form().Timer1.Enabled());
  const int white = state.Board.WhiteSeconds, black = state.Board.BlackSeconds;
  EXPECT_GT(white + black, 0);
  rig.RunTicks(120);  // two seconds
  EXPECT_EQ(state.Board.WhiteSeconds, white);
  EXPECT_EQ(state.Board.BlackSeconds, black);
  EXPECT_FALSE(rig.Engine().ComputerPlaysWhite());
  EXPECT_FALSE(rig.Engine().ComputerPlaysBlack());
}

TEST(SceneGameTest, AWholeGameAsWhiteByClicksFromTheMainMenu) {
  TSceneFormRig rig;
  rig.Start();
  StartGameFromTheMenu(rig);
  EXPECT_EQ(rig.State().Board.HumanSide, 1);
  EXPECT_EQ(rig.Engine().SearchDepth(), 1);  // the settings' depth replaces the window's own
  const int played = PlayUntilTheEnd(rig, 150);
  EXPECT_GT(played, 5);
  ExpectGameOver(rig);
  // "Rematch" from the in-game window starts afresh.
  rig.PressKey(kKeyEscape);
  rig.ClickAt(513, 412);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
  EXPECT_EQ(rig.State().MenuKind, TMenuKind::NoMenu);
  EXPECT_EQ(rig.Engine().CurrentMove(), 1);
  ExpectBoardInStep(rig);
}

TEST(SceneGameTest, AWholeGameAsBlackOnTheClassicBoard) {
  TSceneFormRig rig;
  rig.Options.Army = 2;
  rig.Options.Classic = 3;  // marble; the squares are clicked on the flat board, moves are not glided
  rig.Options.Inversion = 1;
  rig.Options.Mode = 2;  // with the Zelmar
  rig.Start();
  StartGameFromTheMenu(rig);
  EXPECT_EQ(rig.State().Board.HumanSide, -1);
  EXPECT_FALSE(rig.Engine().WhiteToMove());  // the computer's first move has come
  ExpectBoardInStep(rig);
  EXPECT_GT(PlayUntilTheEnd(rig, 150), 5);
  ExpectGameOver(rig);
}

// Rematches while the computer thinks and while a move glides, take-backs and replays while it thinks:
// no reply of an abandoned search may land, and the scene's board stays the engine's.
TEST(SceneGameTest, RematchesAndTakeBacksAtTheWorstMoments) {
  TSceneFormRig rig;
  rig.Options.Depth = 3;
  rig.Start();
  StartGameFromTheMenu(rig);
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    // The player's move glides; "Rematch" in mid-glide.
    rig.ClickSquare("e2");
    rig.ClickSquare("e4");
    ASSERT_TRUE(rig.State().Animating);
    rig.PressKey(kKeyEscape);
    rig.ClickAt(513, 412);
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(rig.Engine().CurrentMove(), 1);
    EXPECT_TRUE(rig.Engine().WhiteToMove());
    ExpectBoardInStep(rig);
    // Handed over: "Rematch" as soon as the computer thinks.
    rig.ClickSquare("d2");
    rig.ClickSquare("d4");
    ASSERT_TRUE(rig.RunUntil([&] { return !rig.Engine().WhiteToMove(); }));
    rig.PressKey(kKeyEscape);
    rig.ClickAt(513, 412);
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(rig.Engine().CurrentMove(), 1);
    ExpectBoardInStep(rig);
    // Two moves played; take one back while the computer thinks, then forward again.
    ASSERT_TRUE(rig.PlayMove("g1", "f3"));
    rig.ClickSquare("b1");
    rig.ClickSquare("c3");
    ASSERT_TRUE(rig.RunUntil([&] { return !rig.Engine().WhiteToMove(); }));
    rig.ClickAt(ButtonX(7), kButtonY);  // while the computer thinks: not taken
    ASSERT_TRUE(rig.Settle());
    ExpectBoardInStep(rig);
    rig.ClickAt(ButtonX(7), kButtonY);
    rig.ClickAt(ButtonX(8), kButtonY);
    ASSERT_TRUE(rig.Settle());
    ExpectBoardInStep(rig);
    EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
    rig.PressKey(kKeyEscape);
    rig.ClickAt(513, 412);
    ASSERT_TRUE(rig.Settle());
  }
}

}  // namespace
}  // namespace zelmar::scene
