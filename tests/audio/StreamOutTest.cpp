// The music output: its playback thread on SDL's dummy driver and on a pulled output, start
// and stop, the refusals of Run, refilling, the end of the input and the no-space error.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

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
    dir = new std::filesystem::path(test::scratchDirectory("stream"));
    ASSERT_TRUE(test::writeMp3(*dir / "tune.mp3", 2, kRate, test::makeSine(2, kRate, kFrames, 100, 8000)));
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
  std::vector<int16_t> decodeTune() {
    TMp3Source plain;
    plain.SetFileName(source.FileName());
    EXPECT_TRUE(plain.Open());
    std::vector<int16_t> pcm(2 * kFrames);
    EXPECT_EQ(plain.Read(pcm.data(), kFrames), kFrames);
    return pcm;
  }

  static std::string runError(TAudioStreamOut& output) {
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
  EXPECT_EQ(runError(out), "Component is Busy");
  std::this_thread::sleep_for(1500ms);  // longer than the tune: it must loop
  EXPECT_EQ(out.Status(), tosPlaying);
  EXPECT_EQ(out.LastError(), "");
  out.Pause();
  EXPECT_EQ(out.Status(), tosPaused);
  std::this_thread::sleep_for(300ms);
  out.Resume();
  EXPECT_EQ(out.Status(), tosPlaying);
  const auto start = Clock::now();
  out.Stop(false);
  const auto took = Clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(out.PollingInterval()) + 150ms);
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_FALSE(out.ThreadRunning());
  EXPECT_FALSE(source.IsOpen());
  out.Run();  // runs again after a stop
  EXPECT_EQ(out.Status(), tosPlaying);
  out.Stop(true);
  EXPECT_EQ(out.Status(), tosIdle);
  out.Run();  // even right after an asynchronous stop
  out.Stop(false);
}

TEST_F(StreamOutTest, RunRefusesWhatItCannotPlay) {
  TAudioStreamOut bare;
  EXPECT_EQ(runError(bare), "Input is not assigned");
  out.SetDeviceNumber(AudioOutput::deviceCount());
  EXPECT_EQ(runError(out), "Invalid device number");
  out.SetDeviceNumber(-1);
  EXPECT_EQ(runError(out), "Invalid device number");
  out.SetDeviceNumber(0);
  out.SetFramesInBuffer(1);
  EXPECT_EQ(runError(out), "Failed to create DirectSound buffer 80070057");
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_FALSE(source.IsOpen());
  out.SetFramesInBuffer(65536);
  source.SetFileName((*dir / "missing.mp3").string());
  EXPECT_EQ(runError(out), "Failed to open the input");
  EXPECT_EQ(out.Status(), tosIdle);
}

TEST_F(StreamOutTest, StreamedSamplesMatchTheDecodedTuneAcrossRefillsAndLoops) {
  const std::vector<int16_t> tune = decodeTune();
  auto output = std::make_shared<ManualAudioOutput>(kRate);
  out.UseOutput(output);
  out.SetFramesInBuffer(32768);
  out.SetPollingInterval(5);
  source.SetLoop(true);
  out.Run();
  // Until the thread has filled the ring and started it the mix is silent; a piece is mixed in
  // one pass, so it is either all silence or all tune.
  std::vector<int16_t> heard;
  for (int i = 0; i < 400 && heard.empty(); ++i) {
    auto piece = output->pull(64);
    if (std::any_of(piece.begin(), piece.end(), [](int16_t s) { return s != 0; }))
      heard = piece;
    else
      std::this_thread::sleep_for(5ms);
  }
  ASSERT_FALSE(heard.empty()) << "the stream never started";
  // Pull 2.5 tunes in pieces much smaller than the ring, giving the thread time to refill.
  while (heard.size() < 2 * static_cast<size_t>(kFrames) * 5 / 2) {
    auto piece = output->pull(3000);
    heard.insert(heard.end(), piece.begin(), piece.end());
    std::this_thread::sleep_for(20ms);
  }
  out.Stop(false);
  for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], tune[i % tune.size()]) << "sample " << i;
}

TEST_F(StreamOutTest, EndsByItselfAfterTheLastFramePlays) {
  auto output = std::make_shared<ManualAudioOutput>(kRate);
  out.UseOutput(output);
  out.SetFramesInBuffer(8192);
  out.SetPollingInterval(5);
  out.Run();
  std::this_thread::sleep_for(30ms);
  for (int i = 0; i < 300 && out.ThreadRunning(); ++i) {
    output->pull(2000);
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_FALSE(out.ThreadRunning());
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
  for (int i = 0; i < 200 && out.ThreadRunning(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(out.ThreadRunning());
  EXPECT_EQ(out.Status(), tosIdle);
  EXPECT_EQ(out.LastError(), "Audio output error");
}

}  // namespace
}  // namespace zelmar::audio
