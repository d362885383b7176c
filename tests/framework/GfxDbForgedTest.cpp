// The archive reader on damaged and hostile archives: every read fails cleanly or returns the
// exact original bytes; nothing crashes, hangs or allocates what the file merely claims.
#include <functional>

#include "framework/GfxDb.h"
#include "tests/framework/ArchiveFixture.h"

namespace zelmar {

using namespace archive_test;

namespace {

class GfxDbForgedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TGfxDbWriter writer;
    ASSERT_TRUE(writer.Add("alpha", Alpha, GfxRecordImage));
    ASSERT_TRUE(writer.Add("beta", Beta, GfxRecordFont));
    Archive = BuildArchive(writer);
  }

  // Reads a record of `bytes` in memory; the error text must be set whenever the read fails.
  bool Read(const std::vector<std::uint8_t>& bytes, const std::string& name,
            std::vector<std::uint8_t>& data) {
    std::string error;
    const bool ok = ReadGfxDbRecord(TGfxDbMemorySource(bytes), name, {}, data, &error);
    EXPECT_TRUE(ok || !error.empty());
    EXPECT_TRUE(ok || data.empty());
    return ok;
  }

  // A copy of the archive with one change applied.
  std::vector<std::uint8_t> Forged(const std::function<void(std::vector<std::uint8_t>&)>& change) const {
    auto bytes = Archive;
    change(bytes);
    return bytes;
  }

  std::int64_t TableOffset() const { return GfxDbGetLE<std::int32_t>(Archive.data() + 8); }

  std::vector<std::uint8_t> Alpha = SampleBytes(3000, 7);
  std::vector<std::uint8_t> Beta = SampleBytes(200, 8);
  std::vector<std::uint8_t> Archive;
};

TEST_F(GfxDbForgedTest, EveryTruncationFailsCleanly) {
  std::vector<std::uint8_t> data;
  for (std::size_t length = 0; length < Archive.size(); ++length) {
    const std::vector<std::uint8_t> cut(Archive.begin(),
                                        Archive.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(Read(cut, "alpha", data)) << length;
    EXPECT_FALSE(Read(cut, "beta", data)) << length;
  }
  EXPECT_TRUE(Read(Archive, "alpha", data));
  EXPECT_EQ(data, Alpha);
}

TEST_F(GfxDbForgedTest, EveryBitFlipFailsOrYieldsTheOriginal) {
  std::vector<std::uint8_t> data;
  for (std::size_t pos = 0; pos < Archive.size(); ++pos) {
    for (int bit = 0; bit < 8; bit += 3) {
      auto bytes = Archive;
      bytes[pos] ^= static_cast<std::uint8_t>(1u << bit);
      if (Read(bytes, "alpha", data)) {
        EXPECT_EQ(data, Alpha) << pos;
      }
      if (Read(bytes, "beta", data)) {
        EXPECT_EQ(data, Beta) << pos;
      }
    }
  }
}

TEST_F(GfxDbForgedTest, ForgedTableFieldsEmptyTheTable) {
  const std::int64_t table = TableOffset();
  const std::vector<std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>>> forgeries = {
      {"count 2^32-1", [](auto& b) { GfxDbPutLE<std::uint32_t>(b.data() + 4, 0xFFFFFFFFu); }},
      {"count 2^31-1", [](auto& b) { GfxDbPutLE<std::uint32_t>(b.data() + 4, 0x7FFFFFFFu); }},
      {"count one too many", [](auto& b) { GfxDbPutLE<std::uint32_t>(b.data() + 4, 3); }},
      {"negative table offset", [](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + 8, -8); }},
      {"table offset past the end",
       [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + 8, static_cast<std::int32_t>(b.size() + 1)); }},
      {"table offset 2^31-1", [](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + 8, 0x7FFFFFFF); }},
      {"name of 2 GB", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table, 0x7FFFFFFF); }},
      {"negative name length", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table, -1); }},
      {"name past the end", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table, 4000); }},
      {"header offset past the end",
       [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table + 9, 0x7FFFFF00); }},
      {"negative header offset", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table + 9, -44); }},
      {"header straddling the end",
       [&](auto& b) {
         GfxDbPutLE<std::int32_t>(b.data() + table + 9, static_cast<std::int32_t>(b.size() - 20));
       }},
  };
  for (const auto& [what, change] : forgeries) {
    const auto bytes = Forged(change);
    TGfxDbTable parsed;
    std::string error;
    EXPECT_FALSE(ReadGfxDbTable(TGfxDbMemorySource(bytes), parsed, &error)) << what;
    EXPECT_TRUE(parsed.Records.empty()) << what;
    EXPECT_FALSE(error.empty()) << what;
    std::vector<std::uint8_t> data;
    EXPECT_FALSE(Read(bytes, "beta", data)) << what;
  }
}

TEST_F(GfxDbForgedTest, ForgedRecordHeadersFailOnlyTheirRecord) {
  const std::int32_t alpha = RecordOffset(Archive, 0);
  const std::vector<std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>>> forgeries = {
      {"negative unpacked size", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 2, -5); }},
      {"unpacked size 2^31-1", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 2, 0x7FFFFFFF); }},
      {"unpacked size beyond any inflation",
       [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 2, 100000000); }},
      {"negative stored size", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 6, -1); }},
      {"zero stored size", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 6, 0); }},
      {"stored size past the end",
       [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 6, 0x7FFFFFFF); }},
      {"stored size cut short", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + alpha + 6, 100); }},
  };
  for (const auto& [what, change] : forgeries) {
    const auto bytes = Forged(change);
    std::vector<std::uint8_t> data;
    EXPECT_FALSE(Read(bytes, "alpha", data)) << what;
    EXPECT_TRUE(Read(bytes, "beta", data)) << what;
    EXPECT_EQ(data, Beta) << what;
  }
}

TEST_F(GfxDbForgedTest, ForgedArchiveFileFailsThroughTheComponent) {
  const auto path =
      std::filesystem::temp_directory_path() / ("zelmar-forged-" + std::to_string(::getpid()) + ".dat");
  auto bytes = Forged([&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + TableOffset(), 0x7FFFFFFF); });
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  TGfxDb db;
  db.SetFileName(path.string());
  db.SetOpenMode(opReadOnly);
  EXPECT_FALSE(db.Open());
  EXPECT_EQ(db.RecordCount(), 0);
  std::vector<std::uint8_t> data;
  EXPECT_FALSE(db.ReadRecord("alpha", data));
  EXPECT_NE(db.LastError().find("name length"), std::string::npos) << db.LastError();
  std::filesystem::remove(path);
}

}  // namespace

}  // namespace zelmar
