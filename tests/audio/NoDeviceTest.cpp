// Without any sound device (SDL cannot start its audio at all) effects and music still work,
// silently, at the pace of a real device.
#include <gtest/gtest.h>

#include <chrono>

#include "audio/AudioError.h"
#include "audio/AudioStreamOut.h"
#include "audio/AudioTestData.h"
#include "audio/Mp3Source.h"
#include "audio/SoundSystem.h"
#include "audio/WaveList.h"

namespace zelmar::audio {
namespace {

using namespace std::chrono_literals;

TEST(NoDevice, EffectsAndMusicRunSilently) {
  EXPECT_EQ(AudioOutput::DeviceCount(), 1);
  auto output = AudioOutput::Open(0);
  ASSERT_TRUE(output);
  EXPECT_TRUE(output->Silent());
  EXPECT_EQ(AudioOutput::Open(1), nullptr);

  TSoundSystem system;
  system.Loaded();
  ASSERT_TRUE(system.Initialized());
  TWaveList list(&system);
  TWaveItem& item = list.Add("clip", test::MakeWaveImage(1, 22050, std::vector<int16_t>(2205, 1000)));
  item.Play(false);
  EXPECT_TRUE(item.Playing());
  item.Play(true);  // returns once the 0.1 s clip has been "played"
  EXPECT_FALSE(item.Playing());

  const auto dir = test::ScratchDirectory("nodevice");
  ASSERT_TRUE(test::WriteMp3(dir / "tune.mp3", 2, 44100, test::MakeSine(2, 44100, 44100, 100, 8000)));
  TMp3Source source;
  source.SetFileName((dir / "tune.mp3").string());
  source.SetLoop(true);
  TAudioStreamOut out;
  out.SetInput(&source);
  out.SetPollingInterval(20);
  out.SetDeviceNumber(1);
  try {
    out.Run();
    ADD_FAILURE() << "a device number beyond the list was accepted";
  } catch (const EAudioError& e) {
    EXPECT_STREQ(e.what(), "Invalid device number");
  }
  out.SetDeviceNumber(0);
  out.Run();
  // Well past 16 checks of the cursor (0.32 s of sound): it must be moving.
  ASSERT_TRUE(test::WaitUntil([&] { return out.FramesPlayed() > 44100 / 2 || !out.ThreadRunning(); }));
  EXPECT_EQ(out.Status(), tosPlaying);
  EXPECT_TRUE(out.ThreadRunning());
  EXPECT_EQ(out.LastError(), "");
  out.Stop(false);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zelmar::audio
