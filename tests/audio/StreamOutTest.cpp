// The music output: its playback thread on SDL's dummy driver and on a pulled output, start
// and stop, the refusals of Run, refilling, the end of the input, the no-space error, and its
// setters while it plays. Every wait is for a condition; its limit only ends a real hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "audio/AudioError.h"
#include "audio/AudioStreamOut.h"
#include "audio/AudioTestData.h"
#include "audio/Mp3Source.h"

namespace zelmar::audio {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr int kFrames = 22050;  // half a second

class StreamOutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new std::filesystem::path(test::ScratchDirectory("stream"));
    ASSERT_TRUE(test::WriteMp3(*dir / "tune.mp3", 2, kRate, test::MakeSine(2, kRate, kFrames, 100, 8000)));
    ASSERT_TRUE(test::WriteMp3(*dir / "other.mp3", 2, kRate, test::MakeSine(2, kRate, kFrames, 40, 6000)));
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir);
    delete dir;
  }

  void SetUp() override {
    source.SetFileName((*dir / "tune.mp3").string());
    out.SetInput(&source);
  }

  // The whole tune as the input decodes it.
  std::vector<int16_t> DecodeTune() {
    TMp3Source plain;
    plain.SetFileName(source.FileName());
    EXPECT_TRUE(plain.Open());
    std::vector<int16_t> pcm(2 * kFrames);
    EXPECT_EQ(plain.Read(pcm.data(), kFrames), kFrames);
    return pcm;
  }

  // Pulls small pieces until the thread has filled the ring and started it: until then the mix is
  // silent, and a piece is mixed in one pass, so it is either all silence or all tune. Answers the
  // first piece of the tune, empty if the stream never started.
  static std::vector<int16_t> FirstHeardPiece(ManualAudioOutput& output) {
    std::vector<int16_t> heard;
    test::WaitUntil([&] {
      auto piece = output.Pull(64);
      if (std::none_of(piece.begin(), piece.end(), [](int16_t s) { return s != 0; })) return false;
      heard = std::move(piece);
      return true;
    });
    return heard;
  }

  static std::string RunError(TAudioStreamOut& output) {
    try {
      output.Run();
    } catch (const EAudioError& e) {
      return e.what();
    }
    return "";
  }

  static std::filesystem::path* dir;
  TMp3Source source;
  TAudioStreamOut out;
};

std::filesystem::path* StreamOutTest::dir = nullptr;

TEST_F(StreamOutTest, PlaysOnTheDummyDriverAndStopsPromptly) {
  source.SetLoop(true);
  ASSERT_TRUE(source.Valid());
  out.Run();
  EXPECT_EQ(out.Status(), tosPlaying);
  EXPECT_TRUE(out.ThreadRunning());
  EXPECT_EQ(RunError(out), "Component is Busy");
  // Longer than the tune: it must loop.
  ASSERT_TRUE(test::WaitUntil([&] { return out.FramesPlayed() > 2 * kFrames || !out.ThreadRunning(); }));
  EXPECT_EQ(out.Status(), tosPlaying);
  EXPECT_EQ(out.LastError(), "");
  out.Pause();
  EXPECT_EQ(out.Status(), tosPaused);
  out.Resume();
  EXPECT_EQ(out.Status(), tosPlaying);
  out.Stop(false);
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_FALSE(out.ThreadRunning());
  EXPECT_FALSE(source.IsOpen());
  // A stop wakes the thread from its wait between two checks of the cursor, however long that is.
  out.SetPollingInterval(600000);
  out.Run();
  ASSERT_TRUE(test::WaitUntil([&] { return out.FramesWritten() > 0; }));  // filled: now it waits
  const auto start = Clock::now();
  out.Stop(false);
  EXPECT_LT(Clock::now() - start, 60s) << "the stop waited for the next check";
  out.SetPollingInterval(200);
  out.Run();  // runs again after a stop
  EXPECT_EQ(out.Status(), tosPlaying);
  out.Stop(true);
  EXPECT_EQ(out.Status(), tosIdle);
  out.Run();  // even right after an asynchronous stop
  out.Stop(false);
}

TEST_F(StreamOutTest, RunRefusesWhatItCannotPlay) {
  TAudioStreamOut bare;
  EXPECT_EQ(RunError(bare), "Input is not assigned");
  out.SetDeviceNumber(AudioOutput::DeviceCount());
  EXPECT_EQ(RunError(out), "Invalid device number");
  out.SetDeviceNumber(-1);
  EXPECT_EQ(RunError(out), "Invalid device number");
  out.SetDeviceNumber(0);
  out.SetFramesInBuffer(1);
  EXPECT_EQ(RunError(out), "Failed to create DirectSound buffer 80070057");
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_FALSE(source.IsOpen());
  out.SetFramesInBuffer(65536);
  source.SetFileName((*dir / "missing.mp3").string());
  EXPECT_EQ(RunError(out), "Failed to open the input");
  EXPECT_EQ(out.Status(), tosIdle);
}

