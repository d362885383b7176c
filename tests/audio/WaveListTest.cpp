// Effect clips: wave images, the copy rules of Play, looping, parameters, refusals.
#include <gtest/gtest.h>

#include "audio/AudioError.h"
#include "audio/AudioTestData.h"
#include "audio/SoundSystem.h"
#include "audio/WaveImage.h"
#include "audio/WaveList.h"

namespace zelmar::audio {
namespace {

using test::MakeWaveImage;

// A mono ramp 1, 2, 3 ... at the output's rate, so a frame's value tells where a voice is.
std::vector<uint8_t> RampImage(int frames) {
  std::vector<int16_t> samples(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) samples[i] = static_cast<int16_t>(i + 1);
  return MakeWaveImage(1, 44100, samples);
}

class WaveListTest : public ::testing::Test {
 protected:
  WaveListTest() {
    system.UseOutput(output);
    system.Loaded();
  }
  std::shared_ptr<ManualAudioOutput> output = std::make_shared<ManualAudioOutput>(44100);
  TSoundSystem system;
  TWaveList list{&system};
};

TEST(WaveImage, ReadsPcmAndRefusesAnythingElse) {
  auto image = MakeWaveImage(2, 22050, {1, 2, 3, 4});
  TWaveImage wave;
  std::string error;
  ASSERT_TRUE(ParseWaveImage(image, wave, error)) << error;
  EXPECT_EQ(wave.Format.Channels, 2);
  EXPECT_EQ(wave.Format.SampleRate, 22050);
  EXPECT_EQ(wave.Format.BitsPerSample, 16);
  EXPECT_EQ(wave.Samples.size(), 8u);

  auto truncated = image;
  truncated.resize(truncated.size() - 1);
  EXPECT_FALSE(ParseWaveImage(truncated, wave, error));
  EXPECT_EQ(error, "chunk runs past the end of the image");

  auto compressed = image;
  compressed[20] = 0x55;  // format tag of a compressed codec
  EXPECT_FALSE(ParseWaveImage(compressed, wave, error));
  EXPECT_EQ(error, "not PCM data");

  auto hugeChunk = image;
  hugeChunk[16] = hugeChunk[17] = hugeChunk[18] = hugeChunk[19] = 0xFF;  // fmt size 4 GB
  EXPECT_FALSE(ParseWaveImage(hugeChunk, wave, error));

  EXPECT_FALSE(ParseWaveImage({}, wave, error));
  std::vector<uint8_t> text(40, 'x');
  EXPECT_FALSE(ParseWaveImage(text, wave, error));
  EXPECT_EQ(error, "not a RIFF WAVE image");
}

TEST_F(WaveListTest, ItemsAreFoundByPositionAndName) {
  list.Add("sound_1", RampImage(10));
  list.Add("sound_2", RampImage(10));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list[1].Name(), "sound_2");
  EXPECT_EQ(list.Find("sound_1"), &list[0]);
  EXPECT_EQ(list.Find("sound_9"), nullptr);
  EXPECT_THROW(list.Items(2), EAudioError);
  EXPECT_THROW(list.Items(-1), EAudioError);
  list.Delete(0);
  EXPECT_EQ(list[0].Name(), "sound_2");
}

TEST_F(WaveListTest, InvalidWaveIsRefusedAndTheOldClipStays) {
  TWaveItem& item = list.Add("clip", RampImage(10));
  const std::vector<uint8_t> kept = item.Wave();
  std::vector<uint8_t> junk(100, 0);
  EXPECT_THROW(item.SetWave(junk), EAudioError);
  EXPECT_EQ(item.Wave(), kept);
  EXPECT_THROW(list.Add("bad", junk), EAudioError);
  EXPECT_EQ(list.Count(), 1);
  try {
    item.SetWave(junk);
  } catch (const EAudioError& e) {
    EXPECT_STREQ(e.what(), "Invalid wave data: not a RIFF WAVE image");
  }
}

TEST_F(WaveListTest, ClipPlaysOnceAtItsLength) {
  TWaveItem& item = list.Add("clip", RampImage(500));
  item.Play(false);
  EXPECT_TRUE(item.Playing());
  auto mix = output->Pull(600);
  EXPECT_EQ(mix[0], 1);
  EXPECT_EQ(mix[2 * 499], 500);
  EXPECT_EQ(mix[2 * 500], 0);
  EXPECT_FALSE(item.Playing());
  item.Play(false);  // the finished copy is used again
  EXPECT_EQ(item.CopyCount(), 1);
}

TEST_F(WaveListTest, ThreePlaysOverlapThreeVoices) {
  TWaveItem& item = list.Add("clip", RampImage(1000));
  item.Play(false);
  output->Pull(100);
  item.Play(false);
  output->Pull(100);
  item.Play(false);
  auto mix = output->Pull(1);
  EXPECT_EQ(mix[0], 201 + 101 + 1);
  EXPECT_EQ(item.CopyCount(), 3);
}

TEST_F(WaveListTest, MaxPlayingCountReusesTheOldestCopy) {
  TWaveItem& item = list.Add("clip", RampImage(1000));
  item.SetMaxPlayingCount(2);
  item.Play(false);  // copy A
  output->Pull(300);
  item.Play(false);  // copy B
  output->Pull(300);
  item.Play(false);  // A restarts; B goes on at frame 300
  EXPECT_EQ(item.CopyCount(), 2);
  auto mix = output->Pull(1);
  EXPECT_EQ(mix[0], 1 + 301);
  // B is now the oldest and is the one reused next.
  item.Play(false);
  mix = output->Pull(1);
  EXPECT_EQ(mix[0], 2 + 1);
}

TEST_F(WaveListTest, LoopedItemLoopsOnItsOwnBuffer) {
  TWaveItem& item = list.Add("clip", RampImage(100));
  item.SetLooped(true);
  item.Play(false);
  auto mix = output->Pull(350);
  EXPECT_EQ(mix[2 * 349], 50);
  EXPECT_TRUE(item.Playing());
  EXPECT_EQ(item.CopyCount(), 0);
  item.Play(false);  // restarts from the beginning, still one voice
  EXPECT_EQ(output->Pull(1)[0], 1);
  item.Stop();
  EXPECT_FALSE(item.Playing());
  EXPECT_EQ(output->Pull(1)[0], 0);
}

TEST_F(WaveListTest, ItemParametersApplyToEachPlay) {
  std::vector<int16_t> flat(100, 10000);
  TWaveItem& item = list.Add("clip", MakeWaveImage(1, 44100, flat));
  item.SetVolume(-2000);
  item.SetPan(-10000);
  item.Play(false);
  auto mix = output->Pull(1);
  EXPECT_EQ(mix[0], 1000);
  EXPECT_EQ(mix[1], 0);
  item.SetVolume(5);  // clamped into range
  item.SetPan(20000);
  item.SetFrequency(22050);
  EXPECT_EQ(item.Volume(), 0);
  EXPECT_EQ(item.Pan(), 10000);
  item.Stop();
  item.Play(false);
  mix = output->Pull(300);
  EXPECT_EQ(mix[0], 0);
  EXPECT_EQ(mix[1], 10000);
  EXPECT_EQ(mix[2 * 199 + 1], 10000);  // twice as long at half the rate
  EXPECT_EQ(mix[2 * 200 + 1], 0);
}

TEST(WaveListAlone, NothingPlaysBeforeTheSoundIsInitialized) {
  auto output = std::make_shared<ManualAudioOutput>(44100);
  TSoundSystem system;
  system.SetAutoInitialize(false);
  system.UseOutput(output);
  system.Loaded();
  TWaveList list(&system);
  TWaveItem& item = list.Add("clip", RampImage(100));
  item.Play(false);
  EXPECT_EQ(item.CopyCount(), 0);
  EXPECT_EQ(output->Pull(1)[0], 0);
  TWaveList orphan;
  orphan.Add("clip", RampImage(100)).Play(false);  // no sound system at all
  ASSERT_TRUE(system.Initialize());
  item.Play(false);
  EXPECT_EQ(output->Pull(1)[0], 1);
}

TEST(WaveListAlone, PlayAndWaitReturnsWhenTheClipEnds) {
  TSoundSystem system;
  system.UseOutput(std::make_shared<SilentAudioOutput>(44100));
  system.Loaded();
  TWaveList list(&system);
  TWaveItem& item = list.Add("clip", RampImage(2205));  // 50 ms
  item.Play(true);
  EXPECT_FALSE(item.Playing());
}

TEST_F(WaveListTest, PlayAndWaitGivesUpOnAStalledOutput) {
  TWaveItem& item = list.Add("clip", RampImage(441));  // 10 ms; nobody pulls the output
  item.Play(true);
  EXPECT_TRUE(item.Playing());
}

}  // namespace
}  // namespace zelmar::audio
