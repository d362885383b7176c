#include "audio/WaveList.h"

#include "audio/AudioError.h"

namespace zelmar::audio {

TWaveItem& TWaveList::Add(std::string name) {
  items_.push_back(std::make_unique<TWaveItem>(*this, std::move(name)));
  return *items_.back();
}

TWaveItem& TWaveList::Add(std::string name, std::span<const uint8_t> waveImage) {
  auto item = std::make_unique<TWaveItem>(*this, std::move(name));
  item->SetWave(waveImage);
  items_.push_back(std::move(item));
  return *items_.back();
}

// Position lookup as the game plays clips by number; a bad position is an audio error.
TWaveItem& TWaveList::Items(int index) {
  if (index < 0 || index >= Count()) {
    throw EAudioError("Wave list index out of bounds (" + std::to_string(index) + ")");
  }
  return *items_[static_cast<size_t>(index)];
}

// First item with exactly this name.
TWaveItem* TWaveList::Find(std::string_view name) {
  for (auto& item : items_) {
    if (item->Name() == name) return item.get();
  }
  return nullptr;
}

// Removes an item and its buffers.
void TWaveList::Delete(int index) {
  Items(index);  // range check
  items_.erase(items_.begin() + index);
}

}  // namespace zelmar::audio
