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
  EXPECT_FLOAT_EQ(polygonCoverage(square, 1, 1), 1.f);
  EXPECT_FLOAT_EQ(polygonCoverage(square, 2, 1), 0.5f);
  EXPECT_FLOAT_EQ(polygonCoverage(square, 3, 1), 0.f);
  Image img(1, 1, rgba(0, 0, 1));
  img.blend(0, 0, rgba(1, 0, 0, 0.5f));
  EXPECT_FLOAT_EQ(img.at(0, 0).r, 0.5f);
  EXPECT_FLOAT_EQ(img.at(0, 0).b, 0.5f);
  EXPECT_FLOAT_EQ(img.at(0, 0).a, 1.f);
  EXPECT_EQ(toArgb(rgba(1, 0.5f, 0, 0.5f)), 0x80FF8000u);
  EXPECT_EQ(toArgb(Rgba{}), 0u);
}

TEST(ContentPaint, ResizeKeepsTheAverageAndBlurKeepsTheSum) {
  Image img(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) img.at(x, y) = (x + y) % 2 ? rgba(1, 1, 1) : rgba(0, 0, 0);
  const Image small = resize(img, 2, 2);
  EXPECT_NEAR(small.at(0, 0).r, 0.5f, 1e-5f);
  EXPECT_NEAR(small.at(1, 1).a, 1.f, 1e-5f);
  Image dot(21, 21);
  dot.at(10, 10) = Rgba{1, 1, 1, 1};
  const Image soft = blur(dot, 2);
  float sum = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) sum += soft.at(x, y).a;
  EXPECT_NEAR(sum, 1.f, 1e-4f);
  EXPECT_LT(soft.at(10, 10).a, 0.2f);
}

TEST(ContentText, CodePageMapsLatinAndCyrillic) {
  EXPECT_EQ(cp1251ToUnicode('A'), U'A');
  EXPECT_EQ(cp1251ToUnicode(0xC0), U'А');
  EXPECT_EQ(cp1251ToUnicode(0xFF), U'я');
  EXPECT_EQ(cp1251ToUnicode(0xA8), U'Ё');
  EXPECT_EQ(cp1251ToUnicode(0xB9), U'№');
  EXPECT_EQ(cp1251ToUnicode(0x98), 0u);
  EXPECT_EQ(decodeUtf8("Zе№"), std::u32string(U"Zе№"));
  const Typeface face(dejavuPath("DejaVuSans.ttf"), 20);
  EXPECT_TRUE(face.hasGlyph(U'Ж'));
  EXPECT_GT(face.measure("WWW"), face.measure("iii"));
  EXPECT_THROW(Typeface("/nonexistent.ttf", 12), std::runtime_error);
}

TEST(ContentFigures, ModelsStandOnTheirFootAndMirrorExactly) {
  for (FigureKind k : {FigureKind::Pawn, FigureKind::Knight, FigureKind::Bishop, FigureKind::Rook,
                       FigureKind::Queen, FigureKind::King, FigureKind::Zelmar}) {
    const FigureModel m = makeFigure(k);
    EXPECT_LT(m.field({0, 2, 0}).d, 0) << "solid at the foot centre";
    EXPECT_GT(m.field({0, m.body.height() + 12, 0}).d, 0) << "empty above the top";
    EXPECT_GT(m.body.radius(1), 18);
    EXPECT_LE(m.body.radius(1), 27);
  }
  FigureModel knight = makeFigure(FigureKind::Knight);
  const V3 p{-20, 70, 3};
  const float d = knight.field(p).d;
  knight.mirrored = true;
  EXPECT_FLOAT_EQ(knight.field({20, 70, 3}).d, d);
  EXPECT_TRUE(makeFigure(FigureKind::Queen).body.trimAt(131));
  EXPECT_FALSE(makeFigure(FigureKind::Queen).body.trimAt(50));
}

TEST(ContentFigures, RenderedFootLandsOnTheRequestedPoint) {
  FigureView v;
  v.width = 60;
  v.height = 100;
  v.footX = 20;
  v.footY = 90;
  v.scale = 0.5f;
  v.samples = 1;
  v.shadow = 0;
  const Image img = renderFigure(makeFigure(FigureKind::Pawn), Army::Brunettes, v);
  EXPECT_GT(img.at(20, 88).a, 0.9f);
  EXPECT_LT(img.at(20, 95).a, 0.1f);
  EXPECT_LT(img.at(50, 88).a, 0.1f);
  // Ebony reads dark, ivory light.
  const Image ivory = renderFigure(makeFigure(FigureKind::Pawn), Army::Blondes, v);
  EXPECT_GT(ivory.at(20, 80).r, img.at(20, 80).r + 0.3f);
}

}  // namespace zelmar
