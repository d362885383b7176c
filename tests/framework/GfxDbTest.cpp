// The archive reader on sound archives: look-up, reading, open modes, encryption.
#include "framework/GfxDb.h"

#include <unistd.h>

#include "framework/GfxDbCipher.h"
#include "tests/framework/ArchiveFixture.h"

namespace zelmar {

using namespace archive_test;

namespace {

class GfxDbTest : public ScratchDir {
 protected:
  // An archive of three records written to "test.dat".
  std::string ThreeRecords() {
    TGfxDbWriter writer;
    EXPECT_TRUE(writer.Add("Ground", First, GfxRecordImage));
    EXPECT_TRUE(writer.Add("font_menu", Second, GfxRecordFont));
    EXPECT_TRUE(writer.Add("tiny", std::vector<std::uint8_t>{42}));
    return Put("test.dat", BuildArchive(writer));
  }

  std::vector<std::uint8_t> First = SampleBytes(5000, 1);
  std::vector<std::uint8_t> Second = SampleBytes(70000, 2);
};

TEST_F(GfxDbTest, ReadsRecordsByNameIgnoringLetterCase) {
  TGfxDb db;
  db.SetFileName(ThreeRecords());
  db.SetOpenMode(opReadOnly);
  ASSERT_TRUE(db.Open());
  EXPECT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(db.Find("ground"), 0);
  EXPECT_EQ(db.Find("GROUND"), 0);
  EXPECT_EQ(db.Find("Font_Menu"), 1);
  EXPECT_EQ(db.Find("groun"), -1);
  EXPECT_EQ(db.RecordType(1), GfxRecordFont);
  EXPECT_EQ(db.RecordType(-1), 0);
  EXPECT_EQ(db.RecordType(3), 0);

  std::vector<std::uint8_t> data;
  ASSERT_TRUE(db.ReadRecord("gROUND", data)) << db.LastError();
  EXPECT_EQ(data, First);
  ASSERT_TRUE(db.ReadRecord("font_menu", data));
  EXPECT_EQ(data, Second);
  ASSERT_TRUE(db.ReadRecord("TINY", data));
  EXPECT_EQ(data, std::vector<std::uint8_t>{42});
  EXPECT_FALSE(db.ReadRecord("missing", data));
  EXPECT_TRUE(data.empty());
}

TEST_F(GfxDbTest, ReadStreamAppendsToWhatIsThere) {
  TGfxDb db;
  db.SetFileName(ThreeRecords());
  std::vector<std::uint8_t> stream = {1, 2, 3};
  ASSERT_TRUE(db.ReadStream("tiny", stream));
  EXPECT_EQ(stream, (std::vector<std::uint8_t>{1, 2, 3, 42}));
  EXPECT_FALSE(db.ReadStream("nothing", stream));
  EXPECT_EQ(stream.size(), 4u);
}

TEST_F(GfxDbTest, SignatureIsNotChecked) {
  TGfxDbWriter writer;
  ASSERT_TRUE(writer.Add("a", First));
  auto bytes = BuildArchive(writer);
  std::memcpy(bytes.data(), "XXXX", 4);
  TGfxDb db;
  db.SetFileName(Put("odd.dat", bytes));
  db.SetOpenMode(opReadOnly);
  ASSERT_TRUE(db.Open());
  std::vector<std::uint8_t> data;
  EXPECT_TRUE(db.ReadRecord("A", data));
  EXPECT_EQ(data, First);
}

TEST_F(GfxDbTest, ZeroUnpackedSizeOrWrongDigestOrSizeIsUnreadable) {
  TGfxDbWriter writer;
  ASSERT_TRUE(writer.Add("zero", First));
  ASSERT_TRUE(writer.Add("digest", First));
  ASSERT_TRUE(writer.Add("short", First));
  ASSERT_TRUE(writer.Add("long", First));
  ASSERT_TRUE(writer.Add("fine", First));
  auto bytes = BuildArchive(writer);
  GfxDbPutLE<std::int32_t>(bytes.data() + RecordOffset(bytes, 0) + 2, 0);
  bytes[RecordOffset(bytes, 1) + 18] ^= 0x01;
  GfxDbPutLE<std::int32_t>(bytes.data() + RecordOffset(bytes, 2) + 2,
                           static_cast<std::int32_t>(First.size() - 1));
  GfxDbPutLE<std::int32_t>(bytes.data() + RecordOffset(bytes, 3) + 2,
                           static_cast<std::int32_t>(First.size() + 1));
  TGfxDb db;
  db.SetFileName(Put("bad.dat", bytes));
  std::vector<std::uint8_t> data;
  for (const char* name : {"zero", "digest", "short", "long"}) {
    EXPECT_FALSE(db.ReadRecord(name, data)) << name;
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(db.LastError().empty());
  }
  EXPECT_TRUE(db.ReadRecord("fine", data));
}

TEST_F(GfxDbTest, OpenModes) {
  const std::string path = (Dir / "new.dat").string();
  TGfxDb db;
  db.SetFileName(path);
  db.SetOpenMode(opReadOnly);
  EXPECT_FALSE(db.Open()) << "read-only never creates";
  EXPECT_FALSE(std::filesystem::exists(path));

  db.SetOpenMode(opUpdate);
  ASSERT_TRUE(db.Open()) << "update creates a missing archive";
  EXPECT_EQ(std::filesystem::file_size(path), 12u);
  EXPECT_EQ(db.RecordCount(), 0);
  db.SetFileName(ThreeRecords());
  EXPECT_FALSE(db.Opened());
  ASSERT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 3) << "update reads an existing archive";

