#include "audio/AudioTestData.h"

#include <cmath>
#include <fstream>
#include <numbers>
#include <thread>

#include <lame/lame.h>
#include <unistd.h>

namespace zelmar::audio::test {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> MakeWaveImage(int channels, int sampleRate, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, channels);
  Put32(out, sampleRate);
  Put32(out, sampleRate * channels * 2);
  Put16(out, channels * 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

std::vector<int16_t> MakeSine(int channels, int sampleRate, int frames, int periods, double amplitude) {
  (void)sampleRate;
  std::vector<int16_t> out;
  out.reserve(static_cast<size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2.0 * std::numbers::pi * periods * i / frames);
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(std::lround(v)));
  }
  return out;
}

// The encoder puts an empty frame first; it is replaced by the finished tag frame at the end.
bool WriteMp3(const std::filesystem::path& path, int channels, int sampleRate,
              const std::vector<int16_t>& samples) {
  lame_global_flags* lame = lame_init();
  if (!lame) return false;
  lame_set_num_channels(lame, channels);
  lame_set_in_samplerate(lame, sampleRate);
  lame_set_out_samplerate(lame, sampleRate);
  lame_set_mode(lame, channels == 1 ? MONO : JOINT_STEREO);
  lame_set_brate(lame, 192);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, 1);
  bool ok = lame_init_params(lame) >= 0;
  const int frames = static_cast<int>(samples.size() / channels);
  std::vector<unsigned char> mp3(static_cast<size_t>(frames) * 5 / 4 + 7200 + 16384);
  int size = 0;
  if (ok) {
    std::vector<int16_t> pcm = samples;
    if (channels == 1) {
      size =
          lame_encode_buffer(lame, pcm.data(), pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
    } else {
      size =
          lame_encode_buffer_interleaved(lame, pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
    }
    ok = size >= 0;
  }
  if (ok) {
    const int tail = lame_encode_flush(lame, mp3.data() + size, static_cast<int>(mp3.size()) - size);
    ok = tail >= 0;
    size += tail;
  }
  if (ok) {
    unsigned char tag[4096];
    const size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
    ok = tagSize > 0 && tagSize <= sizeof tag && tagSize <= static_cast<size_t>(size);
    if (ok) std::copy(tag, tag + tagSize, mp3.begin());
  }
  lame_close(lame);
  if (!ok) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(mp3.data()), size);
  return static_cast<bool>(file);
}

std::filesystem::path ScratchDirectory(const std::string& name) {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zelmar-audio-test-" + name + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace zelmar::audio::test
