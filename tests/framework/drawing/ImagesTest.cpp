// Images on the test backend: record decoding into device textures, format choice, the texture life
// cycle across device loss, and the collection.
#include <gtest/gtest.h>

#include "tests/framework/drawing/DrawingFixture.h"

namespace zelmar {

using namespace drawing_test;
using platform::GfxFormat;

namespace {

class Images : public DrawingFixture {
 protected:
  // The bytes of level 0 of texture `index` of an image.
  static const std::vector<std::uint8_t>& Texels(TGfxImage* image, int index = 0) {
    auto* texture = dynamic_cast<platform::TestTexture*>(image->Texture(index));
    EXPECT_NE(texture, nullptr);
    return texture->Levels[0];
  }
  static std::uint32_t Word(const std::vector<std::uint8_t>& b, std::size_t i = 0) {
    return b[i] | b[i + 1] << 8 | b[i + 2] << 16 | static_cast<std::uint32_t>(b[i + 3]) << 24;
  }
};

struct StoredCase {
  std::uint8_t code;
  std::vector<std::uint8_t> bytes;
  std::uint32_t expected;
};

}  // namespace

TEST_F(Images, EveryStoredFormatLandsInAnA8R8G8B8Texture) {
  Start();
  const std::vector<StoredCase> cases = {
      {0, {0xAE}, 0xFFB66DAA},
      {1, {0x01, 0x84}, 0xFF848208},
      {2, {0x11, 0x22, 0x33, 0x00}, 0x00332211},  // copied as stored, X byte included
      {3, {0x0F, 0x7C}, 0xFFFF007B},
      {4, {0x84, 0xAF}, 0xFFFF8844},
      {5, {0x33, 0x22, 0x11, 0x80}, 0x80112233},
      {6, {0x00, 0x84}, 0xFF080000},
      {7, {0x23, 0x71}, 0x77112233},
      {8, {0xE3, 0x40}, 0x40FF00FF},
      {9, {0x6C}, 0x55AAFF00},
      {10, {0x7F}, 0x7FFFFFFF},
  };
  for (const StoredCase& c : cases) {
    TGfxImage* image = images.Add();
    ASSERT_TRUE(image->LoadFromRecord(ImageRecordBytes(c.code, 1, 1, 1, 1, 1, 1, 1, 1, c.bytes)))
        << int(c.code);
    EXPECT_EQ(image->Format(), TPixelFormat::pfA8R8G8B8);
    EXPECT_EQ(Word(Texels(image)), c.expected) << int(c.code);
  }
}

TEST_F(Images, RowsAreEncodedIntoTheChosenFormatAtThePitch) {
  Start();
  TGfxImage* image = images.Add();
  image->SetAlphaLevel(TAlphaLevel::alNone);
  image->SetQuality(TGfxQuality::aqMedium);
  std::vector<std::uint8_t> pixels;
  for (std::uint32_t argb : {0xFFFF8844u, 0xFF000000u, 0xFFFFFFFFu, 0x00080408u, 0xFF0F0F0Fu, 0xFF101010u}) {
    for (int i = 0; i < 4; ++i) pixels.push_back(static_cast<std::uint8_t>(argb >> (8 * i)));
  }
  ASSERT_TRUE(image->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, 3, 2, 1, pixels)));
  EXPECT_EQ(image->Format(), TPixelFormat::pfR5G6B5);
  const auto& t = Texels(image);
  std::vector<int> words;
  for (std::size_t i = 0; i < t.size(); i += 2) words.push_back(t[i] | t[i + 1] << 8);
  EXPECT_EQ(words, (std::vector<int>{0xFC48, 0x0000, 0xFFFF, 0x0821, 0x0861, 0x1082}));
  EXPECT_EQ(image->PatternCount(), 1);
  EXPECT_EQ(image->VisibleWidth(), 3);
}

TEST_F(Images, FormatFollowsWhatTheDeviceAccepts) {
  platform.Gfx.Script.TextureFormats = {GfxFormat::A1R5G5B5};
  Start();
  TGfxImage* full = images.Add();
  ASSERT_TRUE(full->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, 1, 1, 1, {0, 0, 0xFF, 0x80})));
  EXPECT_EQ(full->Format(), TPixelFormat::pfA1R5G5B5);  // last of the alFull list
  EXPECT_EQ(Texels(full)[1], 0xFC);                     // alpha 0x80 keeps its top bit, red 31
  TGfxImage* opaque = images.Add();
  opaque->SetAlphaLevel(TAlphaLevel::alNone);
  EXPECT_FALSE(opaque->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, 1, 1, 1, {0, 0, 0, 0})));
  EXPECT_EQ(opaque->State(), tsNone);
}

