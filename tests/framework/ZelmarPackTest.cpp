// zelmar-pack: byte-exact round trips and clean failures on damaged archives.
#include <cstdlib>
#include <sstream>

#include "tests/framework/ArchiveFixture.h"
#include "tools/archive/PackCommands.h"

namespace zelmar {

using namespace archive_test;

namespace {

class ZelmarPackTest : public ScratchDir {
 protected:
  // Runs one command line, keeping its output and messages.
  int Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunZelmarPack(args, out, err);
    Out = out.str();
    Err = err.str();
    return status;
  }

  std::string Path(const std::string& name) const { return (Dir / name).string(); }

  std::vector<std::uint8_t> Load(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // An archive of two files, "pics" (type 1) and "bin" (raw).
  std::string TwoRecordArchive() {
    const std::string archive = Path("two.dat");
    EXPECT_EQ(Run({"create", archive, "pics=" + Put("a", SampleBytes(9000, 3)) + ":1",
                   "bin=" + Put("b", SampleBytes(77, 4))}),
              0)
        << Err;
    return archive;
  }

  // Expects list, extract and check all to fail with a message on the given archive.
  void ExpectAllFail(const std::string& archive, const std::string& what) {
    EXPECT_EQ(Run({"list", archive}), 1) << what;
    EXPECT_NE(Err.find("zelmar-pack: "), std::string::npos) << what;
    EXPECT_EQ(Run({"extract", archive, "pics", Path("out")}), 1) << what;
    EXPECT_NE(Err.find("zelmar-pack: "), std::string::npos) << what;
    EXPECT_FALSE(std::filesystem::exists(Path("out"))) << what;
    EXPECT_EQ(Run({"check", archive}), 1) << what;
    EXPECT_NE(Err.find("zelmar-pack: "), std::string::npos) << what;
  }

  std::string Out, Err;
};

TEST_F(ZelmarPackTest, RoundTripsArbitraryFilesByteForByte) {
  std::vector<std::string> args = {"create", Path("rt.dat")};
  std::vector<std::vector<std::uint8_t>> files = {
      {0}, std::vector<std::uint8_t>(1 << 20, 0), SampleBytes(123457, 9)};
  std::vector<std::uint8_t> noise(65536);
  for (std::size_t i = 0; i < noise.size(); ++i)
    noise[i] = static_cast<std::uint8_t>((i * 7919u) ^ (i >> 3) * 31u);
  files.push_back(noise);
  for (std::size_t i = 0; i < files.size(); ++i)
    args.push_back("rec" + std::to_string(i) + "=" + Put("in" + std::to_string(i), files[i]) + ":" +
                   std::to_string(i));
  ASSERT_EQ(Run(args), 0) << Err;
  ASSERT_EQ(Run({"check", Path("rt.dat")}), 0) << Err;
  EXPECT_NE(Out.find("4 records, all sound"), std::string::npos);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string out = Path("out" + std::to_string(i));
    ASSERT_EQ(Run({"extract", Path("rt.dat"), "REC" + std::to_string(i), out}), 0) << Err;
    EXPECT_EQ(Load(out), files[i]) << i;
  }
}

TEST_F(ZelmarPackTest, ListShowsNameTypeSizesAndFlags) {
  const std::string archive = TwoRecordArchive();
  ASSERT_EQ(Run({"list", archive}), 0) << Err;
  std::istringstream lines(Out);
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  std::istringstream row(first);
  std::string name, flags;
  int type = -1, unpacked = -1, stored = -1;
  row >> name >> type >> unpacked >> stored >> flags;
  EXPECT_EQ(name, "pics");
  EXPECT_EQ(type, 1);
  EXPECT_EQ(unpacked, 9000);
  EXPECT_GT(stored, 0);
  EXPECT_EQ(flags, "0x0000");
  EXPECT_EQ(second.substr(0, 3), "bin");
}

TEST_F(ZelmarPackTest, EncryptedArchiveNeedsTheKey) {
  const auto data = SampleBytes(5000, 5);
  const std::string archive = Path("enc.dat");
  ASSERT_EQ(Run({"create", "--key", "0123456789abcdef", "--iv", "fedcba9876543210", archive,
                 "s=" + Put("s", data)}),
            0)
      << Err;
  ASSERT_EQ(Run({"list", archive}), 0);
  EXPECT_NE(Out.find("encrypted"), std::string::npos);
  EXPECT_EQ(Run({"check", archive}), 1);
  EXPECT_NE(Err.find("no key"), std::string::npos) << Err;
  ASSERT_EQ(Run({"extract", "--key", "0123456789ABCDEF", archive, "s", Path("s.out")}), 0) << Err;
  EXPECT_EQ(Load(Path("s.out")), data);
}

TEST_F(ZelmarPackTest, RefusesBadCommandLinesAndInputsWithoutWriting) {
  const std::string archive = Path("x.dat");
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"frobnicate"}), 2);
  EXPECT_EQ(Run({"create", archive}), 2);
  EXPECT_EQ(Run({"create", archive, "noequals"}), 1);
  EXPECT_EQ(Run({"create", archive, "a=" + Path("missing")}), 1);
  EXPECT_NE(Err.find("missing"), std::string::npos);
  EXPECT_EQ(Run({"create", archive, "a=" + Put("empty", {})}), 1) << "an empty record could never be read";
  EXPECT_EQ(Run({"create", archive, "a=" + Put("f", {1}) + ":70000"}), 1);
  EXPECT_EQ(Run({"create", archive, "a=" + Path("f"), "A=" + Path("f")}), 1)
      << "names differing in case collide";
  EXPECT_EQ(Run({"create", "--key", "xyz", archive, "a=" + Path("f")}), 2);
  EXPECT_FALSE(std::filesystem::exists(archive));
  EXPECT_EQ(Run({"list", Path("nothing.dat")}), 1);
  EXPECT_EQ(Run({"extract", TwoRecordArchive(), "absent", Path("o")}), 1);
  EXPECT_NE(Err.find("absent"), std::string::npos);
}

