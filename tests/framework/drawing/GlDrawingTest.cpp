// Pixels drawn through the canvas on the OpenGL backend (needs a display; fails without one): blend
// effects, exact placement of scaled patterns and single pixels, a line of text, and pictures that get
// their GL storage only when first drawn, gray ones in two channels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxCanvas.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/GlResources.h"
#include "framework/platform/SdlPlatform.h"
#include "tests/framework/drawing/RecordBuilder.h"

namespace zelmar {

using namespace drawing_test;

namespace {

constexpr int kWidth = 128, kHeight = 96;

struct Rgb {
  double r, g, b;
};

class GlCanvas : public ::testing::Test {
 protected:
  platform::SdlPlatform platform;
  TApplication app{platform};
  std::unique_ptr<TForm> form;
  std::unique_ptr<TGfxDevice> device;
  std::unique_ptr<TGfxImages> images;
  std::unique_ptr<TGfxCanvas> canvas;
  std::unique_ptr<TGfxFonts> fonts;
  std::vector<std::uint32_t> pixels;

  void SetUp() override {
    ASSERT_TRUE(platform.VideoAvailable()) << "these tests need a display (run them under xvfb-run)";
    form = std::make_unique<TForm>(app, platform::WindowSettings{"drawing test", kWidth, kHeight});
    ASSERT_NE(form->Window(), nullptr);
    device = std::make_unique<TGfxDevice>(form.get(), platform);
    device->SetWidth(kWidth);
    device->SetHeight(kHeight);
    images = std::make_unique<TGfxImages>(form.get());
    canvas = std::make_unique<TGfxCanvas>(form.get());
    fonts = std::make_unique<TGfxFonts>(form.get());
    images->SetMipMapping(false);
    canvas->SetAntialias(false);
    canvas->SetAlphaTesting(false);
    for (TGfxSubscriber* s :
         std::initializer_list<TGfxSubscriber*>{images.get(), canvas.get(), fonts.get()}) {
      s->SetPublisher(device.get());
    }
    fonts->SetCanvas(canvas.get());
    ASSERT_TRUE(device->Initialize());
  }

  void TearDown() override {
    fonts.reset();
    canvas.reset();
    images.reset();
    device.reset();
    form.reset();
  }

  // Clears to `background` (0xAABBGGRR), draws, and reads the back buffer.
  void Render(std::uint32_t background, const std::function<void()>& draw) {
    device->OnRender = [&](TGfxDevice*) { draw(); };
    ASSERT_TRUE(device->Render(background, true));
    pixels.assign(static_cast<std::size_t>(kWidth) * kHeight, 0);
    ASSERT_TRUE(platform::GfxSucceeded(device->ApiDevice()->ReadBackBuffer(pixels.data(), kWidth, kHeight)));
  }

  std::uint32_t Pixel(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * kWidth + x] & 0xFFFFFF;
  }

  // An image of one w x h pattern filled from a function of the texel, stored as A8R8G8B8.
  TGfxImage* MakeImage(int w, int h, const std::function<std::uint32_t(int, int)>& argb) {
    std::vector<std::uint8_t> data;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t c = argb(x, y);
        for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(c >> (8 * i)));
      }
    }
    TGfxImage* image = images->Add();
    EXPECT_TRUE(image->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, w, h, 1, data)));
    return image;
  }

  static void ExpectColor(std::uint32_t pixel, Rgb want, const char* what, double tolerance = 1.0) {
    const double got[3] = {double(pixel >> 16 & 0xFF), double(pixel >> 8 & 0xFF), double(pixel & 0xFF)};
    const double expected[3] = {want.r, want.g, want.b};
    for (int i = 0; i < 3; ++i) {
      const double clamped = std::fmin(std::fmax(expected[i], 0.0), 255.0);
      EXPECT_LE(std::fabs(got[i] - clamped), tolerance) << what << " channel " << i << " got " << got[i];
    }
  }
};

}  // namespace

