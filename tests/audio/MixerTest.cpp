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

std::vector<uint8_t> PcmBytes(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  return bytes;
}

// A mono clip of `frames` frames all at `level`.
std::unique_ptr<SoundBuffer> FlatClip(std::shared_ptr<AudioOutput> out, int frames, int16_t level,
                                      int rate = 44100) {
  auto bytes = PcmBytes(std::vector<int16_t>(static_cast<size_t>(frames), level));
  return SoundBuffer::Create(std::move(out), PcmFormat{1, rate, 16}, bytes);
}

// Number of leading frames whose left sample is not zero.
int SoundingFrames(const std::vector<int16_t>& mix) {
  int n = 0;
  while (2 * static_cast<size_t>(n) < mix.size() && mix[2 * n] != 0) ++n;
  return n;
}

TEST(Decibels, GainFollowsHundredthsOfADecibel) {
  EXPECT_FLOAT_EQ(AttenuationGain(0), 1.0f);
  EXPECT_NEAR(AttenuationGain(-600), 0.5012f, 1e-4);
  EXPECT_NEAR(AttenuationGain(-2000), 0.1f, 1e-6);
  EXPECT_EQ(AttenuationGain(-10000), 0.0f);
  ChannelGains left = GainsFor(0, -10000);
  EXPECT_FLOAT_EQ(left.Left, 1.0f);
  EXPECT_EQ(left.Right, 0.0f);
  ChannelGains right = GainsFor(-600, 600);
  EXPECT_NEAR(right.Left, 0.5012f * 0.5012f, 1e-4);
  EXPECT_NEAR(right.Right, 0.5012f, 1e-4);
}

TEST(Mixer, ClipPlaysOnceAtItsLengthAndLevel) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = FlatClip(out, 1000, 1234);
  ASSERT_TRUE(clip);
  clip->Play(false);
  auto mix = out->Pull(1500);
  EXPECT_EQ(SoundingFrames(mix), 1000);
  EXPECT_EQ(mix[0], 1234);
  EXPECT_EQ(mix[1], 1234);  // mono goes to both channels
  EXPECT_EQ(mix[2 * 999 + 1], 1234);
  EXPECT_FALSE(clip->Playing());
  EXPECT_EQ(clip->Position(), 0u);
}

TEST(Mixer, ClipIsResampledToTheOutputRate) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = FlatClip(out, 441, 1000, 22050);  // 20 ms at half the output rate
  clip->Play(false);
  auto mix = out->Pull(2000);
  EXPECT_EQ(SoundingFrames(mix), 882);
  // Played at an explicit frequency: twice the output rate halves the length.
  clip->SetPosition(0);
  ASSERT_TRUE(clip->SetFrequency(88200));
  clip->Play(false);
  EXPECT_EQ(SoundingFrames(out->Pull(2000)), 221);
}

TEST(Mixer, InterpolatesBetweenFrames) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto bytes = PcmBytes({0, 1000, 2000, 3000});
  auto clip = SoundBuffer::Create(out, PcmFormat{1, 22050, 16}, bytes);
  clip->Play(false);
  auto mix = out->Pull(6);
  for (int f = 0; f < 6; ++f) EXPECT_EQ(mix[2 * f], 500 * f) << f;
}

TEST(Mixer, SumsVoicesAndSaturates) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto a = FlatClip(out, 100, 20000);
  auto b = a->Duplicate();
  auto c = FlatClip(out, 100, -30000);
  auto d = c->Duplicate();
  a->Play(false);
  b->Play(false);
  EXPECT_EQ(out->Pull(1)[0], 32767);
  c->Play(false);
  d->Play(false);
  a->Stop();
  b->Stop();
  EXPECT_EQ(out->Pull(1)[0], -32768);
}

TEST(Mixer, LoopingClipWrapsUntilStopped) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  std::vector<int16_t> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<int16_t>(i * 10);
  auto clip = SoundBuffer::Create(out, PcmFormat{1, 44100, 16}, PcmBytes(ramp));
  clip->Play(true);
  auto mix = out->Pull(1050);
  for (int f = 0; f < 1050; ++f) ASSERT_EQ(mix[2 * f], (f % 100) * 10) << f;
  EXPECT_TRUE(clip->Playing());
  EXPECT_EQ(clip->Position(), 50u);
  clip->Stop();
  EXPECT_EQ(SoundingFrames(out->Pull(10)), 0);
  EXPECT_EQ(clip->Position(), 50u);  // stopping keeps the place
}

