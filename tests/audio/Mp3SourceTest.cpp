// The MP3 input: validity, exact length, seamless looping, ranges, channel choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "audio/AudioTestData.h"
#include "audio/Mp3Source.h"

namespace zelmar::audio {
namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 44100;  // one second

class Mp3SourceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new std::filesystem::path(test::ScratchDirectory("mp3"));
    ASSERT_TRUE(test::WriteMp3(*dir / "tone.mp3", 2, kRate, test::MakeSine(2, kRate, kFrames, 441, 12000)));
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir);
    delete dir;
  }
  static std::string Path(const char* name) { return (*dir / name).string(); }

  // Everything the source delivers in one read of up to `frames` frames.
  static std::vector<int16_t> ReadAll(TMp3Source& source, long frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * source.Channels());
    const long n = source.Read(out.data(), frames);
    out.resize(static_cast<size_t>(n) * source.Channels());
    return out;
  }

  static std::filesystem::path* dir;
};

std::filesystem::path* Mp3SourceTest::dir = nullptr;

TEST_F(Mp3SourceTest, ValidFileReportsItsFormat) {
  TMp3Source source;
  source.SetFileName(Path("tone.mp3"));
  ASSERT_TRUE(source.Valid());
  EXPECT_EQ(source.Channels(), 2);
  EXPECT_EQ(source.SampleRate(), kRate);
  EXPECT_EQ(source.BitsPerSample(), 16);
  EXPECT_FALSE(source.IsOpen());
}

TEST_F(Mp3SourceTest, MissingEmptyAndForeignFilesAreInvalid) {
  TMp3Source source;
  EXPECT_FALSE(source.Valid());  // no name
  source.SetFileName(Path("missing.mp3"));
  EXPECT_FALSE(source.Valid());
  std::ofstream(Path("empty.mp3")).close();
  source.SetFileName(Path("empty.mp3"));
  EXPECT_FALSE(source.Valid());
  std::ofstream(Path("text.mp3")) << "This is a plain text file, not a piece of music.\n";
  source.SetFileName(Path("text.mp3"));
  EXPECT_FALSE(source.Valid());
  std::ofstream noise(Path("noise.mp3"), std::ios::binary);
  std::srand(7);
  for (int i = 0; i < 65536; ++i) noise.put(static_cast<char>(std::rand() & 0x7F));  // never a frame sync
  noise.close();
  source.SetFileName(Path("noise.mp3"));
  EXPECT_FALSE(source.Valid());
  source.SetFileName(dir->string());  // a directory
  EXPECT_FALSE(source.Valid());
  EXPECT_FALSE(source.Open());
  source.SetFileName("/proc/self/exe");  // a program: stray frame-sync patterns in binary data
  EXPECT_FALSE(source.Valid());
}

