// Device textures with a small life cycle: none, ready, released for a device loss, failed to come back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/GfxPixelFormats.h"
#include "framework/platform/GfxApi.h"

namespace zelmar {

class TGfxDevice;
class TGfxDeviceSubscriber;

// Texture states.
enum TTextureState : int { tsNone = 0, tsReady = 1, tsReleased = 2, tsFailed = 3 };

// The device format of a stored pixel format and back (formats without a device twin give Unknown).
platform::GfxFormat ToGfxFormat(TPixelFormat format);
TPixelFormat FromGfxFormat(platform::GfxFormat format);

class TBaseTexture {
 public:
  // `source` is the collection whose device the textures are made on (may be null: nothing is created).
  explicit TBaseTexture(const TGfxDeviceSubscriber* source) : source_(source) {}
  virtual ~TBaseTexture() = default;
  TBaseTexture(const TBaseTexture&) = delete;
  TBaseTexture& operator=(const TBaseTexture&) = delete;

  int State() const { return state_; }
  // Moves towards `target` as the state rules allow; true when the texture is in `target` afterwards.
  bool ChangeState(int target);

  int TextureWidth() const { return width_; }
  int TextureHeight() const { return height_; }
  bool MipMapping() const { return mipMapping_; }
  TPixelFormat Format() const { return format_; }
  bool ReleaseOnLoss() const { return releaseOnLoss_; }
  // These change only in state 0 and report whether they did.
  bool SetTextureSize(int width, int height);
  bool SetMipMapping(bool value);
  bool SetFormat(TPixelFormat value);
  void SetReleaseOnLoss(bool value) { releaseOnLoss_ = value; }

  // Binds texture `index` to a texture stage of the device.
  virtual bool Bind(std::uint32_t stage, int index) = 0;
  // Locks texture `index` whole (or a rectangle of it) for writing; Unlock ends it.
  virtual bool Lock(int index, platform::GfxLockedRect& locked) = 0;
  virtual bool LockRect(int index, const platform::GfxRect& rect, platform::GfxLockedRect& locked) = 0;
  virtual bool Unlock(int index) = 0;

 protected:
  // Gets ready to create the device textures (layout, format choice); the default has nothing to do.
  virtual bool Prepare() { return true; }
  virtual bool CreateTextures() = 0;
  virtual void ReleaseTextures() = 0;
  // Usage flags of the textures, for format checks and creation.
  virtual std::uint32_t Usage() const { return 0; }

  // The device the textures live on, or null when there is none.
  TGfxDevice* Device() const;
  platform::GfxApiDrawing* Drawing() const;

 private:
  const TGfxDeviceSubscriber* source_;
  int state_ = tsNone;
  int width_ = 256, height_ = 256;
  bool mipMapping_ = true;
  bool releaseOnLoss_ = false;
  bool released_ = false;  // the device textures were dropped on a loss and must be made again
  TPixelFormat format_ = TPixelFormat::pfUnknown;
};

// TextureCount textures of one size and format.
class TMultiTexture : public TBaseTexture {
 public:
  using TBaseTexture::TBaseTexture;
  ~TMultiTexture() override;

  int TextureCount() const { return count_; }
  // Changes only in state 0; negative counts become 0.
  bool SetTextureCount(int value);

  bool Bind(std::uint32_t stage, int index) override;
  bool Lock(int index, platform::GfxLockedRect& locked) override;
  bool LockRect(int index, const platform::GfxRect& rect, platform::GfxLockedRect& locked) override;
  bool Unlock(int index) override;
  // The device texture at `index`, or null.
  platform::GfxApiTexture* Texture(int index) const { return At(index); }

 protected:
  bool CreateTextures() override;
  void ReleaseTextures() override;
  std::uint32_t Usage() const override;

 private:
  platform::GfxApiTexture* At(int index) const;

  int count_ = 1;
  std::vector<std::unique_ptr<platform::GfxApiTexture>> textures_;
};

}  // namespace zelmar
