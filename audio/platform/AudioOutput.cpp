#include "audio/platform/AudioOutput.h"

#include <chrono>
#include <map>

#include "audio/platform/SdlAudioOutput.h"

namespace zelmar::audio {

int AudioOutput::DeviceCount() {
  return 1 + SdlAudioOutput::ListedDevices();
}

// Outputs are shared by device number; the table holds them weakly so the last user closes one.
std::shared_ptr<AudioOutput> AudioOutput::Open(int deviceNumber) {
  static std::mutex tableLock;
  static std::map<int, std::weak_ptr<AudioOutput>> table;
  std::lock_guard<std::mutex> guard(tableLock);
  if (auto shared = table[deviceNumber].lock()) return shared;
  std::shared_ptr<AudioOutput> output = SdlAudioOutput::open(deviceNumber);
  if (!output && deviceNumber == 0) output = std::make_shared<SilentAudioOutput>();
  if (output) table[deviceNumber] = output;
  return output;
}

// Starts the clock thread that stands in for a device.
SilentAudioOutput::SilentAudioOutput(int sampleRate) {
  mixer_ = std::make_unique<AudioMixer>(sampleRate);
  thread_ = std::thread([this] { Run(); });
}

// Stops the clock thread before the mixer goes.
SilentAudioOutput::~SilentAudioOutput() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

std::string SilentAudioOutput::Describe() const {
  return "no sound device (silent, " + std::to_string(mixer_->SampleRate()) + " Hz)";
}

// Every 10 ms mixes as many frames as a device would have played since the start.
void SilentAudioOutput::Run() {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  std::vector<int16_t> scratch(2 * AudioMixer::kBlockFrames);
  int64_t done = 0;
  std::unique_lock<std::mutex> guard(lock_);
  while (!wake_.wait_for(guard, std::chrono::milliseconds(10), [this] { return stopping_; })) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    const int64_t due = elapsed.count() * mixer_->SampleRate() / 1000000;
    while (done < due) {
      const int n = static_cast<int>(std::min<int64_t>(due - done, AudioMixer::kBlockFrames));
      mixer_->Render(scratch.data(), n);
      done += n;
    }
  }
}

ManualAudioOutput::ManualAudioOutput(int sampleRate) {
  mixer_ = std::make_unique<AudioMixer>(sampleRate);
}

std::string ManualAudioOutput::Describe() const {
  return "pulled mix (" + std::to_string(mixer_->SampleRate()) + " Hz)";
}

// Mixes on the caller's thread, exactly as a device callback would.
std::vector<int16_t> ManualAudioOutput::Pull(int frames) {
  std::vector<int16_t> out(2 * static_cast<size_t>(frames));
  mixer_->Render(out.data(), frames);
  return out;
}

}  // namespace zelmar::audio