TEST_F(GlCanvas, EveryEffectBlendsAsComputedByHand) {
  // Source (200, 100, 50) at alpha 128 over destination (40, 120, 220).
  const double a = 128.0 / 255.0;
  const Rgb s{200, 100, 50}, d{40, 120, 220};
  const std::uint32_t source = 0x803264C8, destination = 0xFFDC7828;
  struct Case {
    TDrawFx fx;
    Rgb want;
    const char* name;
  };
  const Case cases[] = {
      {fxOpaque, s, "opaque"},
      {fxBlend, {s.r * a + d.r * (1 - a), s.g * a + d.g * (1 - a), s.b * a + d.b * (1 - a)}, "blend"},
      {fxAdd, {d.r + s.r * a, d.g + s.g * a, d.b + s.b * a}, "add"},
      {fxShade, {d.r * (1 - a), d.g * (1 - a), d.b * (1 - a)}, "shade"},
      {fxSubtract, {d.r - s.r * a, d.g - s.g * a, d.b - s.b * a}, "subtract"},
      {fxMultiply, {d.r * s.r / 255, d.g * s.g / 255, d.b * s.b / 255}, "multiply"},
  };
  // A texture of the source colour drawn alone, and the same colour as an untextured rectangle.
  TGfxImage* image = MakeImage(8, 8, [](int, int) { return 0x80C86432u; });
  Render(destination, [&] {
    for (int i = 0; i < 6; ++i) {
      canvas->Draw(image, 10 + 16 * i, 10, 0, cases[i].fx);
      canvas->FillRect(10 + 16 * i, 30, 8, 8, source, cases[i].fx);
    }
  });
  for (int i = 0; i < 6; ++i) {
    ExpectColor(Pixel(13 + 16 * i, 13), cases[i].want, cases[i].name);
    ExpectColor(Pixel(13 + 16 * i, 33), cases[i].want, cases[i].name);
  }
  ExpectColor(Pixel(5, 5), d, "untouched");
}

TEST_F(GlCanvas, PatternsLandTexelForPixel) {
  // Four patterns of 4 x 4 distinct texels in one 8 x 8 texture.
  auto texel = [](int x, int y) {
    return 0xFF000000u | std::uint32_t(x * 30) << 16 | std::uint32_t(y * 30) << 8 | 7;
  };
  TGfxImage* image = images->Add();
  std::vector<std::uint8_t> data;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(texel(x, y) >> (8 * i)));
    }
  }
  ASSERT_TRUE(image->LoadFromRecord(ImageRecordBytes(5, 4, 4, 4, 4, 0, 8, 8, 1, data)));
  Render(0xFF000000, [&] { canvas->Draw(image, 20, 30, 3, fxOpaque); });
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(Pixel(20 + x, 30 + y), texel(4 + x, 4 + y) & 0xFFFFFF) << x << "," << y;
  }
  EXPECT_EQ(Pixel(19, 30), 0u);
  EXPECT_EQ(Pixel(24, 30), 0u);
  EXPECT_EQ(Pixel(20, 34), 0u);
}

TEST_F(GlCanvas, DrawScaledCoversExactlyTheRoundedSize) {
  TGfxImage* image = MakeImage(8, 8, [](int, int) { return 0xFFFF0000u; });
  Render(0xFF000000, [&] {
    canvas->DrawScaled(image, 10, 20, 1.5, 0, fxBlend);     // 12 x 12
    canvas->DrawScaled(image, 40, 20, 2.5625, 0, fxBlend);  // 20.5 -> 20
  });
  auto lit = [&](int x, int y) { return Pixel(x, y) == 0xFF0000u; };
  for (int i = 0; i < 12; ++i) {
    EXPECT_TRUE(lit(10 + i, 20) && lit(10 + i, 31) && lit(10, 20 + i) && lit(21, 20 + i)) << i;
  }
  EXPECT_FALSE(lit(9, 25) || lit(22, 25) || lit(15, 19) || lit(15, 32));
  EXPECT_TRUE(lit(40, 20) && lit(59, 39));
  EXPECT_FALSE(lit(60, 30) || lit(50, 40));
}

TEST_F(GlCanvas, PutPixelLightsExactlyOnePixel) {
  Render(0xFF000000, [&] {
    canvas->PutPixel(5, 7, 0xFFFFFFFF, fxOpaque);
    canvas->PutPixel(100, 90, 0xFF00FF00, fxOpaque);
  });
  int count = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) count += Pixel(x, y) != 0;
  }
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pixel(5, 7), 0xFFFFFFu);
  EXPECT_EQ(Pixel(100, 90), 0x00FF00u);
}

