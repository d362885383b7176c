#include "framework/GfxImages.h"

#include "framework/GfxDevice.h"
#include "framework/GfxImageRecord.h"

namespace zelmar {

// Quality picks the format list, so it changes only before textures exist.
bool TGfxImage::SetQuality(TGfxQuality value) {
  if (State() != tsNone) return false;
  quality_ = value;
  return true;
}

// The alpha level picks the format list, so it changes only before textures exist.
bool TGfxImage::SetAlphaLevel(TAlphaLevel value) {
  if (State() != tsNone) return false;
  alphaLevel_ = value;
  return true;
}

// Size of one grid cell; zero or less means the whole texture.
void TGfxImage::SetPatternSize(int width, int height) {
  grid_.PatternWidth = width;
  grid_.PatternHeight = height;
}

// Size of the drawn part of a cell; zero or less means the whole texture.
void TGfxImage::SetVisibleSize(int width, int height) {
  grid_.VisibleWidth = width;
  grid_.VisibleHeight = height;
}

// Lays the grid out, then takes the first format of the preference list the device accepts.
bool TGfxImage::Prepare() {
  grid_.TextureWidth = TextureWidth();
  grid_.TextureHeight = TextureHeight();
  grid_.TextureCount = TextureCount();
  if (!grid_.Layout()) return false;
  TGfxDevice* device = Device();
  if (!device || !device->Api()) return false;
  const platform::GfxFormat screen = device->PresentParameters().BackBufferFormat;
  for (TPixelFormat candidate : FormatPreferenceList(alphaLevel_, quality_)) {
    const auto result = device->Api()->CheckDeviceFormat(screen, Usage(), platform::GfxResourceType::Texture,
                                                         ToGfxFormat(candidate));
    if (platform::GfxSucceeded(result)) return SetFormat(candidate);
  }
  return false;
}

// Header, size check, texture creation, then the rows of every texture in turn.
bool TGfxImage::LoadFromRecord(std::span<const std::uint8_t> record) {
  // 1. The header: grid sizes always, texture size and count only while nothing is created.
  TRecordReader reader(record);
  const auto header = ReadImageRecordHeader(reader);
  if (!header || header->Format == TPixelFormat::pfUnknown) return false;
  SetPatternSize(header->PatternWidth, header->PatternHeight);
  SetVisibleSize(header->VisibleWidth, header->VisibleHeight);
  SetPatternCount(header->PatternCount);
  if (State() == tsNone) {
    SetTextureSize(header->TextureWidth, header->TextureHeight);
    SetTextureCount(header->TextureCount);
  }
  // 2. Refuse a record whose pixel rows are short before any texture is made for it.
  const auto needed = ImagePixelBytes(header->Format, TextureWidth(), TextureHeight(), TextureCount());
  if (!needed || *needed > reader.Remaining()) {
    ChangeState(tsNone);
    return false;
  }
  // 3. Create the textures, then fill them row by row.
  if (!ChangeState(tsReady) || !DecodePixels(header->Format, reader.Rest())) {
    ChangeState(tsNone);
    return false;
  }
  return true;
}

// Converts the stored rows of every texture into its locked device memory.
bool TGfxImage::DecodePixels(TPixelFormat stored, std::span<const std::uint8_t> pixels) {
  const std::size_t rowBytes = static_cast<std::size_t>(TextureWidth()) * PixelBytes(stored);
  std::size_t offset = 0;
  for (int t = 0; t < TextureCount(); ++t) {
    platform::GfxLockedRect locked;
    if (!Lock(t, locked) || !locked.Bits) return false;
    auto* bits = static_cast<std::uint8_t*>(locked.Bits);
    for (int y = 0; y < TextureHeight(); ++y) {
      ConvertRow(stored, Format(), pixels.data() + offset,
                 bits + static_cast<std::ptrdiff_t>(y) * locked.Pitch, TextureWidth());
      offset += rowBytes;
    }
    if (!Unlock(t)) return false;
  }
  return true;
}

// Only an image with live textures has coordinates to give.
std::optional<TPatternCoords> TGfxImage::PatternCoords(const TPatternRequest& request) const {
  if (State() != tsReady) return std::nullopt;
  return grid_.Map(request);
}

// Announces itself to the owner like every collection.
TGfxImages::TGfxImages(TComponent* owner) : TGfxDeviceSubscriber(owner) {
  AnnounceToOwner();
}

// Frees every image and its textures.
TGfxImages::~TGfxImages() {
  Clear();
}

// New images take the collection's mip-mapping choice.
TGfxImage* TGfxImages::Add() {
  auto image = std::make_unique<TGfxImage>(this);
  image->SetMipMapping(mipMapping_);
  items_.push_back(std::move(image));
  return items_.back().get();
}

// The image at a position, or null outside the list.
TGfxImage* TGfxImages::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

// Position of an image in the collection, or -1.
int TGfxImages::IndexOf(const TGfxImage* image) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<std::size_t>(i)].get() == image) return i;
  }
  return -1;
}

// Frees one image; the images after it move up one position.
void TGfxImages::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_[static_cast<std::size_t>(index)]->ChangeState(tsNone);
  items_.erase(items_.begin() + index);
}

// Frees every image.
void TGfxImages::Clear() {
  for (auto& image : items_) image->ChangeState(tsNone);
  items_.clear();
}

// The scene finds every picture by name, whatever the letter case.
TGfxImage* TGfxImages::Find(std::string_view name) const {
  for (const auto& image : items_) {
    if (SameNameIgnoringCase(image->Name, name)) return image.get();
  }
  return nullptr;
}

// Frees everything when the device goes; parks ready images across a loss and brings them back after.
bool TGfxImages::HandleMessage(int msg) {
  switch (msg) {
    case msgDeviceDestroyed:
      Clear();
      break;
    case msgDeviceLost:
      for (auto& image : items_) {
        if (image->State() == tsReady) image->ChangeState(tsReleased);
      }
      break;
    case msgDeviceRestored:
      for (auto& image : items_) {
        if (image->State() == tsReleased) image->ChangeState(tsReady);
      }
      break;
    default:
      break;
  }
  return true;
}

// ASCII case folding only: names are plain Latin identifiers.
bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace zelmar
