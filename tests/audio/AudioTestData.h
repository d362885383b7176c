// Test data made on the spot: wave images and MP3 files of known content.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zelmar::audio::test {

// A RIFF WAVE image of 16-bit PCM with the given interleaved samples.
std::vector<uint8_t> MakeWaveImage(int channels, int sampleRate, const std::vector<int16_t>& samples);

// `frames` frames of a sine with a whole number of periods over the length, so that the end
// joins the start smoothly; amplitude in 16-bit units.
std::vector<int16_t> MakeSine(int channels, int sampleRate, int frames, int periods, double amplitude);

// Encodes interleaved samples as a constant-bit-rate MP3 with an encoder-delay tag, so that a
// gapless decoder delivers exactly the encoded frames. Returns false if encoding failed.
bool WriteMp3(const std::filesystem::path& path, int channels, int sampleRate,
              const std::vector<int16_t>& samples);

// A fresh directory for one test's files.
std::filesystem::path ScratchDirectory(const std::string& name);

// Checks the condition every millisecond until it holds or the limit passes; answers the condition.
// The limit only ends a real hang: the playback threads may run slowly on a loaded machine.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(60));

}  // namespace zelmar::audio::test
