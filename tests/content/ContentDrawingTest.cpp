// Painting, text and figure models of the content kit.
#include <gtest/gtest.h>

#include <cmath>

#include "content/kit/FigureModel.h"
#include "content/kit/FigureRenderer.h"
#include "content/kit/Image.h"
#include "content/kit/Paint.h"
#include "content/kit/Typeface.h"

namespace zelmar {

using namespace content;

TEST(ContentPaint, EdgesAreAntiAliasedAndCompositingIsPremultiplied) {
  // A square from x = 0 to 2.5: the pixel cut by its edge is half covered.
  const std::vector<Pt> square = {{0, 0}, {2.5f, 0}, {2.5f, 4}, {0, 4}};
  EXPECT_FLOAT_EQ(PolygonCoverage(square, 1, 1), 1.f);
  EXPECT_FLOAT_EQ(PolygonCoverage(square, 2, 1), 0.5f);
  EXPECT_FLOAT_EQ(PolygonCoverage(square, 3, 1), 0.f);
  Image img(1, 1, Premultiplied(0, 0, 1));
  img.Blend(0, 0, Premultiplied(1, 0, 0, 0.5f));
  EXPECT_FLOAT_EQ(img.At(0, 0).R, 0.5f);
  EXPECT_FLOAT_EQ(img.At(0, 0).B, 0.5f);
  EXPECT_FLOAT_EQ(img.At(0, 0).A, 1.f);
  EXPECT_EQ(ToArgb(Premultiplied(1, 0.5f, 0, 0.5f)), 0x80FF8000u);
  EXPECT_EQ(ToArgb(Rgba{}), 0u);
}

TEST(ContentPaint, ResizeKeepsTheAverageAndBlurKeepsTheSum) {
  Image img(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) img.At(x, y) = (x + y) % 2 ? Premultiplied(1, 1, 1) : Premultiplied(0, 0, 0);
  const Image small = Resize(img, 2, 2);
  EXPECT_NEAR(small.At(0, 0).R, 0.5f, 1e-5f);
  EXPECT_NEAR(small.At(1, 1).A, 1.f, 1e-5f);
  Image dot(21, 21);
  dot.At(10, 10) = Rgba{1, 1, 1, 1};
  const Image soft = Blur(dot, 2);
  float sum = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) sum += soft.At(x, y).A;
  EXPECT_NEAR(sum, 1.f, 1e-4f);
  EXPECT_LT(soft.At(10, 10).A, 0.2f);
}

TEST(ContentText, Utf8DecodesAndTypefacesMeasure) {
  EXPECT_EQ(DecodeUtf8("Zе№"), std::u32string(U"Zе№"));
  EXPECT_EQ(DecodeUtf8("a\xE2\x82"), std::u32string(U"a\uFFFD"));  // cut short: one mark, nothing read past
  const Typeface face(DejavuPath("DejaVuSans.ttf"), 20);
  EXPECT_TRUE(face.HasGlyph(U'Ж'));
  EXPECT_GT(face.Measure("WWW"), face.Measure("iii"));
  EXPECT_THROW(Typeface("/nonexistent.ttf", 12), std::runtime_error);
}

TEST(ContentFigures, ModelsStandOnTheirFootAndMirrorExactly) {
  for (FigureKind k : {FigureKind::Pawn, FigureKind::Knight, FigureKind::Bishop, FigureKind::Rook,
                       FigureKind::Queen, FigureKind::King, FigureKind::Zelmar}) {
    const FigureModel m = MakeFigure(k);
    EXPECT_LT(m.Field({0, 2, 0}).D, 0) << "solid at the foot centre";
    EXPECT_GT(m.Field({0, m.Body.Height() + 12, 0}).D, 0) << "empty above the top";
    EXPECT_GT(m.Body.Radius(1), 18);
    EXPECT_LE(m.Body.Radius(1), 27);
  }
  FigureModel knight = MakeFigure(FigureKind::Knight);
  const V3 p{-20, 70, 3};
  const float d = knight.Field(p).D;
  knight.Mirrored = true;
  EXPECT_FLOAT_EQ(knight.Field({20, 70, 3}).D, d);
  EXPECT_TRUE(MakeFigure(FigureKind::Queen).Body.TrimAt(131));
  EXPECT_FALSE(MakeFigure(FigureKind::Queen).Body.TrimAt(50));
}

TEST(ContentFigures, RenderedFootLandsOnTheRequestedPoint) {
  FigureView v;
  v.Width = 60;
  v.Height = 100;
  v.FootX = 20;
  v.FootY = 90;
  v.Scale = 0.5f;
  v.Samples = 1;
  v.Shadow = 0;
  const Image img = RenderFigure(MakeFigure(FigureKind::Pawn), Army::Brunettes, v);
  EXPECT_GT(img.At(20, 88).A, 0.9f);
  EXPECT_LT(img.At(20, 95).A, 0.1f);
  EXPECT_LT(img.At(50, 88).A, 0.1f);
  // Ebony reads dark, ivory light.
  const Image ivory = RenderFigure(MakeFigure(FigureKind::Pawn), Army::Blondes, v);
  EXPECT_GT(ivory.At(20, 80).R, img.At(20, 80).R + 0.3f);
}

}  // namespace zelmar
