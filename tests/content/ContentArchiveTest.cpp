// The archive and description the content build writes, loaded as the game loads them: the game's archive
// reader, resource loader and image and font decoders on the test backend, every record checked against the
// contract and against what the generators build.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "content/gen/ContentList.h"
#include "content/kit/BoardGeometry.h"
#include "content/kit/GameFonts.h"
#include "framework/GfxCodePage1251.h"
#include "framework/GfxDb.h"
#include "framework/GfxDescScanner.h"
#include "framework/GfxFigureAnchors.h"
#include "framework/GfxLoader.h"
#include "tests/content/GameReaders.h"

namespace zelmar {

using namespace content;
using content_test::Alpha;
using content_test::PatternPixels;

namespace {

struct Expected {
  const char* Name;
  int Patterns, Width, Height;
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

// The game's collections filled once from zelmar.def and zelmar.def's archive by the game's loader.
class ContentArchive : public ::testing::Test {
 protected:
  struct Loaded {
    content_test::GameReaders Game;
    TGfxDb Archive;
    TGfxLoader Loader{&Game.Form};
  };

  static void SetUpTestSuite() {
    loaded_ = std::make_unique<Loaded>();
    loaded_->Loader.SetImages(&loaded_->Game.Images);
    loaded_->Loader.SetFonts(&loaded_->Game.Fonts);
    loaded_->Loader.SetArchive(&loaded_->Archive);
    loaded_->Loader.XMLDescFile = "zelmar.def";
    ASSERT_TRUE(loaded_->Loader.LoadGroup("Content")) << "zelmar.def must sit beside the game (build/bin)";
    ASSERT_TRUE(loaded_->Loader.LastScan().WellFormed);
  }
  static void TearDownTestSuite() { loaded_.reset(); }

  // A picture the loader made, or null when it did not load.
  static const TGfxImage* Picture(const char* name) { return loaded_->Game.Images.Find(name); }

  static std::unique_ptr<Loaded> loaded_;
};
std::unique_ptr<ContentArchive::Loaded> ContentArchive::loaded_;

// Luminance of a 0xAARRGGBB colour in 0..1.
float Luminance(std::uint32_t argb) {
  auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.f; };
  return 0.3f * channel(16) + 0.59f * channel(8) + 0.11f * channel(0);
}

// The centre of a square of the scene board, moved by an offset.
std::array<int, 2> SquareCentre(int square, float ox, float oy) {
  float cx = 0, cy = 0;
  for (const Pt& p : SquareQuads()[static_cast<size_t>(square)]) {
    cx += p.X / 4;
    cy += p.Y / 4;
  }
  return {static_cast<int>(cx + ox), static_cast<int>(cy + oy)};
}

}  // namespace

TEST_F(ContentArchive, EveryRecordOfTheArchiveLoadsIntoTheGame) {
  TGfxDb& archive = loaded_->Archive;
  ASSERT_TRUE(archive.Opened());
  EXPECT_EQ(archive.RecordCount(), static_cast<int>(kPictures.size() + kFonts.size()));
  int images = 0, fonts = 0;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    const TRecordInfo& record = archive.Record(i);
    SCOPED_TRACE(record.Name);
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(archive.ReadRecordAt(i, bytes)) << archive.LastError();
    if (record.RecordType == GfxRecordImage) {
      ++images;
      EXPECT_NE(loaded_->Game.Images.Find(record.Name), nullptr);
    } else {
      ASSERT_EQ(record.RecordType, GfxRecordFont);
      EXPECT_EQ(record.Name, kFonts[static_cast<size_t>(fonts)]);
      ++fonts;
    }
  }
  EXPECT_EQ(images, static_cast<int>(kPictures.size()));
  EXPECT_EQ(fonts, static_cast<int>(kFonts.size()));
  // The loader drops what it cannot decode, so the collections hold exactly what loaded.
  EXPECT_EQ(loaded_->Game.Images.Count(), images);
  ASSERT_EQ(loaded_->Game.Fonts.Count(), fonts);
  for (int f = 0; f < fonts; ++f) EXPECT_TRUE(loaded_->Game.Fonts.Items(f)->Loaded());
}

TEST_F(ContentArchive, EveryPictureHasItsPatternCountSizeAndFormat) {
  for (const Expected& e : kContract) {
    SCOPED_TRACE(e.Name);
    const TGfxImage* found = Picture(e.Name);
    ASSERT_NE(found, nullptr);
    const TGfxImage& image = *found;
    EXPECT_EQ(image.PatternCount(), e.Patterns);
    EXPECT_EQ(image.PatternWidth(), e.Width);
    EXPECT_EQ(image.PatternHeight(), e.Height);
    EXPECT_EQ(image.VisibleWidth(), e.Width);
    EXPECT_EQ(image.VisibleHeight(), e.Height);
    // The last pattern is really there, in a texture the device made.
    EXPECT_EQ(PatternPixels(image, e.Patterns - 1).size(), static_cast<size_t>(e.Width * e.Height));
    const bool opaque = std::string(e.Name) == "ground";
    EXPECT_EQ(image.Format(), opaque ? TPixelFormat::pfX8R8G8B8 : TPixelFormat::pfA8R8G8B8);
  }
}

