// The content kit's building blocks: records as the game reads them, the board's projective map, sound voices
// and file writers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "content/kit/BoardGeometry.h"
#include "content/kit/Png.h"
#include "content/kit/Records.h"
#include "content/kit/Sound.h"
#include "content/kit/Voices.h"
#include "framework/GfxFontRecord.h"
#include "tests/content/GameReaders.h"

namespace zelmar {

using namespace content;

namespace {

std::vector<Image> Numbered(int count, int w, int h) {
  std::vector<Image> out;
  for (int i = 0; i < count; ++i)
    out.emplace_back(w, h, Premultiplied(static_cast<float>(i) / 255.f, 0.5f, 1.f, 1.f));
  return out;
}

int32_t Field(const Bytes& b, size_t at) {
  int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

}  // namespace

TEST(ContentRecords, PatternsPackIntoTexturesTheGameReadsPixelForPixel) {
  content_test::GameReaders game;
  // Twelve 373 × 666 portraits, each a quarter screen or more: a texture each, so the game makes only the
  // ones it shows.
  const std::vector<Image> portraits = Numbered(12, 373, 666);
  const Bytes rec = EncodeImageRecord(portraits, TPixelFormat::pfA8R8G8B8);
  EXPECT_EQ(rec[0], 5);
  EXPECT_EQ(Field(rec, 17), 12);
  EXPECT_EQ(Field(rec, 21), 373);
  EXPECT_EQ(Field(rec, 25), 666);
  EXPECT_EQ(Field(rec, 29), 12);
  EXPECT_EQ(rec.size(), 33u + 12u * 373 * 666 * 4);
  TGfxImage* image = game.Images.Add();
  ASSERT_TRUE(image->LoadFromRecord(rec));
  ASSERT_EQ(image->PatternCount(), 12);
  for (int i = 0; i < 12; ++i) {
    const auto pixels = content_test::PatternPixels(*image, i);
    ASSERT_EQ(pixels.size(), 373u * 666u);
    EXPECT_EQ(pixels[300 * 373 + 100], ToArgb(portraits[static_cast<size_t>(i)].At(100, 300))) << i;
  }
  // Seventeen 440 × 440 cells, just under a quarter screen, sixteen to a texture: the last opens a second
  // texture, and every pixel of it (a gradient unlike any other cell) arrives where the game looks for it.
  std::vector<Image> cells = Numbered(17, 440, 440);
  for (int y = 0; y < 440; ++y)
    for (int x = 0; x < 440; ++x)
      cells[16].At(x, y) =
          Premultiplied(static_cast<float>(x % 256) / 255.f, static_cast<float>(y % 256) / 255.f, 0.25f,
                        static_cast<float>((x + y) % 256) / 255.f);
  const Bytes two = EncodeImageRecord(cells, TPixelFormat::pfA8R8G8B8);
  EXPECT_EQ(Field(two, 21), 4 * 440);
  EXPECT_EQ(Field(two, 29), 2);
  TGfxImage* second = game.Images.Add();
  ASSERT_TRUE(second->LoadFromRecord(two));
  const auto pixels = content_test::PatternPixels(*second, 16);
  ASSERT_EQ(pixels.size(), 440u * 440u);
  int wrong = 0;
  for (int y = 0; y < 440; ++y)
    for (int x = 0; x < 440; ++x)
      wrong += pixels[static_cast<size_t>(y * 440 + x)] != ToArgb(cells[16].At(x, y));
  EXPECT_EQ(wrong, 0);
  // Four full screens, a texture each; opaque pictures store an opaque alpha byte.
  const Bytes ground = EncodeImageRecord(Numbered(4, 1024, 768), TPixelFormat::pfX8R8G8B8);
  EXPECT_EQ(ground[0], 2);
  EXPECT_EQ(Field(ground, 21), 1024);
  EXPECT_EQ(Field(ground, 25), 768);
  EXPECT_EQ(Field(ground, 29), 4);
  EXPECT_EQ(ground[33 + 3], 0xff);
}

TEST(ContentRecords, ShortOrForeignRecordsAreRefused) {
  Bytes rec = EncodeImageRecord(Numbered(2, 8, 8), TPixelFormat::pfA8R8G8B8);
  rec.resize(rec.size() - 1);
  EXPECT_FALSE(DecodeImageRecord(rec));
  Bytes odd = EncodeImageRecord(Numbered(1, 8, 8), TPixelFormat::pfA8R8G8B8);
  odd[0] = 11;  // no stored format
  EXPECT_FALSE(DecodeImageRecord(odd));
  EXPECT_TRUE(EncodeImageRecord(Numbered(1, 8, 8), TPixelFormat::pfUnknown).empty());
  EXPECT_FALSE(DecodeFontRecord(Bytes{1, 2, 3}));
}

TEST(ContentRecords, FontRecordCarriesCodesAdvancesAndCells) {
  FontGlyphs font;
  font.Spacing = 1;
  font.CellTop = 2;
  for (int i = 0; i < 224; ++i) {
    font.CodePoints.push_back(static_cast<char32_t>(0x400 + 2 * i));
    font.Advances.push_back(5 + i % 7);
    font.Cells.emplace_back(12, 20, Rgba{1, 1, 1, 1});
  }
  const Bytes rec = EncodeFontRecord(font);
  EXPECT_EQ(Field(rec, 0), kFontRecordSignature);
  EXPECT_EQ(Field(rec, 4), kFontRecordVersion);
  EXPECT_EQ(Field(rec, 8), 1);
  EXPECT_EQ(Field(rec, 16), 2);
  EXPECT_EQ(Field(rec, 20), 224);
  EXPECT_EQ(Field(rec, 24 + 8 * 3), 0x406);
  EXPECT_EQ(Field(rec, 28 + 8 * 3), 8);
  auto back = DecodeFontRecord(rec);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->CodePoints, font.CodePoints);
  EXPECT_EQ(back->CellTop, 2);
  EXPECT_EQ(back->Advances, font.Advances);
  EXPECT_EQ(back->Glyphs.Patterns.size(), 224u);
  EXPECT_EQ(back->Glyphs.VisibleWidth, 12);
}

TEST(ContentBoard, ProjectiveMapAgreesWithEverySquareCorner) {
  const Homography h = Homography::BoardToScreen(0, 0), back = h.Inverse();
  const auto& quads = SquareQuads();
  for (int s = 0; s < 64; ++s) {
    const float c = static_cast<float>(s % 8), r = static_cast<float>(s / 8);
    const Pt corners[4] = {{c, r}, {c, r + 1}, {c + 1, r + 1}, {c + 1, r}};
    for (int k = 0; k < 4; ++k) {
      const Pt p = h.Apply(corners[k]);
      EXPECT_NEAR(p.X, quads[s][k].X, 3.5f) << "square " << s + 1 << " corner " << k;
      EXPECT_NEAR(p.Y, quads[s][k].Y, 3.5f) << "square " << s + 1 << " corner " << k;
      const Pt q = back.Apply(p);
      EXPECT_NEAR(q.X, corners[k].X, 1e-3f);
      EXPECT_NEAR(q.Y, corners[k].Y, 1e-3f);
    }
  }
  const Pt moved = Homography::BoardToScreen(13, 73).Apply({0, 0});
  EXPECT_NEAR(moved.X, 314, 1e-3f);
  EXPECT_NEAR(moved.Y, 324, 1e-3f);
}

TEST(ContentSound, PluckedStringsSoundAtTheirPitch) {
  for (float note : {45.f, 57.f, 69.f, 81.f}) {
    const float hz = MidiHz(note);
    const std::vector<float> s = Pluck(44100, hz, 1.f, 0.5f, 1);
    // The period is the lag of the strongest self-similarity near the expected one (autocorrelation,
    // refined by a parabola through the peak).
    const float expected = 44100.f / hz;
    auto corr = [&](int lag) {
      double sum = 0;
      for (size_t i = 4410; i < 4410 + 8820; ++i) sum += s[i] * s[i + lag];
      return sum;
    };
    int best = 0;
    double bestValue = -1e9;
    for (int lag = static_cast<int>(expected * 0.85f); lag <= static_cast<int>(expected * 1.15f) + 1; ++lag)
      if (corr(lag) > bestValue) bestValue = corr(lag), best = lag;
    const double a = corr(best - 1), b = bestValue, c = corr(best + 1);
    const double period = best + 0.5 * (a - c) / (a - 2 * b + c);
    // Within a sixth of a semitone.
    EXPECT_NEAR(period, expected, expected * 0.01) << note;
  }
}

TEST(ContentSound, LoopedReverbCarriesTheTailAcrossTheJoin) {
  Stereo s(22050, 22050);
  s.Mix(std::vector<float>(200, 0.8f), 22050 - 400, 1.f, 0.f);  // a burst just before the end
  Reverb(s, 0.8f, 0.3f, 0.5f, true);
  float start = 0;
  for (int i = 0; i < 2000; ++i) start = std::max(start, std::fabs(s.Left[i]));
  EXPECT_GT(start, 1e-3f) << "the tail rings on into the start of the loop";
  Stereo once(22050, 22050);
  once.Mix(std::vector<float>(200, 0.8f), 22050 - 400, 1.f, 0.f);
  Reverb(once, 0.8f, 0.3f, 0.5f, false);
  for (int i = 0; i < 2000; ++i) EXPECT_EQ(once.Left[i], 0.f);
}

TEST(ContentFiles, WaveAndPngHeadersAreSound) {
  Stereo s(22050, 100);
  s.Left[0] = 2.f;  // clipped, not wrapped
  const Bytes wav = WaveBytes(s);
  ASSERT_EQ(wav.size(), 44u + 400u);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(Field(wav, 4), 36 + 400);
  EXPECT_EQ(static_cast<int16_t>(wav[44] | wav[45] << 8), 32767);
  const std::string path = ::testing::TempDir() + "/kit.png";
  ASSERT_TRUE(WritePng(path, Image(3, 2, Premultiplied(1, 0, 0)), 1));
  auto png = ReadFile(path);
  ASSERT_TRUE(png);
  const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  EXPECT_EQ(std::memcmp(png->data(), sig, 8), 0);
  EXPECT_EQ((*png)[16 + 7], 1);  // height written as the one row asked for
  EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", Image(1, 1)));
}

}  // namespace zelmar