TEST_F(GlCanvas, RectanglesAndLinesStayInsideTheirPixels) {
  Render(0xFF000000, [&] {
    canvas->FillRect(3, 4, 5, 6, 0xFF0000FF, fxOpaque);
    canvas->Line(0, 50.5f, 10, 50.5f, 0xFFFFFFFF, 0xFFFFFFFF, fxOpaque);
  });
  int count = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < kWidth; ++x) count += Pixel(x, y) == 0xFF0000u;
  }
  EXPECT_EQ(count, 30);
  EXPECT_EQ(Pixel(3, 4), 0xFF0000u);
  EXPECT_EQ(Pixel(7, 9), 0xFF0000u);
  EXPECT_NE(Pixel(5, 50) | Pixel(5, 51), 0u);
}

TEST_F(GlCanvas, TextOutPlacesGlyphsAtTheirAdvancesAndSwitchesColourOnATag) {
  // Four solid 8 x 10 glyphs for codes 32..35 in an alpha-only image; '!' advances 9 + 1.
  std::vector<std::uint8_t> record = FontRecordBytes(32, 1, {9, 9, 9, 9});
  auto glyphs = ImageRecordBytes(10, 8, 10, 8, 10, 4, 32, 10, 1, std::vector<std::uint8_t>(320, 0xFF));
  record.insert(record.end(), glyphs.begin(), glyphs.end());
  TGfxFont* font = fonts->Add();
  ASSERT_TRUE(font->LoadFromRecord(record, TAlphaLevel::alExclusive, TGfxQuality::aqHigh));
  Render(0xFF000000, [&] { font->TextOut("!!#$FF00FF00!!", 10, 20, 0xFFFFFFFF, 0xFFFFFFFF, fxBlend); });
  // Glyphs at 10, 20, 30, 40; each 8 wide with two dark columns between.
  for (int k = 0; k < 4; ++k) {
    const int x = 10 + 10 * k;
    EXPECT_NE(Pixel(x, 20), 0u) << k;
    EXPECT_NE(Pixel(x + 7, 29), 0u) << k;
    EXPECT_EQ(Pixel(x + 8, 25), 0u) << k;
    EXPECT_EQ(Pixel(x, 30), 0u) << k;
  }
  EXPECT_EQ(Pixel(13, 20), 0xFFFFFFu);  // before the tag: white
  EXPECT_EQ(Pixel(23, 29), 0xFFFFFFu);
  const std::uint32_t top = Pixel(33, 20), bottom = Pixel(33, 29);
  EXPECT_GT(top >> 8 & 0xFF, 200u);  // after it: green at the top, fading to white at the bottom
  EXPECT_LT(top >> 16 & 0xFF, 40u);
  EXPECT_GT(bottom >> 16 & 0xFF, 200u);
  EXPECT_EQ(Pixel(50, 25), 0u);  // nothing after the last glyph
}

