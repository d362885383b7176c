#include "framework/GfxTextures.h"

#include "framework/GfxDevice.h"
#include "framework/GfxPublisher.h"

namespace zelmar {

using platform::GfxFormat;

// A2R2G2B2 is only ever stored, never a device format.
GfxFormat ToGfxFormat(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pfR3G3B2:
      return GfxFormat::R3G3B2;
    case TPixelFormat::pfR5G6B5:
      return GfxFormat::R5G6B5;
    case TPixelFormat::pfX8R8G8B8:
      return GfxFormat::X8R8G8B8;
    case TPixelFormat::pfX1R5G5B5:
      return GfxFormat::X1R5G5B5;
    case TPixelFormat::pfX4R4G4B4:
      return GfxFormat::X4R4G4B4;
    case TPixelFormat::pfA8R8G8B8:
      return GfxFormat::A8R8G8B8;
    case TPixelFormat::pfA1R5G5B5:
      return GfxFormat::A1R5G5B5;
    case TPixelFormat::pfA4R4G4B4:
      return GfxFormat::A4R4G4B4;
    case TPixelFormat::pfA8R3G3B2:
      return GfxFormat::A8R3G3B2;
    case TPixelFormat::pfA8:
      return GfxFormat::A8;
    default:
      return GfxFormat::Unknown;
  }
}

// The stored code of a device format, or unknown.
TPixelFormat FromGfxFormat(GfxFormat format) {
  for (int code = 0; code <= 10; ++code) {
    const auto f = static_cast<TPixelFormat>(code);
    if (ToGfxFormat(f) == format && format != GfxFormat::Unknown) return f;
  }
  return TPixelFormat::pfUnknown;
}

// The state rules: 0->1 prepares and creates, 1->0 releases, 2/3->0 only forget, 1->2 releases when
// asked to, 2->1 recreates what was released (failing into 3), 3->1 tries again.
bool TBaseTexture::ChangeState(int target) {
  if (target == state_) return true;
  switch (target) {
    case tsNone:
      if (state_ == tsReady) ReleaseTextures();
      released_ = false;
      state_ = tsNone;
      break;
    case tsReady:
      if (state_ == tsNone) {
        if (Prepare() && CreateTextures()) state_ = tsReady;
      } else if (state_ == tsReleased) {
        // Textures kept through the loss still hold their pixels and need nothing.
        if (!released_ || CreateTextures())
          state_ = tsReady;
        else
          state_ = tsFailed;
        if (state_ == tsReady) released_ = false;
      } else if (state_ == tsFailed && CreateTextures()) {
        released_ = false;
        state_ = tsReady;
      }
      break;
    case tsReleased:
      if (state_ == tsReady) {
        if (releaseOnLoss_) {
          ReleaseTextures();
          released_ = true;
        }
        state_ = tsReleased;
      }
      break;
    default:
      break;
  }
  return state_ == target;
}

// The size is fixed once textures exist.
bool TBaseTexture::SetTextureSize(int width, int height) {
  if (state_ != tsNone) return false;
  width_ = width;
  height_ = height;
  return true;
}

// Mip-mapping is fixed once textures exist.
bool TBaseTexture::SetMipMapping(bool value) {
  if (state_ != tsNone) return false;
  mipMapping_ = value;
  return true;
}

// The format is fixed once textures exist.
bool TBaseTexture::SetFormat(TPixelFormat value) {
  if (state_ != tsNone) return false;
  format_ = value;
  return true;
}

// The device of the collection the texture belongs to.
TGfxDevice* TBaseTexture::Device() const {
  return source_ ? source_->Device() : nullptr;
}

// The drawing half of that device, or null without one.
platform::GfxApiDrawing* TBaseTexture::Drawing() const {
  TGfxDevice* device = Device();
  if (!device || !device->ApiDevice()) return nullptr;
  return &device->ApiDevice()->Drawing();
}

// Releases the device textures.
TMultiTexture::~TMultiTexture() {
  textures_.clear();
}

// The count is fixed once textures exist.
bool TMultiTexture::SetTextureCount(int value) {
  if (State() != tsNone) return false;
  count_ = value < 0 ? 0 : value;
  return true;
}

// Makes every texture (one level, or a generated mip chain) in the managed pool; all or none.
bool TMultiTexture::CreateTextures() {
  platform::GfxApiDrawing* drawing = Drawing();
  const GfxFormat format = ToGfxFormat(Format());
  if (!drawing || format == GfxFormat::Unknown || TextureWidth() <= 0 || TextureHeight() <= 0) return false;
  textures_.clear();
  for (int i = 0; i < count_; ++i) {
    std::unique_ptr<platform::GfxApiTexture> texture;
    const auto result = drawing->CreateTexture(
        static_cast<std::uint32_t>(TextureWidth()), static_cast<std::uint32_t>(TextureHeight()),
        MipMapping() ? 0 : 1, Usage(), format, platform::GfxPool::Managed, texture);
    if (!platform::GfxSucceeded(result) || !texture) {
      textures_.clear();
      return false;
    }
    textures_.push_back(std::move(texture));
  }
  return true;
}

// Drops every device texture.
void TMultiTexture::ReleaseTextures() {
  textures_.clear();
}

// Mip-mapped textures rebuild their smaller levels on every write.
std::uint32_t TMultiTexture::Usage() const {
  return MipMapping() ? platform::kGfxUsageAutoGenMipmap : 0;
}

// The device texture at a position, or null.
platform::GfxApiTexture* TMultiTexture::At(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= textures_.size()) return nullptr;
  return textures_[static_cast<std::size_t>(index)].get();
}

// Binds one of the textures to a stage for drawing.
bool TMultiTexture::Bind(std::uint32_t stage, int index) {
  platform::GfxApiTexture* texture = At(index);
  platform::GfxApiDrawing* drawing = Drawing();
  return texture && drawing && platform::GfxSucceeded(drawing->SetTexture(stage, texture));
}

// Locks the top level of one texture whole.
bool TMultiTexture::Lock(int index, platform::GfxLockedRect& locked) {
  platform::GfxApiTexture* texture = At(index);
  return texture && platform::GfxSucceeded(texture->LockRect(0, locked, nullptr, 0));
}

// Locks a rectangle of the top level of one texture.
bool TMultiTexture::LockRect(int index, const platform::GfxRect& rect, platform::GfxLockedRect& locked) {
  platform::GfxApiTexture* texture = At(index);
  return texture && platform::GfxSucceeded(texture->LockRect(0, locked, &rect, 0));
}

// Ends a lock; the device then has the new texels.
bool TMultiTexture::Unlock(int index) {
  platform::GfxApiTexture* texture = At(index);
  return texture && platform::GfxSucceeded(texture->UnlockRect(0));
}

}  // namespace zelmar
