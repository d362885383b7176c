// Images cut into pattern cells over one or more textures, and the collection the scene finds them in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/GfxFormatChoice.h"
#include "framework/GfxPatternGrid.h"
#include "framework/GfxPublisher.h"
#include "framework/GfxTextures.h"

namespace zelmar {

class TGfxImage : public TMultiTexture {
 public:
  explicit TGfxImage(const TGfxDeviceSubscriber* source) : TMultiTexture(source) {}

  std::string Name = "[unnamed]";

  TGfxQuality Quality() const { return quality_; }
  TAlphaLevel AlphaLevel() const { return alphaLevel_; }
  // These change only in state 0 and report whether they did.
  bool SetQuality(TGfxQuality value);
  bool SetAlphaLevel(TAlphaLevel value);

  int PatternWidth() const { return grid_.PatternWidth; }
  int PatternHeight() const { return grid_.PatternHeight; }
  int VisibleWidth() const { return grid_.VisibleWidth; }
  int VisibleHeight() const { return grid_.VisibleHeight; }
  int PatternCount() const { return grid_.PatternCount; }
  int PatternsPerRow() const { return grid_.PatternsPerRow; }
  int PatternsPerColumn() const { return grid_.PatternsPerColumn; }
  int PatternsPerTexture() const { return grid_.PatternsPerTexture; }
  void SetPatternSize(int width, int height);
  void SetVisibleSize(int width, int height);
  void SetPatternCount(int value) { grid_.PatternCount = value; }

  // Decodes an image record (header, then the pixel rows of every texture) into fresh device textures.
  // On failure the image is back in state 0 and should be removed by the caller.
  bool LoadFromRecord(std::span<const std::uint8_t> record);

  // Texture index and corner coordinates of a pattern; nothing without textures or patterns.
  std::optional<TPatternCoords> PatternCoords(const TPatternRequest& request) const;

 protected:
  bool Prepare() override;

 private:
  bool DecodePixels(TPixelFormat stored, std::span<const std::uint8_t> pixels);

  TGfxQuality quality_ = TGfxQuality::aqHigh;
  TAlphaLevel alphaLevel_ = TAlphaLevel::alFull;
  TPatternGrid grid_;
};

class TGfxImages : public TGfxDeviceSubscriber {
 public:
  explicit TGfxImages(TComponent* owner);
  ~TGfxImages() override;

  // Appends a new image whose mip-mapping follows MipMapping.
  TGfxImage* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  // The image at `index`, or null when out of range.
  TGfxImage* Items(int index) const;
  int IndexOf(const TGfxImage* image) const;
  // Frees the image at `index` and closes the gap; out-of-range positions do nothing.
  void Delete(int index);
  void Clear();
  // The first image whose name matches ignoring ASCII letter case, or null.
  TGfxImage* Find(std::string_view name) const;

  bool MipMapping() const { return mipMapping_; }
  void SetMipMapping(bool value) { mipMapping_ = value; }

  bool HandleMessage(int msg) override;

 private:
  std::vector<std::unique_ptr<TGfxImage>> items_;
  bool mipMapping_ = true;
};

// Compares two names ignoring ASCII letter case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zelmar
