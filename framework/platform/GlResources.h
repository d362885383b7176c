// OpenGL textures and buffers behind the lock/unlock interface: writes go to a system-memory copy that is
// sent to GL at unlock (converted where GL has no identical layout). A texture gets its GL storage only when
// it is first bound: what is written to it before that waits in a compressed copy, so pictures the game has
// not shown yet cost a fraction of their size. An A8R8G8B8 texture whose texels all have equal colour
// channels (the glyphs, white or clear) is stored as gray and alpha: the same samples in half the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/platform/GfxApi.h"
#include "framework/platform/GlFunctions.h"

namespace zelmar::platform {

// How a device format is stored and uploaded in GL.
struct GlTextureLayout {
  GLint InternalFormat = 0;
  GLenum Format = 0;
  GLenum Type = 0;
  bool AlphaOnly = false;       // sampled as white with the texel's alpha
  bool ExpandA8R3G3B2 = false;  // converted to 8-bit BGRA before upload
};

// The GL layout of a format; false for formats GL cannot hold.
bool GlLayoutFor(GfxFormat format, GlTextureLayout& layout);

class GlTexture : public GfxApiTexture {
 public:
  ~GlTexture() override;
  // Makes the texture with `levels` levels (0: the whole chain); null on failure.
  static std::unique_ptr<GlTexture> Create(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                           std::uint32_t usage, GfxFormat format);

  std::uint32_t LevelCount() override { return levels_; }
  GfxResult LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect,
                     std::uint32_t flags) override;
  GfxResult UnlockRect(std::uint32_t level) override;

  // Gives the texture its GL storage and the pixels waiting for it (at the first bind, or before a lock GL
  // must take at once); true when it has them. The GL name is 0 until then.
  bool Realize();
  bool Realized() const { return id_ != 0; }
  // Bytes of the compressed copy still waiting for GL storage (0 once realized).
  std::size_t WaitingBytes() const { return waiting_.size(); }
  GLuint Id() const { return id_; }
  // Whether the texture is held as gray and alpha (every texel written so far had equal colour channels).
  bool Gray() const { return gray_; }

 private:
  GlTexture() = default;
  // Sends an area of tightly packed pixels of the texture's format to a level of the GL texture.
  bool Upload(std::uint32_t level, const GfxRect& area, const std::uint8_t* pixels);
  // Sends pixels already in the storage's layout, rebuilding the smaller levels when `mipmaps` is set.
  bool Send(std::uint32_t level, const GfxRect& area, const std::uint8_t* pixels, bool mipmaps);
  bool Allocate(GLuint id);
  bool Widen();
  // Keeps the staged top level, compressed, until the texture is realized.
  bool KeepWaiting();

  GLuint id_ = 0;
  std::uint32_t width_ = 0, height_ = 0, levels_ = 1;
  bool autoMipmap_ = false;
  bool gray_ = false;  // A8R8G8B8 texels of equal colour channels, stored as gray and alpha
  GfxFormat format_ = GfxFormat::Unknown;
  GlTextureLayout layout_;
  // The locked area, while a lock is open.
  bool locked_ = false;
  std::uint32_t lockLevel_ = 0;
  GfxRect lockRect_;
  std::vector<std::uint8_t> staging_;
  // The top level written before the texture was realized, zlib-compressed; empty when nothing waits.
  std::vector<char> waiting_;
};

// A dynamic vertex or index buffer; a discarding lock orphans the GL storage at unlock.
class GlBuffer : public GfxApiBuffer {
 public:
  ~GlBuffer() override;
  static std::unique_ptr<GlBuffer> Create(std::uint32_t length);

  GfxResult Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) override;
  GfxResult Unlock() override;

  GLuint Id() const { return id_; }
  std::uint32_t Length() const { return static_cast<std::uint32_t>(staging_.size()); }

 private:
  GlBuffer() = default;

  GLuint id_ = 0;
  std::vector<std::uint8_t> staging_;
  bool locked_ = false;
  std::uint32_t lockOffset_ = 0, lockSize_ = 0, lockFlags_ = 0;
};

}  // namespace zelmar::platform
