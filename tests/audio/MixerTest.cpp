// The mixer and its sound buffers, pulled directly: lengths, levels, resampling, saturation,
// volume and pan in hundredths of a decibel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "audio/platform/AudioOutput.h"
#include "audio/platform/Decibels.h"
#include "audio/platform/SoundBuffer.h"
#include "audio/platform/StreamBuffer.h"

namespace zelmar::audio {
namespace {

std::vector<uint8_t> pcmBytes(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  return bytes;
}

// A mono clip of `frames` frames all at `level`.
std::unique_ptr<SoundBuffer> flatClip(std::shared_ptr<AudioOutput> out, int frames, int16_t level,
                                      int rate = 44100) {
  auto bytes = pcmBytes(std::vector<int16_t>(static_cast<size_t>(frames), level));
  return SoundBuffer::create(std::move(out), PcmFormat{1, rate, 16}, bytes);
}

// Number of leading frames whose left sample is not zero.
int soundingFrames(const std::vector<int16_t>& mix) {
  int n = 0;
  while (2 * static_cast<size_t>(n) < mix.size() && mix[2 * n] != 0) ++n;
  return n;
}

TEST(Decibels, GainFollowsHundredthsOfADecibel) {
  EXPECT_FLOAT_EQ(attenuationGain(0), 1.0f);
  EXPECT_NEAR(attenuationGain(-600), 0.5012f, 1e-4);
  EXPECT_NEAR(attenuationGain(-2000), 0.1f, 1e-6);
  EXPECT_EQ(attenuationGain(-10000), 0.0f);
  ChannelGains left = channelGains(0, -10000);
  EXPECT_FLOAT_EQ(left.left, 1.0f);
  EXPECT_EQ(left.right, 0.0f);
  ChannelGains right = channelGains(-600, 600);
  EXPECT_NEAR(right.left, 0.5012f * 0.5012f, 1e-4);
  EXPECT_NEAR(right.right, 0.5012f, 1e-4);
}

TEST(Mixer, ClipPlaysOnceAtItsLengthAndLevel) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = flatClip(out, 1000, 1234);
  ASSERT_TRUE(clip);
  clip->play(false);
  auto mix = out->pull(1500);
  EXPECT_EQ(soundingFrames(mix), 1000);
  EXPECT_EQ(mix[0], 1234);
  EXPECT_EQ(mix[1], 1234);  // mono goes to both channels
  EXPECT_EQ(mix[2 * 999 + 1], 1234);
  EXPECT_FALSE(clip->playing());
  EXPECT_EQ(clip->position(), 0u);
}

TEST(Mixer, ClipIsResampledToTheOutputRate) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = flatClip(out, 441, 1000, 22050);  // 20 ms at half the output rate
  clip->play(false);
  auto mix = out->pull(2000);
  EXPECT_EQ(soundingFrames(mix), 882);
  // Played at an explicit frequency: twice the output rate halves the length.
  clip->setPosition(0);
  ASSERT_TRUE(clip->setFrequency(88200));
  clip->play(false);
  EXPECT_EQ(soundingFrames(out->pull(2000)), 221);
}

TEST(Mixer, InterpolatesBetweenFrames) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto bytes = pcmBytes({0, 1000, 2000, 3000});
  auto clip = SoundBuffer::create(out, PcmFormat{1, 22050, 16}, bytes);
  clip->play(false);
  auto mix = out->pull(6);
  for (int f = 0; f < 6; ++f) EXPECT_EQ(mix[2 * f], 500 * f) << f;
}

TEST(Mixer, SumsVoicesAndSaturates) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto a = flatClip(out, 100, 20000);
  auto b = a->duplicate();
  auto c = flatClip(out, 100, -30000);
  auto d = c->duplicate();
  a->play(false);
  b->play(false);
  EXPECT_EQ(out->pull(1)[0], 32767);
  c->play(false);
  d->play(false);
  a->stop();
  b->stop();
  EXPECT_EQ(out->pull(1)[0], -32768);
}