// Bytes of a whole file.
std::vector<char> FileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& name, const std::vector<char>& bytes) {
  std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(Mp3SourceTest, TaggedFilesAreValidAndTruncatedOnesStillPlay) {
  const std::vector<char> tune = FileBytes(Path("tone.mp3"));
  // An ID3v2 tag larger than the probe (a cover picture, say) ahead of the frames.
  std::vector<char> tagged = {'I', 'D', '3', 3, 0, 0, 0, 0x05, 0, 0};  // 5 * 128 * 128 bytes
  tagged.resize(10 + 5 * 128 * 128, 0);
  tagged.insert(tagged.end(), tune.begin(), tune.end());
  WriteBytes(Path("tagged.mp3"), tagged);
  TMp3Source source;
  source.SetFileName(Path("tagged.mp3"));
  ASSERT_TRUE(source.Valid());
  ASSERT_TRUE(source.Open());
  std::vector<int16_t> pcm(2 * kFrames);
  EXPECT_EQ(source.Read(pcm.data(), kFrames), kFrames);
  // One frame header followed by noise is not MP3.
  std::vector<char> fake(tune.begin(), tune.begin() + 4);
  fake.resize(4096, 0x11);
  WriteBytes(Path("fake.mp3"), fake);
  source.SetFileName(Path("fake.mp3"));
  EXPECT_FALSE(source.Valid());
  // A file cut in the middle of a frame plays what it has and ends.
  WriteBytes(Path("cut.mp3"), std::vector<char>(tune.begin(), tune.begin() + tune.size() / 2 + 7));
  source.SetFileName(Path("cut.mp3"));
  ASSERT_TRUE(source.Open());
  const long got = source.Read(pcm.data(), kFrames);
  EXPECT_GT(got, kFrames / 3);
  EXPECT_LT(got, kFrames);
}

TEST_F(Mp3SourceTest, DeliversExactlyTheEncodedLength) {
  TMp3Source source;
  source.SetFileName(Path("tone.mp3"));
  ASSERT_TRUE(source.Open());
  auto pcm = ReadAll(source, 2 * kFrames);
  EXPECT_EQ(pcm.size(), 2u * kFrames);
  const int16_t peak = *std::max_element(pcm.begin(), pcm.end());
  EXPECT_NEAR(peak, 12000, 600);
  EXPECT_EQ(source.Read(pcm.data(), 10), 0);  // at the end without Loop
}

TEST_F(Mp3SourceTest, LoopContinuesWithoutGapOrClick) {
  TMp3Source source;
  source.SetFileName(Path("tone.mp3"));
  ASSERT_TRUE(source.Open());
  auto first = ReadAll(source, kFrames);
  source.Close();
  source.SetLoop(true);
  ASSERT_TRUE(source.Open());
  auto looped = ReadAll(source, 3 * kFrames + 1000);  // across two wraps inside one read
  ASSERT_EQ(looped.size(), 2u * (3 * kFrames + 1000));
  for (int pass = 1; pass <= 3; ++pass) {
    for (size_t i = 0; i < 2000; ++i) {
      ASSERT_EQ(looped[2 * kFrames * pass + i], first[i]) << "pass " << pass << " sample " << i;
    }
  }
  // No click: the step across the wrap is no larger than the largest step inside the tune.
  int largest = 0;
  for (size_t i = 2; i < first.size(); i += 2) largest = std::max(largest, std::abs(first[i] - first[i - 2]));
  const int wrapStep = std::abs(looped[2 * kFrames] - looped[2 * kFrames - 2]);
  EXPECT_LE(wrapStep, largest + largest / 10);
}

TEST_F(Mp3SourceTest, RangeLoopsBetweenStartAndEndSample) {
  TMp3Source source;
  source.SetFileName(Path("tone.mp3"));
  ASSERT_TRUE(source.Open());
  auto whole = ReadAll(source, kFrames);
  source.SetStartSample(10000);
  source.SetEndSample(15000);
  source.SetLoop(true);
  ASSERT_TRUE(source.Open());
  auto ranged = ReadAll(source, 12000);
  ASSERT_EQ(ranged.size(), 2u * 12000);
  // After seeking the decoder is back in step with a plain decode within rounding.
  for (size_t i = 0; i < 2 * 5000; ++i) ASSERT_NEAR(ranged[i], whole[2 * 10000 + i], 2) << i;
  for (size_t i = 0; i < 2 * 2000; ++i) ASSERT_EQ(ranged[2 * 5000 + i], ranged[i]) << i;
  source.SetLoop(false);
  source.SetStartSample(0);
  source.SetEndSample(0);  // an empty range ends at once, looping or not
  ASSERT_TRUE(source.Open());
  EXPECT_TRUE(ReadAll(source, 100).empty());
  source.SetLoop(true);
  ASSERT_TRUE(source.Open());
  EXPECT_TRUE(ReadAll(source, 100).empty());
}

TEST_F(Mp3SourceTest, OutputChannelsAndPrecisionChoices) {
  TMp3Source source;
  source.SetFileName(Path("tone.mp3"));
  source.SetOutputChannels(cnMono);
  ASSERT_TRUE(source.Open());
  EXPECT_EQ(source.Channels(), 1);
  auto mono = ReadAll(source, kFrames);
  EXPECT_EQ(mono.size(), static_cast<size_t>(kFrames));
  source.SetOutputChannels(cnMaxAvailable);
  source.SetHighPrecision(false);
  ASSERT_TRUE(source.Open());
  EXPECT_EQ(source.Channels(), 2);
  auto fast = ReadAll(source, kFrames);
  ASSERT_EQ(fast.size(), 2u * kFrames);
  for (size_t i = 0; i < mono.size(); i += 97) ASSERT_NEAR(fast[2 * i], mono[i], 2) << i;
}

}  // namespace
}  // namespace zelmar::audio
