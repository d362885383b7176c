// Text layout of bitmap fonts: glyph choice, blanks, scale, interleave and the three colour tags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GfxRounding.h"
#include "framework/GfxTextLayout.h"

namespace zelmar {

namespace {

struct Layout {
  std::vector<TGlyphQuad> quads;
  double pen = 0;
};

Layout Lay(const TTextMetrics& m, std::string_view text, double x = 0, double y = 0,
           std::uint32_t top = 0xFFFFFFFF, std::uint32_t bottom = 0xFFFFFFFF) {
  Layout out;
  out.pen = LayoutText(m, text, x, y, top, bottom, [&](const TGlyphQuad& q) { out.quads.push_back(q); });
  return out;
}

const std::vector<std::int32_t> kAdvances(224, 10);

TTextMetrics Metrics() {
  TTextMetrics m;
  m.Advances = kAdvances;
  m.VisibleWidth = 16;
  m.VisibleHeight = 20;
  return m;
}

}  // namespace

TEST(TextLayout, SpaceIsGlyphZeroAndControlBytesAreBlanks) {
  TTextMetrics m = Metrics();
  Layout l = Lay(m, std::string(" \x01", 2), 5, 7);
  ASSERT_EQ(l.quads.size(), 1u);
  EXPECT_EQ(l.quads[0].Pattern, 0);
  EXPECT_EQ(l.quads[0].X, 5);
  EXPECT_EQ(l.quads[0].Y, 7);
  EXPECT_EQ(l.quads[0].Width, 16);
  EXPECT_EQ(l.quads[0].Height, 20);
  EXPECT_DOUBLE_EQ(l.pen, 5 + 10 + 16 * 0.3);
}

TEST(TextLayout, HighBytesIndexGlyphsAsUnsigned) {
  TTextMetrics m = Metrics();
  Layout l = Lay(m, "\xC0\xFF");  // Cyrillic capital A and small ya in Windows-1251
  ASSERT_EQ(l.quads.size(), 2u);
  EXPECT_EQ(l.quads[0].Pattern, 0xC0 - 32);
  EXPECT_EQ(l.quads[1].Pattern, 223);
  std::vector<std::int32_t> shortTable(10, 10);
  m.Advances = shortTable;
  EXPECT_TRUE(Lay(m, "\xC0").quads.empty());
}

TEST(TextLayout, ScaleSpacingAndInterleave) {
  TTextMetrics m = Metrics();
  m.Spacing = 1;
  m.Scale = 2;
  Layout l = Lay(m, "AB", 0.75, 3.9);
  ASSERT_EQ(l.quads.size(), 2u);
  EXPECT_EQ(l.quads[0].X, 0);  // truncated pen
  EXPECT_EQ(l.quads[0].Y, 3);
  EXPECT_EQ(l.quads[0].Width, 32);
  EXPECT_EQ(l.quads[1].X, 22);  // 0.75 + 22
  EXPECT_DOUBLE_EQ(l.pen, 0.75 + 44);
  m.Interleave = 0.5;
  EXPECT_DOUBLE_EQ(Lay(m, "AB").pen, 2 * (11.5 * 2));
  m.Scale = 1.5;
  m.VisibleWidth = 5;
  m.VisibleHeight = 3;
  Layout odd = Lay(m, "A");
  EXPECT_EQ(odd.quads[0].Width, 8);   // 7.5 rounds to even 8
  EXPECT_EQ(odd.quads[0].Height, 4);  // 4.5 rounds to even 4
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(GlyphOrigin(-1.5), -1);
}

TEST(TextLayout, TopColourTagSwitchesTheRestAndDrawsTheNextCharacter) {
  TTextMetrics m = Metrics();
  Layout l = Lay(m, "ab#$FF0000FFcd", 0, 0, 0xFFFFFFFF, 0xFF00FF00);
  ASSERT_EQ(l.quads.size(), 4u);
  EXPECT_EQ(l.quads[1].TopColor, 0xFFFFFFFFu);
  EXPECT_EQ(l.quads[2].Pattern, 'c' - 32);
  EXPECT_EQ(l.quads[2].TopColor, 0xFF0000FFu);
  EXPECT_EQ(l.quads[2].BottomColor, 0xFF00FF00u);
  EXPECT_EQ(l.quads[3].TopColor, 0xFF0000FFu);
  EXPECT_EQ(l.quads[2].X, 20);  // the tag itself takes no room
}

TEST(TextLayout, BottomAndBothTagsAndInvalidDigits) {
  TTextMetrics m = Metrics();
  Layout l = Lay(m, "&$11223344ab0x55667788cd", 0, 0, 1, 2);
  ASSERT_EQ(l.quads.size(), 4u);
  EXPECT_EQ(l.quads[0].TopColor, 1u);
  EXPECT_EQ(l.quads[0].BottomColor, 0x11223344u);
  EXPECT_EQ(l.quads[2].TopColor, 0x55667788u);
  EXPECT_EQ(l.quads[2].BottomColor, 0x55667788u);
  // A bad number leaves one-colour tags alone and sets both colours to the bottom one for "0x".
  Layout bad = Lay(m, "#$XYZ00000ab0x0000000Gcd", 0, 0, 1, 2);
  ASSERT_EQ(bad.quads.size(), 4u);
  EXPECT_EQ(bad.quads[0].TopColor, 1u);
  EXPECT_EQ(bad.quads[2].TopColor, 2u);
  EXPECT_EQ(bad.quads[2].BottomColor, 2u);
}

TEST(TextLayout, TagNearTheEndIsOrdinaryText) {
  TTextMetrics m = Metrics();
  // Ten characters after the tag start: not a tag; eleven: a tag.
  EXPECT_EQ(Lay(m, "#$FF0000FFc").quads.size(), 11u);
  Layout tagged = Lay(m, "#$FF0000FFcd", 0, 0, 7, 7);
  ASSERT_EQ(tagged.quads.size(), 2u);
  EXPECT_EQ(tagged.quads[0].TopColor, 0xFF0000FFu);
  m.TextTags = false;
  EXPECT_EQ(Lay(m, "#$FF0000FFcd").quads.size(), 12u);
}

}  // namespace zelmar