  db.SetOpenMode(opOverwrite);
  ASSERT_TRUE(db.Open());
  EXPECT_EQ(db.RecordCount(), 0);
  EXPECT_EQ(std::filesystem::file_size(db.FileName()), 12u);
  db.SetOpenMode(opReadOnly);
  EXPECT_TRUE(db.Open()) << "an empty archive is a valid archive";
}

TEST_F(GfxDbTest, UpdateLeavesADamagedArchiveAlone) {
  const std::vector<std::uint8_t> junk = {'G', 'f', 'D', 'b', 9, 9, 9, 9};
  TGfxDb db;
  db.SetFileName(Put("junk.dat", junk));
  EXPECT_FALSE(db.Open());
  EXPECT_EQ(std::filesystem::file_size(db.FileName()), junk.size());
}

TEST_F(GfxDbTest, EncryptedRecordsNeedTheirKey) {
  TGfxDbEncryption secret{{'z', 'e', 'l', 'm', 'a', 'r', '-', 'k', 'e', 'y'}, {1, 2, 3, 4, 5, 6, 7, 8}};
  TGfxDbWriter writer;
  ASSERT_TRUE(writer.Add("plain", First));
  ASSERT_TRUE(writer.Add("secret", Second, GfxRecordImage, &secret));
  ASSERT_TRUE(writer.Packed()[1].Info.Encrypted());
  TGfxDb db;
  db.SetFileName(Put("enc.dat", BuildArchive(writer)));
  std::vector<std::uint8_t> data;
  EXPECT_FALSE(db.ReadRecord("secret", data)) << "without a key nothing is decrypted";
  const std::vector<std::uint8_t> wrong = {'w', 'r', 'o', 'n', 'g'};
  db.SetKey(wrong);
  EXPECT_FALSE(db.ReadRecord("secret", data));
  db.SetKey(secret.Key);
  ASSERT_TRUE(db.ReadRecord("secret", data)) << db.LastError();
  EXPECT_EQ(data, Second);
  ASSERT_TRUE(db.ReadRecord("plain", data)) << "unflagged records ignore the key";
  EXPECT_EQ(data, First);
}

// A published Blowfish-CBC vector: 29 bytes of text padded with zeros to 32.
TEST(GfxDbCipherTest, MatchesTheBlowfishCbcReferenceAndLeavesAPartialBlock) {
  const std::vector<std::uint8_t> key = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                         0xF0, 0xE1, 0xD2, 0xC3, 0xB4, 0xA5, 0x96, 0x87};
  const std::array<std::uint8_t, 8> iv = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
  std::vector<std::uint8_t> data(32, 0);
  std::memcpy(data.data(), "7654321 Now is the time for ", 28);
  const std::vector<std::uint8_t> expected = {
      0x6B, 0x77, 0xB4, 0xD6, 0x30, 0x06, 0xDE, 0xE6, 0x05, 0xB1, 0x56, 0xE2, 0x74, 0x03, 0x97, 0x93,
      0x58, 0xDE, 0xB9, 0xE7, 0x15, 0x46, 0x16, 0xD9, 0x59, 0xF1, 0x65, 0x2B, 0xD5, 0xFF, 0x92, 0xCC};
  ASSERT_TRUE(GfxDbEncrypt(data, key, iv));
  EXPECT_EQ(data, expected);
  ASSERT_TRUE(GfxDbDecrypt(data, key, iv));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data()), 28), "7654321 Now is the time for ");

  std::vector<std::uint8_t> odd(13, 0x5A);
  ASSERT_TRUE(GfxDbEncrypt(odd, key, iv));
  EXPECT_EQ(std::vector<std::uint8_t>(odd.begin() + 8, odd.end()), std::vector<std::uint8_t>(5, 0x5A));
  EXPECT_FALSE(GfxDbEncrypt(odd, {}, iv));
}

}  // namespace

}  // namespace zelmar