TEST_F(ContentArchive, FiguresStandOnTheirAnchorsInsideTransparentCells) {
  ASSERT_TRUE(Picture("zelmar_piece_2") && Picture("zelmar_piece_1"));
  const TGfxImage &small = *Picture("zelmar_piece_2"), &large = *Picture("zelmar_piece_1");
  ASSERT_EQ(small.PatternCount(), 12);
  ASSERT_EQ(large.PatternCount(), 12);
  const int w = small.VisibleWidth(), h = small.VisibleHeight(), lw = large.VisibleWidth();
  for (int p = 0; p < 12; ++p) {
    SCOPED_TRACE(p);
    const auto s = PatternPixels(small, p), l = PatternPixels(large, p);
    ASSERT_EQ(s.size(), static_cast<size_t>(w * h));
    // Solid just above the foot centre, clear along the cell's edges.
    const auto [ax, ay] = zelmar::kFigureAnchors[static_cast<size_t>(p)];
    EXPECT_GT(Alpha(s[static_cast<size_t>((ay - 4) * w + ax)]), 242);
    const int lx = static_cast<int>(static_cast<float>(ax) * 3.33f);
    const int ly = static_cast<int>(static_cast<float>(ay) * 3.33f) - 14;
    EXPECT_GT(Alpha(l[static_cast<size_t>(ly * lw + lx)]), 242);
    for (int x = 0; x < w; ++x) EXPECT_LT(Alpha(s[static_cast<size_t>(x)]), 3);
    for (int y = 0; y < h; ++y) {
      EXPECT_LT(Alpha(s[static_cast<size_t>(y * w)]), 3);
      EXPECT_LT(Alpha(s[static_cast<size_t>(y * w + w - 1)]), 3);
    }
  }
}

TEST_F(ContentArchive, GameGroundsCarryTheBoardOnTheSceneQuadrilaterals) {
  ASSERT_NE(Picture("ground"), nullptr);
  const TGfxImage& ground = *Picture("ground");
  ASSERT_EQ(ground.PatternCount(), 4);
  const int w = ground.VisibleWidth();
  for (int pattern : {2, 3}) {
    const auto pixels = PatternPixels(ground, pattern);
    ASSERT_FALSE(pixels.empty());
    const float ox = pattern == 3 ? 13.f : 0.f, oy = pattern == 3 ? 73.f : 0.f;
    auto at = [&](int square) {
      const auto [x, y] = SquareCentre(square, ox, oy);
      return Luminance(pixels[static_cast<size_t>(y * w + x)]);
    };
    float lightSum = 0, darkSum = 0;
    for (int s = 0; s < 64; ++s) {
      const float l = at(s);
      (((s / 8) + (s % 8)) % 2 == 0 ? lightSum : darkSum) += l;
      // Every neighbour across an edge has the other colour.
      if (s % 8 < 7) {
        EXPECT_GT(std::fabs(l - at(s + 1)), 0.08f) << "pattern " << pattern << " square " << s + 1;
      }
    }
    EXPECT_GT(lightSum, darkSum * 1.5f) << "pattern " << pattern;
  }
}

TEST_F(ContentArchive, OpaquePicturesAreOpaque) {
  ASSERT_TRUE(Picture("ground") && Picture("classic"));
  const TGfxImage& ground = *Picture("ground");
  for (int p = 0; p < ground.PatternCount(); ++p) {
    const auto pixels = PatternPixels(ground, p);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(Alpha(pixels[384 * 1024 + 512]), 255);
  }
  const TGfxImage& classic = *Picture("classic");
  for (int p = 0; p < classic.PatternCount(); ++p) {
    const auto pixels = PatternPixels(classic, p);
    ASSERT_FALSE(pixels.empty());
    EXPECT_GT(Alpha(pixels[400 * 800 + 400]), 252);
    EXPECT_GT(Alpha(pixels[400 * 800 + 20]), 252);
  }
}

