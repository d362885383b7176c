// The named effect clips of a window, played on a sound system.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "audio/WaveItem.h"

namespace zelmar::audio {

class TSoundSystem;

class TWaveList {
 public:
  explicit TWaveList(TSoundSystem* soundSystem = nullptr) : soundSystem_(soundSystem) {}
  TWaveList(const TWaveList&) = delete;
  TWaveList& operator=(const TWaveList&) = delete;

  TSoundSystem* SoundSystem() const { return soundSystem_; }
  void SetSoundSystem(TSoundSystem* system) { soundSystem_ = system; }

  // Appends an empty item.
  TWaveItem& Add(std::string name);
  // Appends an item holding a RIFF WAVE image (for clips carried inside the program); a refused
  // image raises EAudioError and adds nothing.
  TWaveItem& Add(std::string name, std::span<const uint8_t> waveImage);

  int Count() const { return static_cast<int>(items_.size()); }
  // The item at a 0-based position; EAudioError when there is none.
  TWaveItem& Items(int index);
  TWaveItem& operator[](int index) { return Items(index); }
  // The item of that name, or nullptr.
  TWaveItem* Find(std::string_view name);

  void Delete(int index);
  void Clear() { items_.clear(); }

 private:
  TSoundSystem* soundSystem_;
  std::vector<std::unique_ptr<TWaveItem>> items_;
};

}  // namespace zelmar::audio
