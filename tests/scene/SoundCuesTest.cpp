// The cues on the real audio components, both playing into one output the test pulls itself: the clips
// carried in the program, their gating and overlap; the tunes, their gating, switching and a missing file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "audio/AudioTestData.h"
#include "audio/SoundSystem.h"
#include "scene/SoundCues.h"

namespace zelmar::scene {
namespace {

using namespace std::chrono_literals;

constexpr int kRate = 44100;
constexpr int kFrames = 22050;

// Clip number n as the cues take it, numbers without a clip included.
TSoundClip Clip(int n) {
  return static_cast<TSoundClip>(n);
}

bool Silent(const std::vector<int16_t>& pcm) {
  return std::all_of(pcm.begin(), pcm.end(), [](int16_t s) { return s == 0; });
}

class SoundCuesTest : public ::testing::Test {
 protected:
  // Two distinct tunes in one folder, only the title tune in another.
  static void SetUpTestSuite() {
    folder = new std::filesystem::path(audio::test::ScratchDirectory("cues"));
    ASSERT_TRUE(audio::test::WriteMp3(*folder / "title_theme.mp3", 2, kRate,
                                      audio::test::MakeSine(2, kRate, kFrames, 100, 8000)));
    ASSERT_TRUE(audio::test::WriteMp3(*folder / "main_theme.mp3", 2, kRate,
                                      audio::test::MakeSine(2, kRate, kFrames, 350, 6000)));
    std::filesystem::create_directories(*folder / "title-only");
    std::filesystem::copy_file(*folder / "title_theme.mp3", *folder / "title-only" / "title_theme.mp3");
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*folder);
    delete folder;
  }

  SoundCuesTest() {
    system.UseOutput(output);
    system.Loaded();
    stream.UseOutput(output);
  }

  // The first frames of a tune as its file decodes.
  static std::vector<int16_t> Decoded(TTune tune, long frames) {
    audio::TMp3Source plain;
    plain.SetFileName((*folder / TuneFileName(tune)).string());
    EXPECT_TRUE(plain.Open());
    std::vector<int16_t> pcm(static_cast<size_t>(2 * frames));
    EXPECT_EQ(plain.Read(pcm.data(), frames), frames);
    return pcm;
  }

  // Pulls the output until the stream is heard (a piece is mixed in one pass: all silence or all tune),
  // then `frames` frames from there.
  std::vector<int16_t> Heard(int frames) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::vector<int16_t> heard;
    while (heard.empty() && std::chrono::steady_clock::now() < deadline) {
      std::vector<int16_t> piece = output->Pull(64);
      if (!Silent(piece)) {
        heard = piece;
      } else {
        std::this_thread::sleep_for(1ms);  // the streaming thread is still filling its ring
      }
    }
    if (heard.empty()) return heard;
    std::vector<int16_t> rest = output->Pull(frames - 64);
    heard.insert(heard.end(), rest.begin(), rest.end());
    return heard;
  }

  static std::filesystem::path* folder;
  std::shared_ptr<audio::ManualAudioOutput> output = std::make_shared<audio::ManualAudioOutput>(kRate);
  audio::TSoundSystem system;
  audio::TWaveList clips{&system};
  audio::TMp3Source source;
  audio::TAudioStreamOut stream;
  GameOptions options;
};

std::filesystem::path* SoundCuesTest::folder = nullptr;

TEST_F(SoundCuesTest, ClipsAreGatedBySoundAndOverlap) {
  ASSERT_EQ(LoadSoundClips(clips), "");
  ASSERT_EQ(clips.Count(), 8);
  TSoundCues cues(options, clips, source, stream, *folder);

  options.Sound = 2;
  for (int n = 1; n <= 8; ++n) cues.PlaySound(Clip(n));
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(clips[i].Playing()) << clips[i].Name();
  EXPECT_TRUE(Silent(output->Pull(kFrames)));

  options.Sound = 1;
  cues.PlaySound(Clip(3));
  cues.PlaySound(Clip(3));
  cues.PlaySound(Clip(4));
  cues.PlaySound(Clip(0));  // no such clips: nothing, and no error
  cues.PlaySound(Clip(9));
  EXPECT_EQ(clips[2].Name(), "sound_3");
  EXPECT_EQ(clips[2].CopyCount(), 2);
  EXPECT_TRUE(clips[2].Playing());
  EXPECT_TRUE(clips[3].Playing());
  EXPECT_FALSE(clips[6].Playing());
  EXPECT_FALSE(Silent(output->Pull(kFrames)));
  EXPECT_FALSE(cues.MusicPlaying());
}