TEST_F(GlCanvas, EveryFormatTheListsChooseUploadsFaithfully) {
  // One texel (200, 100, 50) at alpha 128, stored as A8R8G8B8 and kept in the format each list chooses.
  struct Case {
    TAlphaLevel alpha;
    TGfxQuality quality;
    TPixelFormat format;
    Rgb opaque;
  };
  const Case cases[] = {
      {TAlphaLevel::alNone, TGfxQuality::aqLow, TPixelFormat::pfR3G3B2, {219, 109, 0}},
      {TAlphaLevel::alNone, TGfxQuality::aqMedium, TPixelFormat::pfR5G6B5, {206, 101, 49}},
      {TAlphaLevel::alNone, TGfxQuality::aqHigh, TPixelFormat::pfX8R8G8B8, {200, 100, 50}},
      {TAlphaLevel::alMask, TGfxQuality::aqHigh, TPixelFormat::pfA1R5G5B5, {206, 99, 49}},
      {TAlphaLevel::alFull, TGfxQuality::aqLow, TPixelFormat::pfA4R4G4B4, {204, 102, 51}},
      {TAlphaLevel::alFull, TGfxQuality::aqHigh, TPixelFormat::pfA8R8G8B8, {200, 100, 50}},
      {TAlphaLevel::alExclusive, TGfxQuality::aqHigh, TPixelFormat::pfA8, {255, 255, 255}},
  };
  std::vector<TGfxImage*> loaded;
  for (const Case& c : cases) {
    TGfxImage* image = images->Add();
    image->SetAlphaLevel(c.alpha);
    image->SetQuality(c.quality);
    ASSERT_TRUE(image->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, 4, 4, 1, [] {
      std::vector<std::uint8_t> texels;
      for (int i = 0; i < 16; ++i) texels.insert(texels.end(), {50, 100, 200, 128});
      return texels;
    }())));
    EXPECT_EQ(image->Format(), c.format);
    loaded.push_back(image);
  }
  Render(0xFF000000, [&] {
    for (std::size_t i = 0; i < loaded.size(); ++i) {
      canvas->Draw(loaded[i], 10 + 10 * static_cast<double>(i), 10, 0, fxOpaque);
      canvas->Draw(loaded[i], 10 + 10 * static_cast<double>(i), 30, 0, fxBlend);
    }
  });
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    const int x = 11 + 10 * static_cast<int>(i);
    ExpectColor(Pixel(x, 11), cases[i].opaque, "opaque");
  }
  // Blended over black: formats without alpha stay opaque, one alpha bit rounds 128 up to opaque, four bits
  // keep 8/15, eight bits keep 128/255.
  ExpectColor(Pixel(11 + 20, 31), {200, 100, 50}, "X8R8G8B8 blended");
  ExpectColor(Pixel(11 + 30, 31), {206, 99, 49}, "A1R5G5B5 blended");
  ExpectColor(Pixel(11 + 40, 31), {204 * 8.0 / 15, 102 * 8.0 / 15, 51 * 8.0 / 15}, "A4R4G4B4 blended");
  ExpectColor(Pixel(11 + 50, 31), {200 * 128.0 / 255, 100 * 128.0 / 255, 50 * 128.0 / 255},
              "A8R8G8B8 blended");
  ExpectColor(Pixel(11 + 60, 31), {128, 128, 128}, "A8 blended");
}

TEST_F(GlCanvas, AntialiasSwitchesBetweenNearestAndLinearFiltering) {
  // A black and a white texel scaled four times: hard edge when nearest, a ramp when linear.
  TGfxImage* image = MakeImage(2, 1, [](int x, int) { return x ? 0xFFFFFFFFu : 0xFF000000u; });
  Render(0xFF0000FF, [&] {
    canvas->DrawScaled(image, 10, 10, 4, 0, fxOpaque);
    canvas->SetAntialias(true);
    canvas->DrawScaled(image, 10, 20, 4, 0, fxOpaque);
  });
  EXPECT_EQ(Pixel(13, 11), 0x000000u);
  EXPECT_EQ(Pixel(14, 11), 0xFFFFFFu);
  // Pixel 3 samples 3/8 of the way into the white texel, pixel 4 five eighths (filter weights are coarse).
  ExpectColor(Pixel(13, 21), {255 * 0.375, 255 * 0.375, 255 * 0.375}, "linear left of the edge", 4);
  ExpectColor(Pixel(14, 21), {255 * 0.625, 255 * 0.625, 255 * 0.625}, "linear right of the edge", 4);
}