TEST_F(ZelmarPackTest, TruncatedBitFlippedAndForgedArchivesFailCleanly) {
  const auto good = Load(TwoRecordArchive());
  const std::int64_t table = GfxDbGetLE<std::int32_t>(good.data() + 8);
  auto variant = [&](const std::string& name, auto change) {
    auto bytes = good;
    change(bytes);
    return Put(name, bytes);
  };
  ExpectAllFail(variant("cut.dat", [](auto& b) { b.resize(b.size() / 2); }), "truncated");
  ExpectAllFail(variant("count.dat", [](auto& b) { GfxDbPutLE<std::uint32_t>(b.data() + 4, 0x40000000u); }),
                "absurd count");
  ExpectAllFail(variant("name.dat", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table, 0x7FFFFFFF); }),
                "2 GB name");
  ExpectAllFail(
      variant("past.dat", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + table + 8, 0x7FFFFFF0); }),
      "offset past the end");
  const std::int32_t pics = RecordOffset(good, 0);
  ExpectAllFail(variant("neg.dat", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + pics + 6, -100); }),
                "negative stored size");
  ExpectAllFail(
      variant("big.dat", [&](auto& b) { GfxDbPutLE<std::int32_t>(b.data() + pics + 2, 0x7FFFFFFF); }),
      "huge unpacked size");

  const std::string flipped = variant("flip.dat", [&](auto& b) { b[pics + 44 + 100] ^= 0x10; });
  EXPECT_EQ(Run({"list", flipped}), 0) << "the table itself is intact";
  EXPECT_EQ(Run({"check", flipped}), 1);
  EXPECT_NE(Err.find("1 of 2 records"), std::string::npos) << Err;
  EXPECT_EQ(Run({"extract", flipped, "pics", Path("out")}), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("out")));
  EXPECT_EQ(Run({"extract", flipped, "bin", Path("out")}), 0) << "the other record stays readable";
}

TEST_F(ZelmarPackTest, CheckReportsARecordHiddenBehindAnEarlierName) {
  const std::string archive = Path("dup.dat");
  const std::string file = Put("f", SampleBytes(300, 6));
  ASSERT_EQ(Run({"create", archive, "pics=" + file, "PICZ=" + file}), 0) << Err;
  auto bytes = Load(archive);
  const std::int64_t table = GfxDbGetLE<std::int32_t>(bytes.data() + 8);
  const std::int64_t second = table + 4 + 4 + 4 + 4;  // past "pics" and its offset, then the length
  ASSERT_EQ(bytes[second + 3], 'Z');
  bytes[second + 3] = 'S';
  const std::string forged = Put("dup2.dat", bytes);
  EXPECT_EQ(Run({"check", forged}), 1);
  EXPECT_NE(Err.find("\"PICS\" is hidden"), std::string::npos) << Err;
}

TEST_F(ZelmarPackTest, ProgramReturnsTheCommandsStatus) {
  const std::string archive = TwoRecordArchive();
  EXPECT_EQ(std::system(("./zelmar-pack check '" + archive + "' >/dev/null").c_str()), 0);
  const auto bytes = Load(archive);
  const std::string cut = Put("cut.dat", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 30));
  EXPECT_NE(std::system(("./zelmar-pack check '" + cut + "' 2>/dev/null").c_str()), 0);
}

}  // namespace

}  // namespace zelmar