TEST_F(SoundCuesTest, MissingOrRefusedClipsAreNamedAndKeepTheirPlace) {
  const std::vector<uint8_t> junk(64, 'x');
  const std::vector<uint8_t> tone =
      audio::test::MakeWaveImage(2, 22050, audio::test::MakeSine(2, 22050, 2205, 10, 4000));
  const std::string problems =
      LoadSoundClips(clips, [&](std::string_view name) -> std::span<const unsigned char> {
        if (name == "sound_5") return {};
        if (name == "sound_6") return junk;
        return tone;
      });
  EXPECT_NE(problems.find("sound_5: not found"), std::string::npos) << problems;
  EXPECT_NE(problems.find("sound_6: "), std::string::npos) << problems;
  EXPECT_EQ(problems.find("sound_7"), std::string::npos) << problems;
  ASSERT_EQ(clips.Count(), 8);
  TSoundCues cues(options, clips, source, stream, *folder);
  cues.PlaySound(Clip(5));
  cues.PlaySound(Clip(6));
  cues.PlaySound(Clip(7));
  EXPECT_EQ(clips[4].Name(), "sound_5");
  EXPECT_FALSE(clips[4].Playing());
  EXPECT_FALSE(clips[5].Playing());
  EXPECT_TRUE(clips[6].Playing());
}

TEST_F(SoundCuesTest, TunesAreGatedByMusicSwitchFromTheStartAndStop) {
  TSoundCues cues(options, clips, source, stream, *folder);
  options.Music = 2;
  cues.PlayMusic(TTune::Title);
  EXPECT_FALSE(cues.MusicPlaying());
  EXPECT_EQ(source.FileName(), "");

  options.Music = 1;
  cues.PlayMusic(TTune::Title);
  ASSERT_TRUE(cues.MusicPlaying());
  EXPECT_TRUE(source.Loop());
  EXPECT_EQ(Heard(4096), Decoded(TTune::Title, 4096));

  cues.PlayMusic(TTune::Main);
  ASSERT_TRUE(cues.MusicPlaying());
  EXPECT_EQ(Heard(4096), Decoded(TTune::Main, 4096));

  options.Music = 2;  // a tune already playing goes on
  cues.PlayMusic(TTune::Title);
  EXPECT_TRUE(cues.MusicPlaying());
  EXPECT_EQ(std::filesystem::path(source.FileName()).filename(), "main_theme.mp3");

  cues.StopMusic();
  EXPECT_FALSE(cues.MusicPlaying());
  EXPECT_FALSE(stream.ThreadRunning());
  EXPECT_TRUE(Silent(output->Pull(1024)));
  cues.StopMusic();  // nothing to stop
}

TEST_F(SoundCuesTest, AMissingTuneStopsTheOldOneAndLeavesSilence) {
  TSoundCues cues(options, clips, source, stream, *folder / "title-only");
  cues.PlayMusic(TTune::Title);
  ASSERT_TRUE(cues.MusicPlaying());
  cues.PlayMusic(TTune::Main);
  EXPECT_FALSE(cues.MusicPlaying());
  EXPECT_FALSE(stream.ThreadRunning());
  EXPECT_TRUE(Silent(output->Pull(4096)));
  cues.PlayMusic(TTune::Title);  // and the chain still works afterwards
  EXPECT_TRUE(cues.MusicPlaying());
}

}  // namespace
}  // namespace zelmar::scene
