// Fonts on the test backend: loading font records, naming, TextOut through the canvas, owner errors.
#include <gtest/gtest.h>

#include "tests/framework/drawing/DrawingFixture.h"

namespace zelmar {

using namespace drawing_test;

namespace {

class Fonts : public DrawingFixture {
 protected:
  void SetUp() override {
    DrawingFixture::SetUp();
    Start();
    fonts.SetCanvas(&canvas);
  }
  // A font of four glyphs for codes 32..35 in 8 x 10 cells, advances 5, 6, 7, 8 and spacing 1.
  static std::vector<std::uint8_t> FontRecord() {
    std::vector<std::uint8_t> rec = FontRecordBytes(32, 1, {5, 6, 7, 8});
    auto image = ImageRecordBytes(10, 8, 10, 8, 10, 4, 32, 10, 1, std::vector<std::uint8_t>(320, 0xFF));
    rec.insert(rec.end(), image.begin(), image.end());
    return rec;
  }
};

}  // namespace

TEST_F(Fonts, NamesCountUpAndItemsAreAddressedByPosition) {
  EXPECT_EQ(fonts.Add()->Name, "Font00");
  TGfxFont* second = fonts.Add();
  EXPECT_EQ(second->Name, "Font01");
  fonts.Delete(0);
  EXPECT_EQ(fonts.Add()->Name, "Font02");
  EXPECT_EQ(fonts.Items(0), second);
  EXPECT_EQ(fonts.IndexOf(second), 0);
  EXPECT_EQ(fonts.Items(2), nullptr);
  EXPECT_EQ(fonts.Items(-1), nullptr);
}

TEST_F(Fonts, LoadsTheGlyphTableAndImageOnce) {
  TGfxFont* font = fonts.Add();
  ASSERT_TRUE(font->LoadFromRecord(FontRecord(), TAlphaLevel::alExclusive, TGfxQuality::aqHigh));
  EXPECT_TRUE(font->Loaded());
  EXPECT_EQ(font->GlyphCount(), 4);
  EXPECT_EQ(font->Spacing(), 1);
  EXPECT_EQ(font->Image()->Format(), TPixelFormat::pfA8);
  EXPECT_TRUE(font->Image()->MipMapping());  // whatever the image collection says
  EXPECT_FALSE(font->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh));
  TGfxFont* broken = fonts.Add();
  auto rec = FontRecord();
  rec.resize(rec.size() - 1);
  EXPECT_FALSE(broken->LoadFromRecord(rec, TAlphaLevel::alFull, TGfxQuality::aqHigh));
  EXPECT_FALSE(broken->Loaded());
  EXPECT_EQ(broken->Image(), nullptr);
}

TEST_F(Fonts, TextOutDrawsGlyphQuadsAtTheirAdvances) {
  TGfxFont* font = fonts.Add();
  ASSERT_TRUE(font->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh));
  const double end = font->TextOut(std::string("!\x01#", 3), 10, 20, 0xFF0000FF, 0xFF00FF00, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 1u);
  auto v = Vertices(Calls()[0]);
  ASSERT_EQ(v.size(), 8u);
  EXPECT_FLOAT_EQ(v[0].X, 9.5f);  // '!' at the pen, less the half texel
  EXPECT_FLOAT_EQ(v[0].Y, 19.5f);
  EXPECT_FLOAT_EQ(v[2].X, 17.5f);      // 8 wide
  EXPECT_FLOAT_EQ(v[4].X, 18.5f);      // pen 10 + 7 + 0.3 x 8 = 19.4, truncated, less the half texel
  EXPECT_FLOAT_EQ(v[4].U, 3.0f / 4);   // glyph 3
  EXPECT_EQ(v[0].Color, 0xFFFF0000u);  // top corners red
  EXPECT_EQ(v[3].Color, 0xFF00FF00u);  // bottom corners green
  EXPECT_DOUBLE_EQ(end, 10 + 7 + 2.4 + 9);
}

TEST_F(Fonts, OwnerErrorsAndUnloadedFonts) {
  TGfxFont* font = fonts.Add();
  EXPECT_NO_THROW(font->TextOut("##", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, fxBlend));  // not loaded: nothing
  ASSERT_TRUE(font->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh));
  fonts.SetCanvas(nullptr);
  try {
    font->TextOut("!", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, fxBlend);
    FAIL() << "no error";
  } catch (const EGfxFontError& e) {
    EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner.Canvas property.");
  }
  font->SetOwner(nullptr);
  try {
    font->TextOut("!", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, fxBlend);
    FAIL() << "no error";
  } catch (const EGfxFontError& e) {
    EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner property.");
  }
  font->SetOwner(&fonts);
}

TEST_F(Fonts, CanvasIsTakenFromTheOwnerAndForgottenWhenItGoes) {
  TGfxFonts lonely{&form};
  EXPECT_EQ(lonely.Canvas(), nullptr);  // the canvas existed before it
  {
    TGfxCanvas late{&form};
    EXPECT_EQ(lonely.Canvas(), &late);
  }
  EXPECT_EQ(lonely.Canvas(), nullptr);
}

TEST_F(Fonts, DestroyingTheDeviceFreesEveryFont) {
  ASSERT_TRUE(fonts.Add()->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh));
  fonts.Add();
  ASSERT_TRUE(device.Finalize());
  EXPECT_EQ(fonts.Count(), 0);
}

TEST_F(Fonts, StyleEffectsAddCopiesBehindTheGlyph) {
  TGfxFont* font = fonts.Add();
  ASSERT_TRUE(font->LoadFromRecord(FontRecord(), TAlphaLevel::alFull, TGfxQuality::aqHigh));
  font->Style = feShadow | feBold;
  font->ShadowColor = 0x00112233;
  font->TextOut("!", 10, 10, 0xFFFFFFFF, 0xFFFFFFFF, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 2u);  // the shadow modulates, the white glyphs do not
  auto shadow = Vertices(Calls()[0]);
  EXPECT_FLOAT_EQ(shadow[0].X, 11.5f);
  EXPECT_EQ(shadow[0].Color, 0x80332211u);
  EXPECT_EQ(Vertices(Calls()[1]).size(), 12u);  // two bold copies and the glyph
}

}  // namespace zelmar
