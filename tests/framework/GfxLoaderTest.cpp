// The loader on the test backend: a description and an archive on disk become images and fonts.
#include "framework/GfxLoader.h"

#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/platform/TestPlatform.h"
#include "tests/framework/ArchiveFixture.h"
#include "tests/framework/drawing/RecordBuilder.h"

namespace zelmar {

using namespace archive_test;
using namespace drawing_test;

namespace {

// An image record of one 16 x 16 texture in A8R8G8B8 cut into 8 x 8 patterns.
std::vector<std::uint8_t> ImageRecord() {
  return ImageRecordBytes(5, 8, 8, 8, 8, 0, 16, 16, 1, std::vector<std::uint8_t>(16 * 16 * 4, 0x7F));
}

// A font record of four glyphs over an A8 image of 8 x 8 cells.
std::vector<std::uint8_t> FontRecord() {
  auto record = FontRecordBytes(32, 1, {5, 6, 7, 8});
  const auto image = ImageRecordBytes(10, 8, 8, 8, 8, 4, 16, 16, 1, std::vector<std::uint8_t>(16 * 16, 0xFF));
  record.insert(record.end(), image.begin(), image.end());
  return record;
}

const char* Description = R"(<?xml version="1.0"?>
<gfx>
  <group name="Menu"><image key="ground" name="menu_ground"/></group>
  <group name="Content">
    <image name="ground" source="zelmar.dat" key="Ground" quality="medium" alphalevel="none"/>
    <image source="zelmar.dat" key="piece_1" alphalevel="Mask"/>
    <image source="zelmar.dat" key="missing"/>
    <image source="zelmar.dat" key="short_image"/>
    <image source="zelmar.dat" key="bad_digest"/>
    <font name="small" source="zelmar.dat" key="font_a"/>
    <font source="zelmar.dat" key="font_wrong_type"/>
    <font source="zelmar.dat" key="font_b" quality="low"/>
    <image source="elsewhere/other.dat" key="cursor"/>
    <image source="absent.dat" key="ground"/>
    <image Key="ground" source="zelmar.dat"/>
    <sound source="zelmar.dat" key="ground"/>
  </group>
  <group name="content"><image key="ground" name="lower" source="zelmar.dat"/><image key="ground" name="no_source"/></group>
</gfx>
)";

class GfxLoaderTest : public ScratchDir {
 protected:
  void SetUp() override {
    ScratchDir::SetUp();
    TGfxDbWriter main;
    ASSERT_TRUE(main.Add("ground", ImageRecord(), GfxRecordImage));
    ASSERT_TRUE(main.Add("piece_1", ImageRecord(), GfxRecordImage));
    ASSERT_TRUE(main.Add("short_image", std::vector<std::uint8_t>(20, 1), GfxRecordImage));
    ASSERT_TRUE(main.Add("bad_digest", ImageRecord(), GfxRecordImage));
    ASSERT_TRUE(main.Add("font_a", FontRecord(), GfxRecordFont));
    ASSERT_TRUE(main.Add("font_wrong_type", FontRecord(), GfxRecordImage));
    ASSERT_TRUE(main.Add("font_b", FontRecord(), GfxRecordFont));
    auto bytes = BuildArchive(main);
    bytes[RecordOffset(bytes, 3) + 20] ^= 0xFF;
    Put("zelmar.dat", bytes);
    TGfxDbWriter other;
    ASSERT_TRUE(other.Add("cursor", ImageRecord()));
    Put("other.dat", BuildArchive(other));
    DescFile =
        Put("zelmar.def", std::vector<std::uint8_t>(Description, Description + std::strlen(Description)));

    window = platform.CreateWindow({});
    device.SetWindowHandle(window.get());
    for (TGfxDeviceSubscriber* s :
         {static_cast<TGfxDeviceSubscriber*>(&images), static_cast<TGfxDeviceSubscriber*>(&fonts),
          static_cast<TGfxDeviceSubscriber*>(&loader)})
      s->SetPublisher(&device);
    ASSERT_TRUE(device.Initialize());
    archive.SetFileName((Dir / "zelmar.dat").string());
    loader.SetImages(&images);
    loader.SetFonts(&fonts);
    loader.SetArchive(&archive);
    loader.XMLDescFile = DescFile;
    loader.OnLoad = [this](TGfxLoader* sender, const std::string& name) {
      EXPECT_EQ(sender, &loader);
      Loaded.push_back(name);
    };
  }