TEST_F(StreamOutTest, StreamedSamplesMatchTheDecodedTuneAcrossRefillsAndLoops) {
  const std::vector<int16_t> tune = DecodeTune();
  auto output = std::make_shared<ManualAudioOutput>(kRate);
  out.UseOutput(output);
  out.SetFramesInBuffer(32768);
  out.SetPollingInterval(50);  // 16 checks without a pull (0.8 s) would end the stream
  source.SetLoop(true);
  out.Run();
  std::vector<int16_t> heard = FirstHeardPiece(*output);
  ASSERT_FALSE(heard.empty()) << "the stream never started";
  // Pull 2.5 tunes in pieces much smaller than the ring, each once the thread has written it.
  uint64_t taken = heard.size() / 2;
  while (heard.size() < 2 * static_cast<size_t>(kFrames) * 5 / 2) {
    ASSERT_TRUE(test::WaitUntil([&] { return out.FramesWritten() >= taken + 3000; })) << "no refill";
    auto piece = output->Pull(3000);
    taken += 3000;
    heard.insert(heard.end(), piece.begin(), piece.end());
  }
  out.Stop(false);
  for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], tune[i % tune.size()]) << "sample " << i;
}

TEST_F(StreamOutTest, EndsByItselfAfterTheLastFramePlays) {
  auto output = std::make_shared<ManualAudioOutput>(kRate);
  out.UseOutput(output);
  out.SetFramesInBuffer(8192);
  out.SetPollingInterval(50);  // 16 checks without a pull (0.8 s) would end the stream
  out.Run();
  ASSERT_FALSE(FirstHeardPiece(*output).empty()) << "the stream never started";
  // Pieces of 2000 frames, never more than two ahead of what the thread has seen played, so that
  // the cursor never laps the ring between two checks.
  uint64_t taken = 64;
  ASSERT_TRUE(test::WaitUntil([&] {
    if (!out.ThreadRunning()) return true;
    if (taken < out.FramesPlayed() + 4000) {
      output->Pull(2000);
      taken += 2000;
    }
    return false;
  }));
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_EQ(out.LastError(), "");
  out.Run();  // and can play again
  out.Stop(false);
}

TEST_F(StreamOutTest, OutputThatNeverPlaysEndsWithAnError) {
  out.UseOutput(std::make_shared<ManualAudioOutput>(kRate));  // nobody pulls it
  out.SetPollingInterval(2);
  source.SetLoop(true);
  out.Run();
  EXPECT_TRUE(test::WaitUntil([&] { return !out.ThreadRunning(); }));
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_EQ(out.LastError(), "Audio output error");
}

// The setters may be used while the stream plays: the polling interval applies from the next check,
// the input, device and ring size wait for the next Run while the thread keeps what it was given.
// Under the thread sanitizer a setter that wrote what the thread reads, unlocked, is a data race.
TEST_F(StreamOutTest, SettersWhilePlayingTakeEffectSafely) {
  const std::vector<int16_t> tune = DecodeTune();
  TMp3Source other;
  other.SetFileName((*dir / "other.mp3").string());
  auto output = std::make_shared<ManualAudioOutput>(kRate);
  out.UseOutput(output);
  out.SetFramesInBuffer(8192);
  out.SetPollingInterval(50);
  out.Run();
  std::vector<int16_t> heard = FirstHeardPiece(*output);
  ASSERT_FALSE(heard.empty()) << "the stream never started";
  uint64_t taken = heard.size() / 2;
  for (int k = 0; k < 20; ++k) {
    out.SetPollingInterval(20 + k);
    out.SetInput(k % 2 ? &other : &source);
    out.SetDeviceNumber(k % 2);
    out.SetFramesInBuffer(4096 + static_cast<uint32_t>(k));
    ASSERT_TRUE(test::WaitUntil([&] { return out.FramesWritten() >= taken + 1000; })) << "no refill";
    auto piece = output->Pull(1000);
    taken += 1000;
    heard.insert(heard.end(), piece.begin(), piece.end());
  }
  EXPECT_EQ(out.PollingInterval(), 39);
  EXPECT_EQ(out.Input(), &other);
  EXPECT_EQ(out.FramesInBuffer(), 4115u);
  EXPECT_FALSE(other.IsOpen());
  out.Stop(false);
  EXPECT_FALSE(source.IsOpen());
  for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], tune[i]) << "sample " << i;
  // The next Run takes the new input.
  out.SetDeviceNumber(0);
  out.Run();
  EXPECT_TRUE(other.IsOpen());
  EXPECT_FALSE(source.IsOpen());
  out.Stop(false);
  EXPECT_FALSE(other.IsOpen());
}

}  // namespace
}  // namespace zelmar::audio
