// Image record headers and font records: fields, short records and hostile counts.
#include <gtest/gtest.h>

#include <vector>

#include "framework/GfxCodePage1251.h"
#include "framework/GfxFontRecord.h"
#include "framework/GfxImageRecord.h"
#include "framework/GfxUtf8.h"
#include "tests/framework/drawing/RecordBuilder.h"

namespace zelmar {

using namespace drawing_test;

TEST(ImageRecord, HeaderFieldsAndNegativeTextureCount) {
  std::vector<std::uint8_t> bytes = ImageRecordHeaderBytes(5, 64, 32, 60, 30, 7, 256, 128, -3);
  TRecordReader reader(bytes);
  auto h = ReadImageRecordHeader(reader);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->Format, TPixelFormat::pfA8R8G8B8);
  EXPECT_EQ(h->PatternWidth, 64);
  EXPECT_EQ(h->PatternHeight, 32);
  EXPECT_EQ(h->VisibleWidth, 60);
  EXPECT_EQ(h->VisibleHeight, 30);
  EXPECT_EQ(h->PatternCount, 7);
  EXPECT_EQ(h->TextureWidth, 256);
  EXPECT_EQ(h->TextureHeight, 128);
  EXPECT_EQ(h->TextureCount, 0);
  EXPECT_EQ(reader.Remaining(), 0u);
  bytes.pop_back();
  TRecordReader shortReader(bytes);
  EXPECT_FALSE(ReadImageRecordHeader(shortReader));
}

TEST(ImageRecord, PixelByteCountRefusesNegativeAndHugeSizes) {
  EXPECT_EQ(ImagePixelBytes(TPixelFormat::pfR5G6B5, 4, 3, 2), 48u);
  EXPECT_FALSE(ImagePixelBytes(TPixelFormat::pfR5G6B5, -4, 3, 2));
  EXPECT_EQ(ImagePixelBytes(TPixelFormat::pfA8R8G8B8, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF).value_or(0) > 0,
            sizeof(std::size_t) > 8);
}

TEST(FontRecord, GlyphTableAndImageBytes) {
  std::vector<std::uint8_t> rec = FontRecordBytes(0x120, 2, {5, 6, 7});
  rec.push_back(0xAB);  // start of the image record
  auto f = ReadFontRecord(rec);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Version, 1);
  EXPECT_EQ(f->CodePoints, (std::vector<char32_t>{U' ', U'!', U'"'}));  // the first code's low byte only
  EXPECT_EQ(f->Spacing, 2);
  EXPECT_EQ(f->Advances, (std::vector<std::int32_t>{5, 6, 7}));
  ASSERT_EQ(f->ImageRecord.size(), 1u);
  EXPECT_EQ(f->ImageRecord[0], 0xAB);
}

// A record of the first format keeps reading: its glyphs follow the Windows-1251 bytes, each read as its
// Unicode character; the code page's empty byte and bytes past 255 reach no glyph.
TEST(FontRecord, FirstFormatGlyphsAreTheCodePageCharacters) {
  const auto dashes = ReadFontRecord(FontRecordBytes(0x96, 0, {1, 2, 3, 4}));
  ASSERT_TRUE(dashes);
  EXPECT_EQ(dashes->CodePoints, (std::vector<char32_t>{U'–', U'—', kNoCodePoint, U'™'}));
  const auto letters = ReadFontRecord(FontRecordBytes(0xFE, 0, {1, 2, 3}));
  ASSERT_TRUE(letters);
  EXPECT_EQ(letters->CodePoints, (std::vector<char32_t>{U'ю', U'я', kNoCodePoint}));
  EXPECT_EQ(CodePage1251ToUnicode(0xA8), U'Ё');
  EXPECT_EQ(CodePage1251ToUnicode(0xB9), U'№');
  EXPECT_EQ(CodePage1251ToUnicode(0xC0), U'А');
  EXPECT_EQ(CodePage1251ToUnicode(0x41), U'A');
}

// The current format carries code points, advances, spacing and the cell's reach whole, and refuses what it
// cannot trust.
TEST(FontRecord, VersionedRecordsRoundTripAndRefuseBadTables) {
  const std::vector<std::uint8_t> image{0xAB, 0xCD};
  TFontRecordHeader font;
  font.Spacing = -1;
  font.CellLeft = 2;
  font.CellTop = 3;
  font.CodePoints = {U' ', U'é', U'Ґ', U'…', kReplacementCharacter};
  font.Advances = {4, 9, 11, 17, 12};
  font.ImageRecord = image;
  const std::vector<std::uint8_t> rec = WriteFontRecord(font);
  const auto back = ReadFontRecord(rec);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Version, kFontRecordVersion);
  EXPECT_EQ(back->Spacing, -1);
  EXPECT_EQ(back->CellLeft, 2);
  EXPECT_EQ(back->CellTop, 3);
  EXPECT_EQ(back->CodePoints, font.CodePoints);
  EXPECT_EQ(back->Advances, font.Advances);
  EXPECT_EQ(std::vector<std::uint8_t>(back->ImageRecord.begin(), back->ImageRecord.end()), image);
  // Every way the table can be wrong.
  auto refused = [&](auto change) {
    TFontRecordHeader bad = font;
    change(bad);
    return !ReadFontRecord(WriteFontRecord(bad));
  };
  EXPECT_TRUE(refused([](TFontRecordHeader& f) { f.CodePoints[2] = U'é'; }));  // not ascending
  EXPECT_TRUE(refused([](TFontRecordHeader& f) { f.CodePoints[4] = kLastCodePoint + 1; }));
  EXPECT_TRUE(refused([](TFontRecordHeader& f) { f.CellLeft = -1; }));
  EXPECT_TRUE(refused([](TFontRecordHeader& f) { f.CellTop = kMaxCellReach + 1; }));
  std::vector<std::uint8_t> future = rec;
  future[4] = 3;  // an unknown version
  EXPECT_FALSE(ReadFontRecord(future));
  for (std::size_t cut = 1; cut < rec.size() - image.size(); ++cut)
    EXPECT_FALSE(ReadFontRecord(std::span(rec).first(cut))) << cut;
}

TEST(FontRecord, ShortOrHostileGlyphCountsAreRefused) {
  std::vector<std::uint8_t> rec = FontRecordBytes(32, 0, {5, 6, 7});
  rec.resize(rec.size() - 1);
  EXPECT_FALSE(ReadFontRecord(rec));
  std::vector<std::uint8_t> negative = FontRecordBytes(32, 0, {});
  negative[12] = 0xFF, negative[13] = 0xFF, negative[14] = 0xFF, negative[15] = 0xFF;
  EXPECT_FALSE(ReadFontRecord(negative));
  std::vector<std::uint8_t> huge = FontRecordBytes(32, 0, {});
  huge[15] = 0x7F;
  EXPECT_FALSE(ReadFontRecord(huge));
  EXPECT_FALSE(ReadFontRecord({}));
}

}  // namespace zelmar
