// Pattern grid layout and pattern-to-texture-coordinate mapping.
#include <gtest/gtest.h>

#include "framework/GfxPatternGrid.h"

namespace zelmar {

namespace {

TPatternGrid Grid(int tex, int pattern, int visible, int textures, int count = 0) {
  TPatternGrid g;
  g.TextureWidth = g.TextureHeight = tex;
  g.PatternWidth = g.PatternHeight = pattern;
  g.VisibleWidth = g.VisibleHeight = visible;
  g.TextureCount = textures;
  g.PatternCount = count;
  return g;
}

}  // namespace

TEST(PatternGrid, SixteenCellsPerTextureContinueOnTheNext) {
  TPatternGrid g = Grid(256, 64, 64, 2);
  ASSERT_TRUE(g.Layout());
  EXPECT_EQ(g.PatternsPerRow, 4);
  EXPECT_EQ(g.PatternsPerTexture, 16);
  EXPECT_EQ(g.PatternCount, 32);
  auto c = g.Map({.Pattern = 17});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->TextureIndex, 1);
  EXPECT_FLOAT_EQ(c->U[0], 0.25f);  // cell (1, 0)
  EXPECT_FLOAT_EQ(c->V[0], 0.0f);
  EXPECT_FLOAT_EQ(c->U[2], 0.5f);
  EXPECT_FLOAT_EQ(c->V[2], 0.25f);
}

TEST(PatternGrid, VisibleAreaIsCentredInItsCell) {
  TPatternGrid g = Grid(256, 70, 64, 1);
  ASSERT_TRUE(g.Layout());
  auto c = g.Map({.Pattern = 0});
  ASSERT_TRUE(c);
  EXPECT_FLOAT_EQ(c->U[0] * 256, 3.0f);
  EXPECT_FLOAT_EQ(c->V[0] * 256, 3.0f);
  EXPECT_FLOAT_EQ(c->U[1] * 256, 67.0f);
  EXPECT_FLOAT_EQ(c->V[3] * 256, 67.0f);
}

TEST(PatternGrid, PatternsOutsideTheRangeAreClamped) {
  TPatternGrid g = Grid(256, 64, 64, 1);
  ASSERT_TRUE(g.Layout());
  auto first = g.Map({.Pattern = 0}), below = g.Map({.Pattern = -5});
  auto last = g.Map({.Pattern = 15}), beyond = g.Map({.Pattern = 99});
  ASSERT_TRUE(below && beyond);
  EXPECT_EQ(below->U, first->U);
  EXPECT_EQ(below->V, first->V);
  EXPECT_EQ(beyond->U, last->U);
  EXPECT_EQ(beyond->V, last->V);
}

TEST(PatternGrid, SourceRectMirrorAndFlip) {
  TPatternGrid g = Grid(128, 64, 64, 1);
  ASSERT_TRUE(g.Layout());
  auto c = g.Map({.Pattern = 3,
                  .SourceX = 8,
                  .SourceY = 16,
                  .SourceWidth = 32,
                  .SourceHeight = 16,
                  .Mirror = true,
                  .Flip = true});
  ASSERT_TRUE(c);
  // Cell (1, 1) starts at 64, 64; the part spans x 72..104 and y 80..96, swapped by mirror and flip.
  EXPECT_FLOAT_EQ(c->U[0] * 128, 104.0f);
  EXPECT_FLOAT_EQ(c->U[1] * 128, 72.0f);
  EXPECT_FLOAT_EQ(c->V[0] * 128, 96.0f);
  EXPECT_FLOAT_EQ(c->V[2] * 128, 80.0f);
  EXPECT_EQ(c->U[0], c->U[3]);
  EXPECT_EQ(c->V[0], c->V[1]);
}

TEST(PatternGrid, DefaultsAndRefusedLayouts) {
  TPatternGrid whole = Grid(256, 0, 0, 1);
  ASSERT_TRUE(whole.Layout());
  EXPECT_EQ(whole.PatternWidth, 256);
  EXPECT_EQ(whole.VisibleHeight, 256);
  EXPECT_EQ(whole.PatternCount, 1);

  TPatternGrid tooBig = Grid(64, 128, 64, 1);
  EXPECT_FALSE(tooBig.Layout());
  TPatternGrid visibleTooBig = Grid(256, 64, 70, 1);
  EXPECT_FALSE(visibleTooBig.Layout());
  TPatternGrid empty = Grid(256, 64, 64, 1);
  empty.TextureWidth = 0;
  EXPECT_FALSE(empty.Layout());
}

TEST(PatternGrid, NothingToMapWithoutTexturesOrPatterns) {
  TPatternGrid none = Grid(256, 64, 64, 0);
  ASSERT_TRUE(none.Layout());
  EXPECT_FALSE(none.Map({.Pattern = 0}));
  // A stored pattern count beyond the textures never reaches a missing texture.
  TPatternGrid overcount = Grid(256, 64, 64, 1, 40);
  ASSERT_TRUE(overcount.Layout());
  EXPECT_FALSE(overcount.Map({.Pattern = 20}));
  EXPECT_TRUE(overcount.Map({.Pattern = 15}));
}

}  // namespace zelmar