TEST(Mixer, VolumeAndPanAttenuateInHundredthsOfADecibel) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  auto clip = FlatClip(out, 100, 10000);
  auto level = [&](int volume, int pan) {
    EXPECT_TRUE(clip->SetVolume(volume));
    EXPECT_TRUE(clip->SetPan(pan));
    clip->SetPosition(0);
    clip->Play(false);
    auto mix = out->Pull(1);
    clip->Stop();
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
  EXPECT_FALSE(clip->SetVolume(1));
  EXPECT_FALSE(clip->SetVolume(-10001));
  EXPECT_FALSE(clip->SetPan(10001));
  EXPECT_FALSE(clip->SetFrequency(99));
  EXPECT_EQ(clip->Volume(), -600);
  EXPECT_EQ(clip->Pan(), 2000);
}

TEST(Mixer, ConvertsEightBitAndStereoClips) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  std::vector<uint8_t> eight = {128, 255, 0};
  auto clip8 = SoundBuffer::Create(out, PcmFormat{1, 44100, 8}, eight);
  ASSERT_TRUE(clip8);
  clip8->Play(false);
  auto mix = out->Pull(3);
  EXPECT_EQ(mix[0], 0);
  EXPECT_EQ(mix[2], 127 * 256);
  EXPECT_EQ(mix[4], -32768);
  auto stereo = SoundBuffer::Create(out, PcmFormat{2, 44100, 16}, PcmBytes({100, -200}));
  stereo->Play(false);
  mix = out->Pull(1);
  EXPECT_EQ(mix[0], 100);
  EXPECT_EQ(mix[1], -200);
  EXPECT_FALSE(SoundBuffer::Create(out, PcmFormat{3, 44100, 16}, PcmBytes({1, 2, 3})));
  EXPECT_FALSE(SoundBuffer::Create(out, PcmFormat{1, 44100, 12}, PcmBytes({1, 2, 3})));
}

TEST(Mixer, StreamBufferCursorAdvancesAsTheOutputConsumes) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  uint32_t error = 1;
  auto ring = StreamBuffer::Create(out, PcmFormat{2, 44100, 16}, 1000, error);
  ASSERT_TRUE(ring);
  EXPECT_EQ(error, 0u);
  StreamBuffer::Region region = ring->Lock(900, 200);  // wraps round the end
  EXPECT_EQ(region.First.size(), 200u);
  EXPECT_EQ(region.Second.size(), 200u);
  for (auto& s : region.First) s = 7;
  for (auto& s : region.Second) s = 9;
  ring->Unlock();
  ring->SetPlayCursor(850);
  ring->Play();
  auto mix = out->Pull(200);
  EXPECT_EQ(mix[0], 0);
  EXPECT_EQ(mix[2 * 50], 7);
  EXPECT_EQ(mix[2 * 150 + 1], 9);
  EXPECT_EQ(ring->PlayCursor(), 50u);
  EXPECT_FALSE(StreamBuffer::Create(out, PcmFormat{2, 44100, 8}, 1000, error));
  EXPECT_EQ(error, kErrorInvalidFormat);
}

// A ring played faster than its writer refills it (a starved music thread, or a test pulling the mix
// faster than real time) stops, silent, at the bound its writer published instead of lapping into frames
// being rewritten, and goes on from the same frame once the bound moves.
TEST(Mixer, StreamBufferFallsSilentAtThePlayableBoundAndGoesOnWhenItMoves) {
  auto out = std::make_shared<ManualAudioOutput>(44100);
  uint32_t error = 1;
  constexpr uint32_t kRing = 100;
  auto ring = StreamBuffer::Create(out, PcmFormat{2, 44100, 16}, kRing, error);
  ASSERT_TRUE(ring);
  StreamBuffer::Region region = ring->Lock(0, kRing);
  for (auto& s : region.First) s = 5;
  ring->Unlock(kRing);
  ring->SetPlayCursor(0);
  ring->Play();
  auto mix = out->Pull(150);
  EXPECT_EQ(mix[2 * 98], 5);
  EXPECT_EQ(mix[2 * 99], 0);   // the last frame would need the next round's first
  EXPECT_EQ(mix[2 * 149], 0);  // silent, not a second round of old frames
  EXPECT_EQ(ring->PlayCursor(), kRing - 1);
  region = ring->Lock(0, kRing - 1);
  for (auto& s : region.First) s = 8;
  ring->Unlock(kRing - 1 + kRing);
  mix = out->Pull(10);
  EXPECT_EQ(mix[2 * 1], 8);  // the held frame, then the new round
  EXPECT_EQ(ring->PlayCursor(), 9u);
}

}  // namespace
}  // namespace zelmar::audio
