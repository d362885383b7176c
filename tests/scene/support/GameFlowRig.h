// A game without a window for the scene tests: the scene state, the real engine with its computer player,
// recorded cues and the game clock on a stepped test clock, all driven through the game flow the way the
// game window's ticks drive it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"
#include "framework/GfxRounding.h"
#include "framework/platform/TestPlatform.h"
#include "scene/GameFlow.h"
#include "scene/IntervalTimer.h"
#include "scene/SceneGeometry.h"
#include "scene/SceneState.h"
#include "scene/support/RecordingSounds.h"

namespace zelmar::scene {

// Square number of a name such as "e2" (1 = a8 ... 64 = h1).
inline int Sq(std::string_view name) {
  return (8 - (name[1] - '0')) * 8 + (name[0] - 'a') + 1;
}

// A position text with the given pieces (square name and engine letter) on an otherwise empty board.
inline std::string PositionWith(std::initializer_list<std::pair<std::string_view, char>> pieces) {
  std::string text(64, ' ');
  for (const auto& [square, letter] : pieces) text[static_cast<std::size_t>(Sq(square) - 1)] = letter;
  return text;
}

// Keys set by the test: the held ones, and the ones pressed at this tick.
class TScriptedKeys : public TSceneKeys {
 public:
  std::set<int> Down, JustPressed;
  bool Held(int key) const override { return Down.count(key) > 0; }
  bool Pressed(int key) const override { return JustPressed.count(key) > 0; }
};

// The logical screen point at the middle of square s in the view in use (the classic board's cell, or the
// perspective square's centre without the origin).
inline TScreenPoint SquarePoint(const TSceneState& state, int s) {
  if (state.Options.Classic == 2 || state.Options.Classic == 3) {
    const double f = state.BoardSizePercent / 100.0;
    int row = 0, column = 0;
    ClassicCell(state, s, row, column);
    const int side = RoundHalfEven(90 * f);
    return {RoundHalfEven(((column - 1) * 90 + 40) * f) + 10 + side / 2,
            RoundHalfEven(((row - 1) * 90 + 40) * f) + 64 + side / 2};
  }
  const TScreenPoint centre = SquareCentre(state, s);
  return {centre.X - state.OriginX, centre.Y - state.OriginY};
}

struct TGameFlowRig {
  TSceneState State;
  TChessBrd Engine;
  TChessThread& Worker;
  TRecordingSounds Sounds{State.Options};
  platform::TestClock Clock;
  TIntervalTimer Timer1{Clock, 1000};
  TGameFlow Flow{State, Engine, Sounds, Timer1};

  // Standard chess at depth 1 on the perspective board, the game screen without a menu; the engine has
  // had the first paint the game window gives it at creation.
  TGameFlowRig() : Worker(AttachComputerPlayer(Engine)) {
    Engine.SetSearchDepth(1);
    Engine.NewGame();
    State.Options.Mode = 1;
    State.Options.Depth = 1;
    State.Options.Classic = 1;
    State.SceneMode = TSceneMode::GameScreen;
    State.MenuKind = TMenuKind::NoMenu;
  }

  // Moves the cursor to a logical point and gives the tick's hover and a click there.
  void ClickAt(int x, int y) {
    State.CursorX = x;
    State.CursorY = y;
    Flow.GameHover();
    Flow.GameClick();
  }
  void ClickSquare(int s) {
    const TScreenPoint p = SquarePoint(State, s);
    ClickAt(p.X, p.Y);
  }
  void ClickSquare(std::string_view name) { ClickSquare(Sq(name)); }
  // The middle of tool button 1..9.
  void ClickButton(int k) { ClickAt(32 + 50 * (k - 1), 31); }

  // Animation ticks until the moving piece has arrived (a bound far beyond any glide); returns the ticks.
  int RunAnimation() {
    int ticks = 0;
    while (State.Animating && ticks < 10000) {
      Flow.AnimationStep();
      ++ticks;
    }
    EXPECT_FALSE(State.Animating) << "the glide never ended";
    return ticks;
  }

  // Runs the computer player's calls on this thread until the condition holds; the generous deadline
  // only runs out on a real hang.
  bool RunUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      Engine.WaitForWorkerCalls(std::chrono::milliseconds(5));
      Engine.RunPendingCalls();
    }
    return true;
  }
  // Waits for the computer's move to arrive and start gliding.
  bool WaitForComputerMove() {
    return RunUntil([this] { return State.Animating; });
  }
  // Waits until the worker has posted a call (its found move) without running it.
  void WaitForPostedCall() { Engine.WaitForWorkerCalls(std::chrono::seconds(60)); }
  // Runs the worker's calls until it is parked with nothing left to deliver.
  bool Settle() {
    return RunUntil([this] { return Worker.Parked() && Engine.RunPendingCalls() == 0; });
  }

  // The player's move by two clicks, glided to the end.
  void PlayerMove(std::string_view from, std::string_view to) {
    ClickSquare(from);
    ClickSquare(to);
    EXPECT_TRUE(State.Animating) << from << "-" << to << " was not accepted";
    RunAnimation();
  }
  // The computer's reply, waited for and glided to the end.
  void ComputerMove() {
    ASSERT_TRUE(WaitForComputerMove()) << "the computer never moved";
    RunAnimation();
  }

  // A position set up in a new game: the engine's squares, side to move and castling rights, the
  // scene's copy, and the computer on the side the player leaves (searching at once when it is to move).
  void SetUp(std::string_view position, bool whiteToMove, bool humanWhite, CastleSet castling = CastleSet()) {
    State.Options.Army = 1;
    Flow.StartNewGame();
    Engine.SetPosition(position);
    Engine.SetWhiteToMove(whiteToMove);
    Engine.SetCastlingAllowed(castling);
    State.Board.LoadPosition(position);
    State.Board.SideToMove = static_cast<std::int8_t>(whiteToMove ? 1 : -1);
    State.Board.HumanSide = static_cast<std::int8_t>(humanWhite ? 1 : -1);
    // Off the side to move first, so that no search starts under a mix of sides.
    if (whiteToMove) {
      Engine.SetComputerPlaysWhite(false);
      Engine.SetComputerPlaysBlack(humanWhite);
      if (!humanWhite) Engine.SetComputerPlaysWhite(true);
    } else {
      Engine.SetComputerPlaysBlack(false);
      Engine.SetComputerPlaysWhite(!humanWhite);
      if (humanWhite) Engine.SetComputerPlaysBlack(true);
    }
  }

  // The scene's board as the engine's 64-letter position text.
  std::string ScenePosition() const {
    static constexpr std::string_view kLetters = "kqrbnp PNBRQK";
    std::string text;
    for (int s = 1; s <= 64; ++s) text += kLetters[static_cast<std::size_t>(State.Board.At(s) + 6)];
    return text;
  }

  // Moves the stepped clock on by whole seconds and lets the game clock fire.
  void PassSeconds(int seconds) {
    Clock.Advance(seconds * 1000.0);
    Timer1.Poll();
  }
};

}  // namespace zelmar::scene
