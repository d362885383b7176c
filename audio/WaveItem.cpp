#include "audio/WaveItem.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "audio/AudioError.h"
#include "audio/SoundSystem.h"
#include "audio/WaveImage.h"
#include "audio/WaveList.h"

namespace zelmar::audio {

TWaveItem::TWaveItem(TWaveList& owner, std::string name) : owner_(owner), name_(std::move(name)) {}

TWaveItem::~TWaveItem() {
  ReleaseBuffers();
}

// Checks the image before taking it, so a refused image leaves the item as it was.
void TWaveItem::SetWave(std::span<const uint8_t> image) {
  TWaveImage parsed;
  std::string error;
  if (!ParseWaveImage(image, parsed, error)) throw EAudioError("Invalid wave data: " + error);
  ReleaseBuffers();
  wave_.assign(image.begin(), image.end());
}

// Zero and below keep the clip's own rate; other values are clamped to what buffers accept.
void TWaveItem::SetFrequency(int hz) {
  frequency_ = hz <= 0 ? kFrequencyOriginal : std::clamp(hz, kFrequencyMin, kFrequencyMax);
}

void TWaveItem::SetPan(int pan) {
  pan_ = std::clamp(pan, kPanLeft, kPanRight);
}

void TWaveItem::SetVolume(int volume) {
  volume_ = std::clamp(volume, kVolumeMin, kVolumeMax);
}

// Drops every buffer (they stop as they go) and the output they were made on.
void TWaveItem::ReleaseBuffers() {
  copies_.clear();
  loaded_.reset();
  output_.reset();
}

// Makes sure the loaded buffer exists on the sound system's current output.
bool TWaveItem::Prepare() {
  TSoundSystem* system = owner_.SoundSystem();
  if (!system || !system->Initialized()) return false;
  if (output_ != system->Output()) ReleaseBuffers();
  if (loaded_) return true;
  TWaveImage parsed;
  std::string error;
  if (wave_.empty() || !ParseWaveImage(wave_, parsed, error)) return false;
  loaded_ = SoundBuffer::Create(system->Output(), parsed.Format, parsed.Samples);
  if (loaded_) output_ = system->Output();
  return loaded_ != nullptr;
}

// The first copy not playing; else a new copy while the limit allows; else the oldest copy,
// moved to the end of the list.
SoundBuffer* TWaveItem::FreeCopy() {
  for (auto& copy : copies_) {
    if (!copy->Playing()) return copy.get();
  }
  if (maxPlayingCount_ == 0 || static_cast<int>(copies_.size()) < maxPlayingCount_) {
    auto copy = loaded_->Duplicate();
    if (!copy) return nullptr;
    copies_.push_back(std::move(copy));
    return copies_.back().get();
  }
  if (copies_.empty()) return nullptr;
  std::rotate(copies_.begin(), copies_.begin() + 1, copies_.end());
  return copies_.back().get();
}

// Gives a buffer the item's frequency, pan and volume (always in range, so never refused).
void TWaveItem::ApplyParameters(SoundBuffer& buffer) const {
  buffer.SetFrequency(frequency_);
  buffer.SetPan(pan_);
  buffer.SetVolume(volume_);
}

// 1. initialized and loaded; 2. looped items restart their own buffer; 3. others take a copy;
// 4. the copy restarts from the beginning with the item's parameters.
void TWaveItem::Play(bool wait) {
  if (!Prepare()) return;
  if (looped_) {
    loaded_->Stop();
    loaded_->SetPosition(0);
    ApplyParameters(*loaded_);
    loaded_->Play(true);
    return;
  }
  SoundBuffer* copy = FreeCopy();
  if (!copy) return;
  copy->Stop();
  copy->SetPosition(0);
  ApplyParameters(*copy);
  copy->Play(false);
  if (wait) WaitUntilFinished(*copy);
}

// Waits in 10 ms steps while the copy plays, but no longer than its length plus a second, so a
// stalled sound device cannot hang the caller.
void TWaveItem::WaitUntilFinished(const SoundBuffer& copy) const {
  const int rate = frequency_ > 0 ? frequency_ : copy.SampleRate();
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1) +
                     std::chrono::milliseconds(1000LL * copy.Frames() / rate);
  while (copy.Playing() && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Silences the looped buffer and every copy.
void TWaveItem::Stop() {
  if (loaded_) loaded_->Stop();
  for (auto& copy : copies_) copy->Stop();
}

bool TWaveItem::Playing() const {
  if (loaded_ && loaded_->Playing()) return true;
  return std::any_of(copies_.begin(), copies_.end(), [](const auto& copy) { return copy->Playing(); });
}

}  // namespace zelmar::audio
