// zelmar-audio-bench: what the mixer and the MP3 input cost. The mixer runs in the sound
// device's callback, so one callback's worth of mixing must take a small part of its duration;
// the music input must decode far faster than real time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/Mp3Source.h"
#include "audio/platform/AudioOutput.h"
#include "audio/platform/SoundBuffer.h"
#include "audio/platform/StreamBuffer.h"

using namespace zelmar::audio;

namespace {

constexpr int kDeviceRate = 48000;
constexpr int kCallbackFrames = 1024;

// A two-second stereo 22 050 Hz clip like the game's effects, made of noise.
std::vector<uint8_t> EffectClip() {
  std::vector<int16_t> samples(2 * 22050 * 2);
  uint32_t seed = 1;
  for (auto& s : samples) {
    seed = seed * 1664525u + 1013904223u;
    s = static_cast<int16_t>(seed >> 20) - 2048;
  }
  std::vector<uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  return bytes;
}

// One device callback (1024 frames at 48 kHz, 21.3 ms) mixing N looping effect voices, each
// resampled from 22 050 Hz, plus the 44.1 kHz music ring.
void BM_MixCallback(benchmark::State& state) {
  auto output = std::make_shared<ManualAudioOutput>(kDeviceRate);
  const auto clip = EffectClip();
  auto first = SoundBuffer::Create(output, PcmFormat{2, 22050, 16}, clip);
  std::vector<std::unique_ptr<SoundBuffer>> voices;
  for (int i = 0; i < state.range(0); ++i) {
    voices.push_back(first->Duplicate());
    voices.back()->SetVolume(-300);
    voices.back()->SetPan(i % 2 ? 1000 : -1000);
    voices.back()->Play(true);
  }
  uint32_t error = 0;
  auto ring = StreamBuffer::Create(output, PcmFormat{2, 44100, 16}, 65536, error);
  ring->Play();
  std::vector<int16_t> out(2 * kCallbackFrames);
  for (auto _ : state) {
    output->Mixer().Render(out.data(), kCallbackFrames);
    benchmark::DoNotOptimize(out.data());
  }
  const double callbackSeconds = static_cast<double>(kCallbackFrames) / kDeviceRate;
  // Time per callback over the callback's duration, in percent.
  state.counters["pct_of_callback"] =
      benchmark::Counter(callbackSeconds * static_cast<double>(state.iterations()) / 100.0,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixCallback)->Arg(1)->Arg(8)->Arg(32)->Arg(128);

// Decoding a 10 s stereo MP3 with the looping input; "realtime" tells how many seconds of
// music one second of decoding yields.
void BM_Mp3Decode(benchmark::State& state, const char* path) {
  TMp3Source source;
  source.SetFileName(path);
  source.SetLoop(true);
  source.SetHighPrecision(state.range(0) != 0);
  if (!source.Open()) {
    state.SkipWithError("no test MP3: pass one as the first argument");
    return;
  }
  std::vector<int16_t> pcm(2 * 4096);
  int64_t frames = 0;
  for (auto _ : state) frames += source.Read(pcm.data(), 4096);
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(frames) / source.SampleRate(), benchmark::Counter::kIsRate);
}

}  // namespace

// Usage: zelmar-audio-bench FILE.mp3 [benchmark options]
int main(int argc, char** argv) {
  const char* mp3 = argc > 1 && argv[1][0] != '-' ? argv[1] : "";
  benchmark::RegisterBenchmark("BM_Mp3Decode", BM_Mp3Decode, mp3)->Arg(0)->Arg(1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
