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
  releaseBuffers();
}

// Checks the image before taking it, so a refused image leaves the item as it was.
void TWaveItem::SetWave(std::span<const uint8_t> image) {
  TWaveImage parsed;
  std::string error;
  if (!parseWaveImage(image, parsed, error)) throw EAudioError("Invalid wave data: " + error);
  releaseBuffers();
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
void TWaveItem::releaseBuffers() {
  copies_.clear();
  loaded_.reset();
  output_.reset();
}

// Makes sure the loaded buffer exists on the sound system's current output.
bool TWaveItem::prepare() {
  TSoundSystem* system = owner_.SoundSystem();
  if (!system || !system->Initialized()) return false;
  if (output_ != system->Output()) releaseBuffers();
  if (loaded_) return true;
  TWaveImage parsed;
  std::string error;
  if (wave_.empty() || !parseWaveImage(wave_, parsed, error)) return false;
  loaded_ = SoundBuffer::create(system->Output(), parsed.format, parsed.samples);
  if (loaded_) output_ = system->Output();
  return loaded_ != nullptr;
}

// The first copy not playing; else a new copy while the limit allows; else the oldest copy,
// moved to the end of the list.
SoundBuffer* TWaveItem::freeCopy() {
  for (auto& copy : copies_) {
    if (!copy->playing()) return copy.get();
  }
  if (maxPlayingCount_ == 0 || static_cast<int>(copies_.size()) < maxPlayingCount_) {
    auto copy = loaded_->duplicate();
    if (!copy) return nullptr;
    copies_.push_back(std::move(copy));
    return copies_.back().get();
  }
  if (copies_.empty()) return nullptr;
  std::rotate(copies_.begin(), copies_.begin() + 1, copies_.end());
  return copies_.back().get();
}

// Gives a buffer the item's frequency, pan and volume (always in range, so never refused).
void TWaveItem::applyParameters(SoundBuffer& buffer) const {
  buffer.setFrequency(frequency_);
  buffer.setPan(pan_);
  buffer.setVolume(volume_);
}

// 1. initialized and loaded; 2. looped items restart their own buffer; 3. others take a copy;
// 4. the copy restarts from the beginning with the item's parameters.
void TWaveItem::Play(bool wait) {
  if (!prepare()) return;
  if (looped_) {
    loaded_->stop();
    loaded_->setPosition(0);
    applyParameters(*loaded_);
    loaded_->play(true);
    return;
  }
  SoundBuffer* copy = freeCopy();
  if (!copy) return;
  copy->stop();
  copy->setPosition(0);
  applyParameters(*copy);
  copy->play(false);
  if (wait) waitUntilFinished(*copy);
}

// Waits in 10 ms steps while the copy plays, but no longer than its length plus a second, so a
// stalled sound device cannot hang the caller.
void TWaveItem::waitUntilFinished(const SoundBuffer& copy) const {
  const int rate = frequency_ > 0 ? frequency_ : copy.sampleRate();
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1) +
                     std::chrono::milliseconds(1000LL * copy.frames() / rate);
  while (copy.playing() && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Silences the looped buffer and every copy.
void TWaveItem::Stop() {
  if (loaded_) loaded_->stop();
  for (auto& copy : copies_) copy->stop();
}

bool TWaveItem::Playing() const {
  if (loaded_ && loaded_->playing()) return true;
  return std::any_of(copies_.begin(), copies_.end(), [](const auto& copy) { return copy->playing(); });
}

}  // namespace zelmar::audio
