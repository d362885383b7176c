// The archive and description the content build writes: every picture and font of the contract, readable by
// the game's own archive reader, with figures, boards and fonts where the scene expects them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "content/kit/BoardGeometry.h"
#include "content/kit/Records.h"
#include "framework/GfxDb.h"
#include "framework/GfxDescScanner.h"

using namespace content;

namespace {

struct Expected {
  const char* name;
  int patterns, width, height;
};

constexpr std::array<Expected, 15> kContract = {{{"ground", 4, 1024, 768},
                                                 {"zelmar_piece_2", 12, 112, 200},
                                                 {"zelmar_piece_1", 12, 373, 666},
                                                 {"piece_1", 12, 90, 90},
                                                 {"piece_2", 12, 90, 90},
                                                 {"queen_1", 1, 90, 90},
                                                 {"queen_2", 1, 90, 90},
                                                 {"queen_11", 1, 90, 90},
                                                 {"queen_21", 1, 90, 90},
                                                 {"classic", 4, 800, 800},
                                                 {"button", 11, 44, 44},
                                                 {"timer", 2, 170, 48},
                                                 {"window_1", 1, 450, 200},
                                                 {"cursor", 1, 32, 32},
                                                 {"cursor_1", 1, 32, 32}}};

constexpr std::array<std::array<int, 2>, 12> kAnchors = {{{43, 171},
                                                          {34, 180},
                                                          {28, 175},
                                                          {32, 173},
                                                          {46, 188},
                                                          {35, 173},
                                                          {49, 169},
                                                          {42, 174},
                                                          {39, 174},
                                                          {27, 169},
                                                          {47, 173},
                                                          {54, 174}}};

class ContentArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new TGfxDb;
    db_->SetFileName("zelmar.dat");
    db_->SetOpenMode(opReadOnly);
    ASSERT_TRUE(db_->Open()) << "zelmar.dat must sit beside the game (build/bin)";
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  // Reads and decodes one picture record through the game's archive reader.
  static DecodedImage picture(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(db_->ReadRecord(name, bytes)) << name;
    auto img = decodeImageRecord(bytes);
    EXPECT_TRUE(img.has_value()) << name;
    return img ? *img : DecodedImage{};
  }
  static DecodedFont font(const std::string& key) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(db_->ReadRecord(key, bytes)) << key;
    EXPECT_EQ(db_->RecordType(db_->Find(key)), 3) << key;
    auto f = decodeFontRecord(bytes);
    EXPECT_TRUE(f.has_value()) << key;
    return f ? *f : DecodedFont{};
  }
  static TGfxDb* db_;
};
TGfxDb* ContentArchive::db_ = nullptr;

float luminance(Rgba c) {
  return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

}  // namespace

TEST_F(ContentArchive, EveryPictureHasItsPatternCountAndSize) {
  for (const Expected& e : kContract) {
    SCOPED_TRACE(e.name);
    const DecodedImage img = picture(e.name);
    EXPECT_EQ(static_cast<int>(img.patterns.size()), e.patterns);
    EXPECT_EQ(img.patternWidth, e.width);
    EXPECT_EQ(img.patternHeight, e.height);
    EXPECT_EQ(img.visibleWidth, e.width);
    EXPECT_EQ(img.visibleHeight, e.height);
  }
}

TEST_F(ContentArchive, FiguresStandOnTheirAnchorsInsideTransparentCells) {
  const DecodedImage small = picture("zelmar_piece_2"), large = picture("zelmar_piece_1");
  ASSERT_EQ(small.patterns.size(), 12u);
  ASSERT_EQ(large.patterns.size(), 12u);
  for (int p = 0; p < 12; ++p) {
    SCOPED_TRACE(p);
    const Image& s = small.patterns[p];
    // Solid just above the foot centre, clear along the cell's edges.
    EXPECT_GT(s.at(kAnchors[p][0], kAnchors[p][1] - 4).a, 0.95f);
    EXPECT_GT(large.patterns[p]
                  .at(static_cast<int>(kAnchors[p][0] * 3.33f), static_cast<int>(kAnchors[p][1] * 3.33f) - 14)
                  .a,
              0.95f);
    for (int x = 0; x < s.width(); ++x) EXPECT_LT(s.at(x, 0).a, 0.01f);
    for (int y = 0; y < s.height(); ++y) {
      EXPECT_LT(s.at(0, y).a, 0.01f);
      EXPECT_LT(s.at(s.width() - 1, y).a, 0.01f);
    }
  }
}

