// The geometry of both board views: every square's centre hits that square, borders hit nothing, and the
// centres are where the corner table and round-half-to-even put them.
#include <gtest/gtest.h>

#include "scene/SceneGeometry.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

// Every square's centre hits that square on both backgrounds, with the scene origin moved; points off
// the board hit nothing.
TEST(SceneGeometryTest, PerspectiveCentresHitTheirSquares) {
  TSceneState state;
  state.Options.Classic = 1;
  state.OriginX = 128;
  state.OriginY = 64;
  for (int background : {1, 2}) {
    state.Options.Background = background;
    for (int s = 1; s <= 64; ++s) {
      const TScreenPoint c = SquareCentre(state, s);
      EXPECT_EQ(HitSquare(state, c.X - state.OriginX, c.Y - state.OriginY), s)
          << "square " << s << " background " << background;
    }
    EXPECT_EQ(HitSquare(state, 5, 5), 0);
    EXPECT_EQ(HitSquare(state, 1000, 700), 0);
  }
  // The board offset of background 2 reaches the hit test: a8's centre on background 1 lies off the
  // moved board.
  state.Options.Background = 1;
  const TScreenPoint a8 = SquareCentre(state, 1);
  state.Options.Background = 2;
  EXPECT_EQ(HitSquare(state, a8.X - state.OriginX, a8.Y - state.OriginY), 0);
}

// Centres by hand from the corner table: x1 + round((x3 - x1) / 2), y0 + round((y2 - y0) / 2), halves to
// the even neighbour, then the board offset and the origin.
TEST(SceneGeometryTest, CentresAreHandComputed) {
  TSceneState state;
  struct TCase {
    int Square, X, Y;
  };
  // a8: 276 + round(30.5) = 306, 251 + round(12.5) = 263; c8: 353 + round(29.5) = 383, 258 + 13 = 271;
  // h7: 564 + round(31.5) = 596, 304 + round(16.5) = 320; h1: 441 + 51 = 492, 535 + 42 = 577.
  for (const TCase& c : {TCase{1, 306, 263}, TCase{3, 383, 271}, TCase{16, 596, 320}, TCase{64, 492, 577}}) {
    state.Options.Background = 1;
    state.OriginX = state.OriginY = 0;
    const TScreenPoint p = SquareCentre(state, c.Square);
    EXPECT_EQ(p.X, c.X) << c.Square;
    EXPECT_EQ(p.Y, c.Y) << c.Square;
    state.Options.Background = 2;
    state.OriginX = 128;
    state.OriginY = 128;
    const TScreenPoint moved = SquareCentre(state, c.Square);
    EXPECT_EQ(moved.X, c.X + 13 + 128) << c.Square;
    EXPECT_EQ(moved.Y, c.Y + 73 + 128) << c.Square;
  }
  // A background outside the range reads as background 1; a square outside 1..64 as a8.
  state.Options.Background = 7;
  state.OriginX = state.OriginY = 0;
  EXPECT_EQ(SquareCentre(state, 1).X, 306);
  EXPECT_EQ(SquareCentre(state, 0).Y, 263);
  // Figures at the board's far edge and one table-height nearer.
  EXPECT_DOUBLE_EQ(PerspectiveScale(state, 314), 0.6 * 0.59);
  EXPECT_DOUBLE_EQ(PerspectiveScale(state, 1099), 1.6 * 0.59);
  EXPECT_EQ(PieceFrame(1), 0);
  EXPECT_EQ(PieceFrame(6), 5);
  EXPECT_EQ(PieceFrame(-1), 6);
  EXPECT_EQ(PieceFrame(-6), 11);
}

// The classic grid at two sizes and both orientations: cell centres hit their squares, the lines between
// cells hit neither neighbour, a8 lies bottom right when turned.
TEST(SceneGeometryTest, ClassicGridIsStrict) {
  TSceneState state;
  for (int classic : {2, 3}) {
    for (int inversion : {1, 2}) {
      for (int percent : {76, 27}) {
        state.Options.Classic = classic;
        state.Options.Inversion = inversion;
        state.BoardSizePercent = percent;
        for (int s = 1; s <= 64; ++s) {
          const TScreenPoint p = SquarePoint(state, s);
          EXPECT_EQ(HitSquare(state, p.X, p.Y), s) << s << " inversion " << inversion << " " << percent;
        }
      }
    }
  }
  // At 76 %: squares 68 pixels wide; column 1 spans 40 < x < 108, column 2 begins at 109.
  state.Options.Classic = 2;
  state.Options.Inversion = 2;
  state.BoardSizePercent = 76;
  const int y = SquarePoint(state, 1).Y;
  EXPECT_EQ(HitSquare(state, 41, y), 1);
  EXPECT_EQ(HitSquare(state, 40, y), 0);
  EXPECT_EQ(HitSquare(state, 108, y), 0);
  EXPECT_EQ(HitSquare(state, 109, y), 0);
  EXPECT_EQ(HitSquare(state, 110, y), 2);
  // Top edge of the board: row 1 starts below 64 + round(40 * 0.76) = 94.
  EXPECT_EQ(HitSquare(state, 60, 94), 0);
  EXPECT_EQ(HitSquare(state, 60, 95), 1);
  // Turned: a8 at the bottom right, h1 at the top left; the perspective view does not turn.
  state.Options.Inversion = 1;
  int row = 0, column = 0;
  ClassicCell(state, 1, row, column);
  EXPECT_EQ(row, 8);
  EXPECT_EQ(column, 8);
  EXPECT_EQ(HitSquare(state, 60, 95), 64);
  state.Options.Classic = 1;
  const TScreenPoint a8 = SquareCentre(state, 1);
  EXPECT_EQ(HitSquare(state, a8.X, a8.Y), 1);
}

}  // namespace
}  // namespace zelmar::scene
