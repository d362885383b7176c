// Text layout of bitmap fonts: glyph choice by code point, the replacement mark for missing characters and
// broken UTF-8, blanks, scale, interleave, the cell's reach and the three colour tags.
#include <gtest/gtest.h>

#include <random>
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

// A font of printable ASCII (glyph 0 the space), the Cyrillic А..я and, last, the replacement character.
std::vector<char32_t> CodePoints() {
  std::vector<char32_t> codes;
  for (char32_t c = U' '; c <= U'~'; ++c) codes.push_back(c);
  for (char32_t c = U'А'; c <= U'я'; ++c) codes.push_back(c);
  codes.push_back(kReplacementCharacter);
  return codes;
}
const std::vector<char32_t> kCodePoints = CodePoints();
const std::vector<TGlyphKey> kKeys = SortedGlyphKeys(kCodePoints);
const std::vector<std::int32_t> kAdvances(kCodePoints.size(), 10);
const int kMark = static_cast<int>(kCodePoints.size()) - 1;

// The font without a mark: a character it lacks is a blank.
TTextMetrics Metrics() {
  TTextMetrics m;
  m.Glyphs = kKeys;
  m.Advances = kAdvances;
  m.VisibleWidth = 16;
  m.VisibleHeight = 20;
  return m;
}

// The same font drawing its replacement glyph for what it lacks.
TTextMetrics MarkedMetrics() {
  TTextMetrics m = Metrics();
  m.Replacement = ReplacementGlyph(kKeys);
  return m;
}

}  // namespace

TEST(TextLayout, SpaceIsGlyphZeroAndWithoutAMarkMissingCharactersAreBlanks) {
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

TEST(TextLayout, Utf8CharactersFindTheirGlyphsByCodePoint) {
  TTextMetrics m = Metrics();
  Layout l = Lay(m, "Аz я");
  ASSERT_EQ(l.quads.size(), 4u);
  EXPECT_EQ(l.quads[0].Pattern, 95);        // А, after the 95 ASCII glyphs
  EXPECT_EQ(l.quads[1].Pattern, 'z' - 32);  // a two-byte character takes one pen step
  EXPECT_EQ(l.quads[1].X, 10);
  EXPECT_EQ(l.quads[3].Pattern, 95 + 63);  // я
  EXPECT_FALSE(l.quads[3].Replaced);
  EXPECT_DOUBLE_EQ(l.pen, 40);
  // A glyph past the advance table is missing too.
  std::vector<std::int32_t> shortTable(10, 10);
  m.Advances = shortTable;
  EXPECT_TRUE(Lay(m, "А").quads.empty());
}

TEST(TextLayout, MissingCharactersAndBrokenUtf8DrawTheMark) {
  const TTextMetrics m = MarkedMetrics();
  EXPECT_EQ(m.Replacement, kMark);
  // A character outside the font (Ž), a stray continuation byte, a lead byte cut short by the next
  // character, an overlong slash, a surrogate, and a sequence cut short by the end of the text.
  const std::string text =
      std::string("a\u017D") + "b\x80" + "c\xC3" + "d\xC0\xAF" + "e\xED\xA0\x80" + "f\xE2\x82";
  Layout l = Lay(m, text);
  std::string drawn;
  int marks = 0;
  for (const TGlyphQuad& q : l.quads) {
    if (q.Replaced) {
      EXPECT_EQ(q.Pattern, kMark);
      ++marks;
    } else {
      drawn += static_cast<char>(q.Pattern + 32);
    }
  }
  EXPECT_EQ(drawn, "abcdef");  // no character after a broken one is swallowed
  EXPECT_EQ(marks, 1 + 1 + 1 + 2 + 3 + 1);
  const TTextExtent extent = MeasureText(m, text);
  EXPECT_EQ(extent.Replaced, marks);
  EXPECT_DOUBLE_EQ(extent.Width, l.pen);
  EXPECT_EQ(MeasureText(m, "Ая").Replaced, 0);
  // A font without U+FFFD marks with its '?'.
  const std::vector<TGlyphKey> ascii = SortedGlyphKeys(std::span(kCodePoints).first(95));
  EXPECT_EQ(ReplacementGlyph(ascii), '?' - 32);
}

TEST(TextLayout, RandomBytesNeverLeaveTheFontOrTheText) {
  std::mt19937 random(20240611);
  const TTextMetrics m = MarkedMetrics();
  for (int run = 0; run < 2000; ++run) {
    std::string text(static_cast<std::size_t>(random() % 24), '\0');
    for (char& c : text) c = static_cast<char>(random() % 256);
    int replaced = 0;
    double lastX = -1;
    const double pen = LayoutText(
        m, text, 0, 0, 0, 0,
        [&](const TGlyphQuad& q) {
          ASSERT_GE(q.Pattern, 0);
          ASSERT_LT(q.Pattern, static_cast<int>(kAdvances.size()));
          EXPECT_GT(q.X, lastX);
          lastX = q.X;
        },
        &replaced);
    // Every character steps the pen by one advance; there are never more characters than bytes.
    EXPECT_LE(pen, 10.0 * static_cast<double>(text.size()));
    EXPECT_LE(replaced, static_cast<int>(text.size()));
  }
}

TEST(TextLayout, TheCellReachesLeftOfThePenAndAboveTheLine) {
  TTextMetrics m = Metrics();
  m.CellLeft = 1;
  m.CellTop = 2;
  Layout l = Lay(m, "AB", 5.5, 7.2);
  ASSERT_EQ(l.quads.size(), 2u);
  EXPECT_EQ(l.quads[0].X, 4);
  EXPECT_EQ(l.quads[0].Y, 5);
  EXPECT_EQ(l.quads[1].X, 14);
  EXPECT_DOUBLE_EQ(l.pen, 25.5);  // the advances do not change
  m.Scale = 2;
  EXPECT_EQ(Lay(m, "A", 10, 10).quads[0].Y, 6);
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