TEST_F(ContentArchive, FontsCarryTheGlyphTablesAndCellsTheGeneratorBuilds) {
  const std::array<FontGlyphs, 3> built = GameFonts();
  for (size_t i = 0; i < built.size(); ++i) {
    SCOPED_TRACE(kFonts[i]);
    const FontGlyphs& want = built[i];
    const TGfxFont* font = loaded_->Game.Fonts.Items(static_cast<int>(i));
    ASSERT_NE(font, nullptr);
    ASSERT_TRUE(font->Loaded());
    EXPECT_EQ(font->Name, kFonts[i]);
    // The glyph table: every covered character by its code point.
    const std::vector<char32_t> codes = FontCodePoints();
    EXPECT_EQ(font->Spacing(), want.Spacing);
    EXPECT_EQ(font->CellLeft(), want.CellLeft);
    EXPECT_EQ(font->CellTop(), want.CellTop);
    const int count = static_cast<int>(codes.size());
    ASSERT_EQ(font->GlyphCount(), count);
    for (int g = 0; g < count; ++g) EXPECT_EQ(font->GlyphOf(codes[static_cast<size_t>(g)]), g);
    EXPECT_EQ(std::vector<int>(font->Advances().begin(), font->Advances().end()), want.Advances);
    // Every pixel of every glyph cell.
    const TGfxImage& glyphs = *font->Image();
    ASSERT_EQ(glyphs.PatternCount(), count);
    ASSERT_EQ(glyphs.VisibleWidth(), want.Cells[0].Width());
    ASSERT_EQ(glyphs.VisibleHeight(), want.Cells[0].Height());
    int wrong = 0;
    for (int g = 0; g < count; ++g) {
      const Image& cell = want.Cells[static_cast<size_t>(g)];
      const auto pixels = PatternPixels(glyphs, g);
      ASSERT_EQ(pixels.size(), static_cast<size_t>(cell.Width() * cell.Height()));
      for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x)
          wrong += pixels[static_cast<size_t>(y * cell.Width() + x)] != ToArgb(cell.At(x, y));
    }
    EXPECT_EQ(wrong, 0);
    // Every character but the two spaces has ink and an advance: none is a silent blank.
    for (int g = 0; g < count; ++g) {
      const char32_t code = codes[static_cast<size_t>(g)];
      if (code == U' ' || code == U'\u00A0') continue;
      int ink = 0;
      for (std::uint32_t p : PatternPixels(glyphs, g)) ink += Alpha(p);
      EXPECT_GT(ink, 255) << "U+" << std::hex << static_cast<unsigned>(code);
      EXPECT_GT(font->Advances()[static_cast<size_t>(g)], 0)
          << "U+" << std::hex << static_cast<unsigned>(code);
    }
    EXPECT_GT(font->Advances()[0], 0);
  }
  // The clock text fits its plate; the text font fits the option rows; the menu font fills its boxes.
  const TGfxFont& clock = *loaded_->Game.Fonts.Items(2);
  const TTextExtent time = clock.Measure("00 : 00 : 00");
  EXPECT_LE(time.Width, 110);
  EXPECT_EQ(time.Replaced, 0);
  EXPECT_LE(loaded_->Game.Fonts.Items(1)->Image()->VisibleHeight(), 28);
  EXPECT_GE(loaded_->Game.Fonts.Items(0)->Image()->VisibleHeight(), 34);
}

// The fonts keep the line of the fonts of the first format, whose glyphs followed the Windows-1251 code page:
// every character of that code page has the same advance and, the cell's reach added, the same pixels as in
// a font of those characters alone, so English and Russian texts land where they always did.
TEST_F(ContentArchive, FontsKeepTheLineOfTheCodePageFonts) {
  std::vector<char32_t> codePage;
  for (int byte = 32; byte <= 255; ++byte)
    if (const char32_t c = CodePage1251ToUnicode(static_cast<std::uint8_t>(byte)); c != 0)
      codePage.push_back(c);
  const std::array<FontGlyphs, 3> built = GameFonts();
  const std::array<FontFace, 3> faces = GameFontFaces();
  for (size_t i = 0; i < built.size(); ++i) {
    SCOPED_TRACE(kFonts[i]);
    const FontGlyphs old = RasteriseFont(Typeface(faces[i].File, faces[i].Size), codePage);
    EXPECT_EQ(old.CellLeft, 0);
    EXPECT_EQ(old.CellTop, 0);
    const FontGlyphs& now = built[i];
    int compared = 0, wrong = 0;
    for (size_t k = 0; k < codePage.size(); ++k) {
      const auto at = std::find(now.CodePoints.begin(), now.CodePoints.end(), codePage[k]);
      if (at == now.CodePoints.end()) continue;  // DEL, a control character, is no longer drawn
      const auto g = static_cast<size_t>(at - now.CodePoints.begin());
      ++compared;
      EXPECT_EQ(now.Advances[g], old.Advances[k]);
      const Image &was = old.Cells[k], &is = now.Cells[g];
      for (int y = 0; y < is.Height(); ++y)
        for (int x = 0; x < is.Width(); ++x) {
          const int ox = x - now.CellLeft, oy = y - now.CellTop;
          const float before =
              ox >= 0 && oy >= 0 && ox < was.Width() && oy < was.Height() ? was.At(ox, oy).A : 0;
          wrong += is.At(x, y).A != before;
        }
    }
    EXPECT_EQ(compared, static_cast<int>(codePage.size()) - 1);
    EXPECT_EQ(wrong, 0);
  }
  // The text and menu fonts hold their accented capitals within the old cell.
  EXPECT_EQ(built[0].CellTop, 0);
  EXPECT_EQ(built[1].CellTop, 0);
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
  for (size_t i = 0; i < kContract.size(); ++i) EXPECT_EQ(images[i], kContract[i].Name);
  EXPECT_EQ(fonts, (std::vector<std::string>{"font_menu", "font_text", "font_clock"}));
}

}  // namespace zelmar
