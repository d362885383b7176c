// Image record headers and font records: fields, short records and hostile counts.
#include <gtest/gtest.h>

#include <vector>

#include "framework/GfxFontRecord.h"
#include "framework/GfxImageRecord.h"
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
  EXPECT_EQ(f->FirstCode, 0x20);  // the low byte only
  EXPECT_EQ(f->Spacing, 2);
  EXPECT_EQ(f->Advances, (std::vector<std::int32_t>{5, 6, 7}));
  ASSERT_EQ(f->ImageRecord.size(), 1u);
  EXPECT_EQ(f->ImageRecord[0], 0xAB);
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