  std::vector<std::string> ImageNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < images.Count(); ++i) names.push_back(images.Items(i)->Name);
    return names;
  }

  std::string DescFile;
  std::vector<std::string> Loaded;
  platform::TestPlatform platform;
  TComponent owner{nullptr};
  std::unique_ptr<platform::PlatformWindow> window;
  TGfxDevice device{&owner, platform};
  TGfxImages images{&owner};
  TGfxFonts fonts{&owner};
  TGfxLoader loader{&owner};
  TGfxDb archive;
};

TEST_F(GfxLoaderTest, LoadsTheGroupsSoundEntriesInOrderAndDropsTheRest) {
  ASSERT_TRUE(loader.LoadGroup("Content"));
  EXPECT_TRUE(loader.LastScan().WellFormed);
  EXPECT_EQ(ImageNames(), (std::vector<std::string>{"ground", "piece_1", "cursor"}));
  ASSERT_EQ(fonts.Count(), 2);
  EXPECT_EQ(fonts.Items(0)->Name, "small");
  EXPECT_EQ(fonts.Items(1)->Name, "font_b") << "a font without name takes its key";
  EXPECT_TRUE(fonts.Items(0)->Loaded());
  EXPECT_EQ(fonts.Items(0)->GlyphCount(), 4);
  EXPECT_EQ(Loaded,
            (std::vector<std::string>{"Ground\\zelmar.dat", "piece_1\\zelmar.dat", "font_a\\zelmar.dat",
                                      "font_b\\zelmar.dat", "cursor\\other.dat"}));
  const TGfxImage* ground = images.Find("GROUND");
  ASSERT_NE(ground, nullptr);
  EXPECT_EQ(ground->Quality(), TGfxQuality::aqMedium);
  EXPECT_EQ(ground->AlphaLevel(), TAlphaLevel::alNone);
  EXPECT_EQ(ground->PatternCount(), 4);
  EXPECT_EQ(images.Find("piece_1")->AlphaLevel(), TAlphaLevel::alMask);
  EXPECT_EQ(images.Find("piece_1")->Quality(), TGfxQuality::aqHigh);
  EXPECT_EQ(archive.FileName(), (Dir / "zelmar.dat").string()) << "the last entry's source switched back";
}

TEST_F(GfxLoaderTest, GroupNamesMatchExactly) {
  ASSERT_TRUE(loader.LoadGroup("content"));
  EXPECT_EQ(ImageNames(), (std::vector<std::string>{"lower"}));
  EXPECT_EQ(fonts.Count(), 0);
  images.Clear();
  ASSERT_TRUE(loader.LoadGroup("CONTENT")) << "a readable description loads, whatever it holds";
  EXPECT_EQ(images.Count(), 0);
}

TEST_F(GfxLoaderTest, UnreadableDescriptionIsRefusedDamagedOneLoadsWhatPrecedesTheFault) {
  loader.XMLDescFile = "";
  EXPECT_FALSE(loader.LoadGroup("Content"));
  loader.XMLDescFile = (Dir / "nothing.def").string();
  EXPECT_FALSE(loader.LoadGroup("Content"));
  loader.XMLDescFile = Dir.string();
  EXPECT_FALSE(loader.LoadGroup("Content")) << "a directory is not a description";

  const std::string damaged = std::string(Description).substr(0, std::string(Description).find("<font name"));
  loader.XMLDescFile = Put("damaged.def", std::vector<std::uint8_t>(damaged.begin(), damaged.end()));
  EXPECT_TRUE(loader.LoadGroup("Content"));
  EXPECT_FALSE(loader.LastScan().WellFormed);
  EXPECT_EQ(ImageNames(), (std::vector<std::string>{"ground", "piece_1"}));
}

TEST_F(GfxLoaderTest, WithoutArchiveOrCollectionsEntriesLoadNothing) {
  loader.SetArchive(nullptr);
  ASSERT_TRUE(loader.LoadGroup("Content"));
  EXPECT_EQ(images.Count(), 0);
  loader.SetArchive(&archive);
  loader.SetImages(nullptr);
  ASSERT_TRUE(loader.LoadGroup("Content"));
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(fonts.Count(), 2);
}

TEST_F(GfxLoaderTest, ForgetsCollectionsThatGoAway) {
  auto extra = std::make_unique<TGfxImages>(&owner);
  loader.SetImages(extra.get());
  extra.reset();
  EXPECT_EQ(loader.Images(), nullptr);
  EXPECT_EQ(loader.Fonts(), &fonts);
}

TEST_F(GfxLoaderTest, ItemsAreFreedWithTheDevice) {
  ASSERT_TRUE(loader.LoadGroup("Content"));
  ASSERT_GT(images.Count(), 0);
  device.Finalize();
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(fonts.Count(), 0);
}

}  // namespace

}  // namespace zelmar
