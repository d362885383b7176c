// The clips carried in the game and the two tunes beside it: format, lengths, and seamless loops.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "zelmar_clips.h"

namespace zelmar {

namespace {

uint32_t Le(std::span<const unsigned char> b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
  return v;
}

// Decodes an MP3 file to interleaved 16-bit stereo samples at 44.1 kHz (gapless).
bool DecodeMp3(const std::string& path, std::vector<int16_t>& pcm, long& rate, int& channels) {
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  if (!h) return false;
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
  bool ok = mpg123_open(h, path.c_str()) == MPG123_OK;
  int encoding = 0;
  ok = ok && mpg123_getformat(h, &rate, &channels, &encoding) == MPG123_OK;
  if (ok) {
    mpg123_format_none(h);
    mpg123_format(h, rate, channels, MPG123_ENC_SIGNED_16);
    std::vector<unsigned char> buf(65536);
    for (;;) {
      size_t done = 0;
      const int err = mpg123_read(h, buf.data(), buf.size(), &done);
      const size_t old = pcm.size();
      pcm.resize(old + done / 2);
      std::memcpy(pcm.data() + old, buf.data(), done);
      if (err == MPG123_DONE) break;
      if (err != MPG123_OK && err != MPG123_NEW_FORMAT) {
        ok = false;
        break;
      }
    }
  }
  mpg123_close(h);
  mpg123_delete(h);
  return ok;
}

}  // namespace

TEST(ContentClips, EachClipIsStereo16BitPcmAtItsLength) {
  const double lengths[] = {1.10, 0.70, 0.54, 2.92, 1.35, 1.57, 1.93, 2.62};
  for (int n = 1; n <= 8; ++n) {
    SCOPED_TRACE(n);
    const auto wav = FindClip("sound_" + std::to_string(n));
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le(wav, 20, 2), 1u);      // PCM
    EXPECT_EQ(Le(wav, 22, 2), 2u);      // stereo
    EXPECT_EQ(Le(wav, 24, 4), 22050u);  // rate
    EXPECT_EQ(Le(wav, 34, 2), 16u);     // bits
    ASSERT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    const uint32_t frames = Le(wav, 40, 4) / 4;
    EXPECT_NEAR(frames / 22050.0, lengths[n - 1], 0.001);
    EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
    // Audible, not clipped, and silent at its very end.
    int peak = 0;
    for (uint32_t i = 0; i < frames * 2; ++i)
      peak = std::max(peak, std::abs(static_cast<int16_t>(Le(wav, 44 + 2 * i, 2))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
    EXPECT_LT(std::abs(static_cast<int16_t>(Le(wav, 44 + 4 * (frames - 1), 2))), 200);
  }
  EXPECT_TRUE(FindClip("sound_9").empty());
}

TEST(ContentTunes, EachTuneDecodesToAMinuteAndLoopsWithoutAJump) {
  for (const char* name : {"title_theme.mp3", "main_theme.mp3"}) {
    SCOPED_TRACE(name);
    std::vector<int16_t> pcm;
    long rate = 0;
    int channels = 0;
    ASSERT_TRUE(DecodeMp3(name, pcm, rate, channels));
    EXPECT_EQ(rate, 44100);
    ASSERT_EQ(channels, 2);
    const size_t frames = pcm.size() / 2;
    EXPECT_GE(static_cast<double>(frames) / 44100.0, 60.0);
    for (int c = 0; c < 2; ++c) {
      // The join (last sample to first) must be no larger than the steps the music itself makes.
      std::vector<int> steps;
      for (size_t i = 1; i < frames; ++i) steps.push_back(std::abs(pcm[2 * i + c] - pcm[2 * (i - 1) + c]));
      std::sort(steps.begin(), steps.end());
      const int usual = steps[steps.size() * 999 / 1000];
      const int join = std::abs(pcm[c] - pcm[2 * (frames - 1) + c]);
      EXPECT_LE(join, usual) << "channel " << c;
      // The start is music, not a gap of silence.
      int early = 0;
      for (size_t i = 0; i < 2205; ++i) early = std::max(early, std::abs(static_cast<int>(pcm[2 * i + c])));
      EXPECT_GT(early, 300) << "channel " << c;
    }
  }
}

}  // namespace zelmar