TEST_F(Images, BadRecordsAreRefusedAndLeaveTheImageEmpty) {
  Start();
  const int before = platform.Gfx.Count("CreateTexture");
  auto refuse = [&](std::vector<std::uint8_t> record) {
    TGfxImage* image = images.Add();
    EXPECT_FALSE(image->LoadFromRecord(record));
    EXPECT_EQ(image->State(), tsNone);
    EXPECT_FALSE(image->PatternCoords({}));
  };
  refuse(ImageRecordBytes(5, 0, 0, 0, 0, 0, 2, 2, 1, std::vector<std::uint8_t>(15)));  // one byte short
  refuse(ImageRecordBytes(11, 0, 0, 0, 0, 0, 1, 1, 1, std::vector<std::uint8_t>(4)));  // unknown format
  refuse(ImageRecordBytes(5, 8, 8, 8, 8, 0, 4, 4, 1, std::vector<std::uint8_t>(64)));  // cell beyond texture
  refuse(ImageRecordBytes(5, 4, 4, 6, 6, 0, 4, 4, 1, std::vector<std::uint8_t>(64)));  // visible beyond cell
  refuse(ImageRecordBytes(5, 0, 0, 0, 0, 0, -4, 4, 1, {}));                            // negative size
  refuse(ImageRecordBytes(5, 0, 0, 0, 0, 0, 1 << 30, 1 << 30, 1, {}));                 // huge, no data
  refuse({5, 0, 0});                                                                   // short header
  EXPECT_EQ(platform.Gfx.Count("CreateTexture"), before);  // refused before any texture was made
}

TEST_F(Images, FindIgnoresAsciiCaseAndTheCollectionKeepsOrder) {
  Start();
  TGfxImage* ground = MakeImage("ground", 4, 4);
  TGfxImage* cursor = MakeImage("Cursor", 4, 4);
  MakeImage("ground", 4, 4);
  EXPECT_EQ(images.Find("Ground"), ground);
  EXPECT_EQ(images.Find("CURSOR"), cursor);
  EXPECT_EQ(images.Find("groun"), nullptr);
  EXPECT_EQ(images.IndexOf(cursor), 1);
  images.Delete(0);
  images.Delete(7);
  EXPECT_EQ(images.Count(), 2);
  EXPECT_EQ(images.Items(0), cursor);
  EXPECT_EQ(images.Items(5), nullptr);
  EXPECT_EQ(images.Find("ground")->Name, "ground");
  EXPECT_EQ(TGfxImage(nullptr).Name, "[unnamed]");
}

TEST_F(Images, TexturesSurviveADeviceResetWithTheirPixels) {
  Start();
  TGfxImage* image = MakeImage("board", 4, 4, 0x5A);
  const int created = platform.Gfx.Count("CreateTexture");
  ASSERT_TRUE(device.Reset());
  EXPECT_EQ(image->State(), tsReady);
  EXPECT_EQ(platform.Gfx.Count("CreateTexture"), created);
  EXPECT_EQ(Texels(image)[0], 0x5A);
}

TEST_F(Images, TextureStateMachine) {
  Start();
  TGfxImage* image = MakeImage("a", 4, 4);
  EXPECT_FALSE(image->SetTextureSize(8, 8));  // only in state 0
  EXPECT_FALSE(image->SetQuality(TGfxQuality::aqLow));
  image->SetReleaseOnLoss(true);
  platform.Gfx.Script.ResetResults = {platform::kGfxFail};
  EXPECT_FALSE(device.Reset());
  EXPECT_EQ(image->State(), tsReleased);  // the loss was announced, the reset failed
  EXPECT_EQ(image->Texture(0), nullptr);
  EXPECT_FALSE(image->PatternCoords({}));
  platform.Gfx.Script.Refuse = {"CreateTexture"};
  images.HandleMessage(msgDeviceRestored);
  EXPECT_EQ(image->State(), tsFailed);
  EXPECT_FALSE(image->ChangeState(tsReady));
  EXPECT_EQ(image->State(), tsFailed);
  platform.Gfx.Script.Refuse.clear();
  EXPECT_TRUE(image->ChangeState(tsReady));
  EXPECT_NE(image->Texture(0), nullptr);
  EXPECT_TRUE(image->ChangeState(tsNone));
  EXPECT_EQ(image->Texture(0), nullptr);
  EXPECT_FALSE(image->ChangeState(tsFailed));
}

TEST_F(Images, DestroyingTheDeviceFreesEveryImage) {
  Start();
  MakeImage("a", 4, 4);
  MakeImage("b", 4, 4);
  ASSERT_TRUE(device.Finalize());
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(platform.Gfx.Count("ReleaseTexture"), 2);
}

TEST_F(Images, NothingIsCreatedWithoutADevice) {
  TGfxImage* image = images.Add();
  EXPECT_FALSE(image->LoadFromRecord(ImageRecordBytes(5, 0, 0, 0, 0, 0, 1, 1, 1, {1, 2, 3, 4})));
  EXPECT_EQ(image->State(), tsNone);
}

}  // namespace zelmar