TEST_F(GlCanvas, PicturesWaitPackedUntilFirstDrawnAndArriveWholeInAnyStorageAfterResets) {
  // Three pictures whose every texel differs from its neighbours, and a large plain one.
  auto texel = [](int salt) {
    return [salt](int x, int y) {
      return 0xFF000000u | static_cast<std::uint32_t>((x * 7 + salt) & 0xFF) << 16 |
             static_cast<std::uint32_t>((y * 5 + x * 3) & 0xFF) << 8 |
             static_cast<std::uint32_t>((x ^ y) + salt);
    };
  };
  TGfxImage* first = MakeImage(40, 30, texel(0));
  TGfxImage* second = MakeImage(40, 30, texel(90));
  TGfxImage* patched = MakeImage(40, 30, texel(170));
  TGfxImage* plain = MakeImage(512, 512, [](int, int) { return 0xFF336699u; });
  // Glyph-like texels of equal colour channels under any alpha, held as gray and alpha until a coloured
  // write widens them.
  auto grayTexel = [](int x, int y) {
    return static_cast<std::uint32_t>((x * 5 + y * 3) & 0xFF) << 24 |
           static_cast<std::uint32_t>((x * 9 + y * 4) & 0xFF) * 0x010101u;
  };
  TGfxImage* gray = MakeImage(40, 30, grayTexel);
  auto gl = [](TGfxImage* image) { return dynamic_cast<platform::GlTexture*>(image->Texture(0)); };
  for (TGfxImage* image : {first, second, patched, plain, gray}) {
    ASSERT_NE(gl(image), nullptr);
    EXPECT_FALSE(gl(image)->Realized());
    EXPECT_GT(gl(image)->WaitingBytes(), 0u);
  }
  EXPECT_LT(gl(plain)->WaitingBytes(), 512u * 512u * 4u / 100u);
  // A rectangle written into a picture not yet drawn lands on the pixels written before it.
  platform::GfxLockedRect locked;
  ASSERT_TRUE(patched->LockRect(0, {10, 10, 12, 12}, locked));
  EXPECT_TRUE(gl(patched)->Realized());
  for (int row = 0; row < 2; ++row) {
    auto* bits = static_cast<std::uint32_t*>(locked.Bits) + row * locked.Pitch / 4;
    bits[0] = bits[1] = 0xFFFFFFFFu;
  }
  ASSERT_TRUE(patched->Unlock(0));
  // Every picture drawn whole, texel for pixel: after its first draw, after the screen switches to full
  // screen and back, and a picture drawn for the first time after those resets.
  auto expectWhole = [&](int left, int top, const std::function<std::uint32_t(int, int)>& want,
                         const char* what) {
    int wrong = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) wrong += Pixel(left + x, top + y) != (want(x, y) & 0xFFFFFFu);
    EXPECT_EQ(wrong, 0) << what;
  };
  auto patchedTexel = [&](int x, int y) {
    return x >= 10 && x < 12 && y >= 10 && y < 12 ? 0xFFFFFFFFu : texel(170)(x, y);
  };
  Render(0xFF000000, [&] {
    canvas->Draw(first, 0, 0, 0, fxOpaque);
    canvas->Draw(patched, 80, 0, 0, fxOpaque);
    canvas->Draw(gray, 0, 60, 0, fxOpaque);
  });
  expectWhole(0, 0, texel(0), "first, first drawn");
  expectWhole(80, 0, patchedTexel, "patched, first drawn");
  expectWhole(0, 60, grayTexel, "gray, first drawn");
  EXPECT_TRUE(gl(gray)->Gray());
  EXPECT_FALSE(gl(first)->Gray());
  ASSERT_TRUE(gray->LockRect(0, {5, 5, 6, 6}, locked));
  *static_cast<std::uint32_t*>(locked.Bits) = 0x80123456u;
  ASSERT_TRUE(gray->Unlock(0));
  EXPECT_FALSE(gl(gray)->Gray());
  auto widenedTexel = [&](int x, int y) { return x == 5 && y == 5 ? 0x80123456u : grayTexel(x, y); };
  EXPECT_TRUE(gl(first)->Realized());
  EXPECT_EQ(gl(first)->WaitingBytes(), 0u);
  EXPECT_FALSE(gl(second)->Realized());
  device->SetWindowed(false);
  device->SetWindowed(true);
  ASSERT_TRUE(device->Initialized());
  Render(0xFF000000, [&] {
    canvas->Draw(first, 0, 0, 0, fxOpaque);
    canvas->Draw(second, 40, 40, 0, fxOpaque);
    canvas->Draw(patched, 80, 0, 0, fxOpaque);
    canvas->Draw(gray, 0, 60, 0, fxOpaque);
    canvas->Draw(gray, 40, 0, 0, fxBlend);
  });
  expectWhole(0, 0, texel(0), "first, after the resets");
  expectWhole(0, 60, widenedTexel, "gray, widened by a coloured write, after the resets");
  // Blended over black its alpha survived the gray storage and the widening: colour times alpha.
  const std::uint32_t blended = Pixel(40 + 7, 0 + 3) & 0xFF;
  const double alpha = ((7 * 5 + 3 * 3) & 0xFF) / 255.0;
  EXPECT_NEAR(blended, ((7 * 9 + 3 * 4) & 0xFF) * alpha, 1.0);
  expectWhole(40, 40, texel(90), "second, first drawn after the resets");
  expectWhole(80, 0, patchedTexel, "patched, after the resets");
  EXPECT_FALSE(gl(plain)->Realized());
}

}  // namespace zelmar