TEST_F(ContentArchive, GameGroundsCarryTheBoardOnTheSceneQuadrilaterals) {
  const DecodedImage ground = picture("ground");
  ASSERT_EQ(ground.patterns.size(), 4u);
  const auto& quads = squareQuads();
  for (int pattern : {2, 3}) {
    const float ox = pattern == 3 ? 13.f : 0.f, oy = pattern == 3 ? 73.f : 0.f;
    float lightSum = 0, darkSum = 0;
    for (int s = 0; s < 64; ++s) {
      float cx = 0, cy = 0;
      for (const Pt& p : quads[s]) {
        cx += p.x / 4;
        cy += p.y / 4;
      }
      const float l =
          luminance(ground.patterns[pattern].at(static_cast<int>(cx + ox), static_cast<int>(cy + oy)));
      (((s / 8) + (s % 8)) % 2 == 0 ? lightSum : darkSum) += l;
      // Every neighbour across an edge has the other colour.
      if (s % 8 < 7) {
        float nx = 0, ny = 0;
        for (const Pt& p : quads[s + 1]) {
          nx += p.x / 4;
          ny += p.y / 4;
        }
        const float n =
            luminance(ground.patterns[pattern].at(static_cast<int>(nx + ox), static_cast<int>(ny + oy)));
        EXPECT_GT(std::fabs(l - n), 0.08f) << "pattern " << pattern << " square " << s + 1;
      }
    }
    EXPECT_GT(lightSum, darkSum * 1.5f) << "pattern " << pattern;
  }
}

TEST_F(ContentArchive, OpaquePicturesAreOpaque) {
  const DecodedImage ground = picture("ground");
  for (const Image& g : ground.patterns) EXPECT_EQ(g.at(512, 384).a, 1.f);
  const DecodedImage classic = picture("classic");
  for (const Image& b : classic.patterns) {
    EXPECT_GT(b.at(400, 400).a, 0.99f);
    EXPECT_GT(b.at(20, 400).a, 0.99f);
  }
}

TEST_F(ContentArchive, FontsCoverTheCodePageAndFitTheirPlaces) {
  const char* keys[] = {"font_menu", "font_text", "font_clock"};
  for (const char* key : keys) {
    SCOPED_TRACE(key);
    const DecodedFont f = font(key);
    EXPECT_EQ(f.firstCode, 32);
    ASSERT_EQ(f.advances.size(), 224u);
    ASSERT_EQ(f.glyphs.patterns.size(), 224u);
    // Letters of both alphabets and the digits all have ink and an advance.
    for (int code :
         {int{'A'}, int{'Z'}, int{'a'}, int{'z'}, int{'0'}, int{'9'}, 0xC0, 0xDF, 0xE0, 0xFF, 0xA8, 0xB8}) {
      const Image& g = f.glyphs.patterns[code - 32];
      float ink = 0;
      for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x) ink += g.at(x, y).a;
      EXPECT_GT(ink, 5.f) << "code " << code;
      EXPECT_GT(f.advances[code - 32], 0) << "code " << code;
    }
    EXPECT_EQ(f.advances[0] > 0, true);
  }
  // The clock text fits its plate; the text font fits the option rows.
  const DecodedFont clock = font("font_clock");
  int width = 0;
  for (char c : std::string("00 : 00 : 00")) width += clock.advances[c - 32] + clock.spacing;
  EXPECT_LE(width, 110);
  EXPECT_LE(font("font_text").glyphs.visibleHeight, 28);
  EXPECT_GE(font("font_menu").glyphs.visibleHeight, 34);
}

TEST(ContentDescription, ListsEveryPictureThenTheFontsInOrder) {
  std::ifstream in("zelmar.def");
  ASSERT_TRUE(in) << "zelmar.def must sit beside the game";
  std::stringstream text;
  text << in.rdbuf();
  std::vector<TGfxDescTag> tags;
  const auto result =
      ScanGfxDescription(text.str(), "Content", [&](const TGfxDescTag& t) { tags.push_back(t); });
  ASSERT_TRUE(result.WellFormed) << result.Error;
  std::vector<std::string> images, fonts;
  for (const TGfxDescTag& t : tags) {
    if (t.Element == "image") images.push_back(t.Attribute("name"));
    if (t.Element == "font") {
      EXPECT_EQ(images.size(), kContract.size()) << "fonts come after every picture";
      fonts.push_back(t.Attribute("key"));
    }
    if (t.Element == "image" || t.Element == "font") {
      EXPECT_EQ(t.Attribute("source"), "zelmar.dat");
    }
    if (t.Element == "image" && t.Attribute("name") == "ground") {
      EXPECT_EQ(t.Attribute("alphalevel"), "none");
    }
  }
  ASSERT_EQ(images.size(), kContract.size());
  for (size_t i = 0; i < kContract.size(); ++i) EXPECT_EQ(images[i], kContract[i].name);
  EXPECT_EQ(fonts, (std::vector<std::string>{"font_menu", "font_text", "font_clock"}));
}