TEST(Mixer, LoopingClipWrapsUntilStopped) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  std::vector<int16_t> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<int16_t>(i * 10);
  auto clip = SoundBuffer::create(out, PcmFormat{1, 44100, 16}, pcmBytes(ramp));
  clip->play(true);
  auto mix = out->pull(1050);
  for (int f = 0; f < 1050; ++f) ASSERT_EQ(mix[2 * f], (f % 100) * 10) << f;
  EXPECT_TRUE(clip->playing());
  EXPECT_EQ(clip->position(), 50u);
  clip->stop();
  EXPECT_EQ(soundingFrames(out->pull(10)), 0);
  EXPECT_EQ(clip->position(), 50u);  // stopping keeps the place
}

TEST(Mixer, VolumeAndPanAttenuateInHundredthsOfADecibel) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = flatClip(out, 100, 10000);
  auto level = [&](int volume, int pan) {
    EXPECT_TRUE(clip->setVolume(volume));
    EXPECT_TRUE(clip->setPan(pan));
    clip->setPosition(0);
    clip->play(false);
    auto mix = out->pull(1);
    clip->stop();
    return std::pair<int, int>(mix[0], mix[1]);
  };
  EXPECT_EQ(level(0, 0), std::make_pair(10000, 10000));
  EXPECT_EQ(level(-600, 0), std::make_pair(5012, 5012));
  EXPECT_EQ(level(-2000, 0), std::make_pair(1000, 1000));
  EXPECT_EQ(level(-10000, 0), std::make_pair(0, 0));
  EXPECT_EQ(level(0, -10000), std::make_pair(10000, 0));
  EXPECT_EQ(level(0, 10000), std::make_pair(0, 10000));
  EXPECT_EQ(level(0, -600), std::make_pair(10000, 5012));
  EXPECT_EQ(level(-600, 2000), std::make_pair(501, 5012));
  // Out-of-range values are refused and change nothing.
  EXPECT_FALSE(clip->setVolume(1));
  EXPECT_FALSE(clip->setVolume(-10001));
  EXPECT_FALSE(clip->setPan(10001));
  EXPECT_FALSE(clip->setFrequency(99));
  EXPECT_EQ(clip->volume(), -600);
  EXPECT_EQ(clip->pan(), 2000);
}

TEST(Mixer, ConvertsEightBitAndStereoClips) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  std::vector<uint8_t> eight = {128, 255, 0};
  auto clip8 = SoundBuffer::create(out, PcmFormat{1, 44100, 8}, eight);
  ASSERT_TRUE(clip8);
  clip8->play(false);
  auto mix = out->pull(3);
  EXPECT_EQ(mix[0], 0);
  EXPECT_EQ(mix[2], 127 * 256);
  EXPECT_EQ(mix[4], -32768);
  auto stereo = SoundBuffer::create(out, PcmFormat{2, 44100, 16}, pcmBytes({100, -200}));
  stereo->play(false);
  mix = out->pull(1);
  EXPECT_EQ(mix[0], 100);
  EXPECT_EQ(mix[1], -200);
  EXPECT_FALSE(SoundBuffer::create(out, PcmFormat{3, 44100, 16}, pcmBytes({1, 2, 3})));
  EXPECT_FALSE(SoundBuffer::create(out, PcmFormat{1, 44100, 12}, pcmBytes({1, 2, 3})));
}

TEST(Mixer, StreamBufferCursorAdvancesAsTheOutputConsumes) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  uint32_t error = 1;
  auto ring = StreamBuffer::create(out, PcmFormat{2, 44100, 16}, 1000, error);
  ASSERT_TRUE(ring);
  EXPECT_EQ(error, 0u);
  StreamBuffer::Region region = ring->lock(900, 200);  // wraps round the end
  EXPECT_EQ(region.first.size(), 200u);
  EXPECT_EQ(region.second.size(), 200u);
  for (auto& s : region.first) s = 7;
  for (auto& s : region.second) s = 9;
  ring->unlock();
  ring->setPlayCursor(850);
  ring->play();
  auto mix = out->pull(200);
  EXPECT_EQ(mix[0], 0);
  EXPECT_EQ(mix[2 * 50], 7);
  EXPECT_EQ(mix[2 * 150 + 1], 9);
  EXPECT_EQ(ring->playCursor(), 50u);
  EXPECT_FALSE(StreamBuffer::create(out, PcmFormat{2, 44100, 8}, 1000, error));
  EXPECT_EQ(error, kErrorInvalidFormat);
}

}  // namespace
}  // namespace zelmar::audio
