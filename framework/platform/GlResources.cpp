#include "framework/platform/GlResources.h"

#include <zlib.h>

#include <algorithm>

namespace zelmar::platform {
namespace {

// Widens one A8R3G3B2 texel (little-endian 16-bit) to 8-bit B, G, R, A bytes, each channel rounded.
void ExpandA8R3G3B2(const std::uint8_t* src, std::uint8_t* dst) {
  const std::uint32_t v = src[0] | src[1] << 8;
  dst[0] = static_cast<std::uint8_t>(((v & 3) * 255 * 2 + 3) / 6);
  dst[1] = static_cast<std::uint8_t>((((v >> 2) & 7) * 255 * 2 + 7) / 14);
  dst[2] = static_cast<std::uint8_t>((((v >> 5) & 7) * 255 * 2 + 7) / 14);
  dst[3] = static_cast<std::uint8_t>(v >> 8);
}

// zlib's fastest level, the cheapest of the project's libraries (all the pictures: about half a second).
constexpr int kWaitingLevel = Z_BEST_SPEED;

// Drops errors left by earlier calls so the next check sees only its own (bounded: no context, no loop).
void ClearGlErrors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

// Width or height of a mip level (never below one).
std::uint32_t LevelSize(std::uint32_t size, std::uint32_t level) {
  return std::max<std::uint32_t>(size >> level, 1);
}

// Whether every 4-byte B, G, R, A texel of `bytes` bytes is gray (equal blue, green and red).
bool AllGray(const std::uint8_t* pixels, std::size_t bytes) {
  for (std::size_t i = 0; i + 3 < bytes; i += 4) {
    if (pixels[i] != pixels[i + 1] || pixels[i] != pixels[i + 2]) return false;
  }
  return true;
}

}  // namespace

// Formats with a GL twin upload as they are; colour formats without alpha sit in RGB storage so their
// ignored bits read as opaque; storage is at least 8 bits a channel so nothing is lost.
bool GlLayoutFor(GfxFormat format, GlTextureLayout& layout) {
  switch (format) {
    case GfxFormat::A8R8G8B8:
      layout = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case GfxFormat::X8R8G8B8:
      layout = {GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case GfxFormat::R5G6B5:
      layout = {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
      return true;
    case GfxFormat::X1R5G5B5:
      layout = {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case GfxFormat::A1R5G5B5:
      layout = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case GfxFormat::X4R4G4B4:
      layout = {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case GfxFormat::A4R4G4B4:
      layout = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case GfxFormat::R3G3B2:
      layout = {GL_RGB8, GL_RGB, GL_UNSIGNED_BYTE_3_3_2};
      return true;
    case GfxFormat::A8:
      layout = {GL_R8, GL_RED, GL_UNSIGNED_BYTE, true};
      return true;
    case GfxFormat::A8R3G3B2:
      layout = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, false, true};
      return true;
    default:
      return false;
  }
}

// Checks the format and size against what GL can hold; the GL storage itself is made by Realize.
std::unique_ptr<GlTexture> GlTexture::Create(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                             std::uint32_t usage, GfxFormat format) {
  GlTextureLayout layout;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (!GlLayoutFor(format, layout) || width == 0 || height == 0 ||
      width > static_cast<std::uint32_t>(maxSize) || height > static_cast<std::uint32_t>(maxSize)) {
    return nullptr;
  }
  std::uint32_t chain = 1;
  while ((std::max(width, height) >> chain) > 0) ++chain;
  std::unique_ptr<GlTexture> t(new GlTexture);
  t->width_ = width;
  t->height_ = height;
  t->levels_ = levels == 0 ? chain : std::min(levels, chain);
  t->autoMipmap_ = (usage & kGfxUsageAutoGenMipmap) != 0 && t->levels_ > 1;
  t->format_ = format;
  t->layout_ = layout;
  return t;
}

// Frees the GL texture.
GlTexture::~GlTexture() {
  if (id_) glDeleteTextures(1, &id_);
}

// 1. Unpacks the top level that waited for GL storage. 2. Allocates every level, in two channels (gray and
// alpha) when every texel of that level is gray (glyphs: white or clear). 3. Sends the top level (and its
// generated smaller levels) and drops the compressed copy.
bool GlTexture::Realize() {
  if (id_) return true;
  std::vector<std::uint8_t> pixels;
  if (!waiting_.empty()) {
    pixels.resize(static_cast<std::size_t>(width_) * height_ * GfxFormatBytes(format_));
    uLongf unpacked = static_cast<uLongf>(pixels.size());
    if (uncompress(pixels.data(), &unpacked, reinterpret_cast<const Bytef*>(waiting_.data()),
                   static_cast<uLong>(waiting_.size())) != Z_OK ||
        unpacked != pixels.size())
      return false;
    // Undoes KeepWaiting's differences: each byte is its difference plus the same byte of the texel before.
    const auto stride = static_cast<std::size_t>(GfxFormatBytes(format_));
    for (std::size_t i = stride; i < pixels.size(); ++i)
      pixels[i] = static_cast<std::uint8_t>(pixels[i] + pixels[i - stride]);
  }
  gray_ = format_ == GfxFormat::A8R8G8B8 && !pixels.empty() && AllGray(pixels.data(), pixels.size());
  GLuint id = 0;
  glGenTextures(1, &id);
  if (!Allocate(id)) {
    glDeleteTextures(1, &id);
    gray_ = false;
    return false;
  }
  id_ = id;
  waiting_.clear();
  waiting_.shrink_to_fit();
  const GfxRect whole{0, 0, static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)};
  return pixels.empty() || Upload(0, whole, pixels.data());
}

// Gives texture `id` storage for every level: the format's own layout (alpha-only textures read as white
// with alpha), or gray and alpha read as gray, gray, gray, alpha while gray_ holds. True when GL took it.
bool GlTexture::Allocate(GLuint id) {
  ClearGlErrors();
  glBindTexture(GL_TEXTURE_2D, id);
  for (std::uint32_t level = 0; level < levels_; ++level) {
    const auto w = static_cast<GLsizei>(LevelSize(width_, level));
    const auto h = static_cast<GLsizei>(LevelSize(height_, level));
    if (gray_)
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RG8, w, h, 0, GL_RG, GL_UNSIGNED_BYTE,
                   nullptr);
    else
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), layout_.InternalFormat, w, h, 0,
                   layout_.ExpandA8R3G3B2 ? GL_BGRA : layout_.Format, layout_.Type, nullptr);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_ - 1));
  const GLint kAsIs[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
  const GLint kAlphaOnly[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
  const GLint kGray[4] = {GL_RED, GL_RED, GL_RED, GL_GREEN};
  glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA,
                   gray_               ? kGray
                   : layout_.AlphaOnly ? kAlphaOnly
                                       : kAsIs);
  glBindTexture(GL_TEXTURE_2D, 0);
  return glGetError() == GL_NO_ERROR;
}

// A gray texture about to take a coloured texel goes back to the format's own layout first: every level is
// read back, widened to gray, gray, gray, alpha, and sent again.
bool GlTexture::Widen() {
  std::vector<std::vector<std::uint8_t>> levels(levels_);
  glBindTexture(GL_TEXTURE_2D, id_);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (std::uint32_t level = 0; level < levels_; ++level) {
    const std::size_t texels = static_cast<std::size_t>(LevelSize(width_, level)) * LevelSize(height_, level);
    std::vector<std::uint8_t> grayAlpha(texels * 2);
    glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RG, GL_UNSIGNED_BYTE, grayAlpha.data());
    levels[level].resize(texels * 4);
    for (std::size_t i = 0; i < texels; ++i) {
      std::uint8_t* texel = &levels[level][i * 4];
      texel[0] = texel[1] = texel[2] = grayAlpha[i * 2];
      texel[3] = grayAlpha[i * 2 + 1];
    }
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  gray_ = false;
  if (!Allocate(id_)) return false;
  bool sent = true;
  for (std::uint32_t level = 0; level < levels_ && sent; ++level) {
    const GfxRect whole{0, 0, static_cast<std::int32_t>(LevelSize(width_, level)),
                        static_cast<std::int32_t>(LevelSize(height_, level))};
    sent = Send(level, whole, levels[level].data(), false);
  }
  return sent;
}

// Hands out a tightly packed system-memory area for the level or rectangle. Only a whole top level can be
// written before the texture is realized; any other lock realizes it first, so the area lands on the
// pixels already sent.
GfxResult GlTexture::LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect,
                              std::uint32_t) {
  if (locked_ || level >= levels_) return kGfxInvalidCall;
  const auto w = static_cast<std::int32_t>(LevelSize(width_, level));
  const auto h = static_cast<std::int32_t>(LevelSize(height_, level));
  GfxRect area{0, 0, w, h};
  if (rect) {
    if (rect->Left < 0 || rect->Top < 0 || rect->Right > w || rect->Bottom > h || rect->Left >= rect->Right ||
        rect->Top >= rect->Bottom) {
      return kGfxInvalidCall;
    }
    area = *rect;
  }
  const bool wholeTop = level == 0 && area.Left == 0 && area.Top == 0 && area.Right == w && area.Bottom == h;
  if (!wholeTop && !Realize()) return kGfxOutOfMemory;
  const int bytes = GfxFormatBytes(format_);
  locked.Pitch = (area.Right - area.Left) * bytes;
  staging_.assign(static_cast<std::size_t>(locked.Pitch) * static_cast<std::size_t>(area.Bottom - area.Top),
                  0);
  locked.Bits = staging_.data();
  locked_ = true;
  lockLevel_ = level;
  lockRect_ = area;
  return kGfxOk;
}

// Sends the locked area to GL, or keeps it compressed while the texture has no GL storage yet.
GfxResult GlTexture::UnlockRect(std::uint32_t level) {
  if (!locked_ || level != lockLevel_) return kGfxInvalidCall;
  locked_ = false;
  const bool sent = id_ ? Upload(level, lockRect_, staging_.data()) : KeepWaiting();
  staging_.clear();
  staging_.shrink_to_fit();
  return sent ? kGfxOk : kGfxFail;
}

// Replaces the waiting copy with the staged top level, compressed to its used size. Each byte is first
// replaced by its difference from the same byte of the texel before (smooth pictures then hold mostly
// small numbers, which compress far better).
bool GlTexture::KeepWaiting() {
  const auto stride = static_cast<std::size_t>(GfxFormatBytes(format_));
  for (std::size_t i = staging_.size(); i-- > stride;)
    staging_[i] = static_cast<std::uint8_t>(staging_[i] - staging_[i - stride]);
  uLongf used = compressBound(static_cast<uLong>(staging_.size()));
  std::vector<char> packed(used);
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &used, staging_.data(),
                static_cast<uLong>(staging_.size()), kWaitingLevel) != Z_OK)
    return false;
  waiting_.assign(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

// Sends an area of the texture's format: into a gray texture as gray and alpha while its texels stay gray,
// after widening it otherwise.
bool GlTexture::Upload(std::uint32_t level, const GfxRect& area, const std::uint8_t* pixels) {
  const std::size_t texels = static_cast<std::size_t>(area.Right - area.Left) * (area.Bottom - area.Top);
  if (gray_ && !AllGray(pixels, texels * 4) && !Widen()) return false;
  if (!gray_) return Send(level, area, pixels, autoMipmap_ && level == 0);
  std::vector<std::uint8_t> grayAlpha(texels * 2);
  for (std::size_t i = 0; i < texels; ++i) {
    grayAlpha[i * 2] = pixels[i * 4];
    grayAlpha[i * 2 + 1] = pixels[i * 4 + 3];
  }
  return Send(level, area, grayAlpha.data(), autoMipmap_ && level == 0);
}

// Converts A8R3G3B2 to 8-bit BGRA where needed, sends the area in the storage's layout, and rebuilds the
// smaller levels when asked to.
bool GlTexture::Send(std::uint32_t level, const GfxRect& area, const std::uint8_t* pixels, bool mipmaps) {
  const GLsizei w = area.Right - area.Left, h = area.Bottom - area.Top;
  std::vector<std::uint8_t> expanded;
  if (!gray_ && layout_.ExpandA8R3G3B2) {
    expanded.resize(static_cast<std::size_t>(w) * h * 4);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i)
      ExpandA8R3G3B2(pixels + i * 2, &expanded[i * 4]);
    pixels = expanded.data();
  }
  ClearGlErrors();
  glBindTexture(GL_TEXTURE_2D, id_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), area.Left, area.Top, w, h,
                  gray_ ? GL_RG : layout_.Format, gray_ ? GL_UNSIGNED_BYTE : layout_.Type, pixels);
  if (mipmaps) glGenerateMipmap(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  return glGetError() == GL_NO_ERROR;
}

// A GL buffer with a system-memory copy of the same length.
std::unique_ptr<GlBuffer> GlBuffer::Create(std::uint32_t length) {
  if (length == 0) return nullptr;
  std::unique_ptr<GlBuffer> b(new GlBuffer);
  b->staging_.assign(length, 0);
  ClearGlErrors();
  glGenBuffers(1, &b->id_);
  glBindBuffer(GL_COPY_WRITE_BUFFER, b->id_);
  glBufferData(GL_COPY_WRITE_BUFFER, length, nullptr, GL_DYNAMIC_DRAW);
  glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
  if (glGetError() != GL_NO_ERROR) return nullptr;
  return b;
}

// Frees the GL buffer.
GlBuffer::~GlBuffer() {
  if (id_) glDeleteBuffers(1, &id_);
}

// Hands out the system-memory copy of the range (0, 0: the whole buffer).
GfxResult GlBuffer::Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) {
  if (locked_) return kGfxInvalidCall;
  if (offset == 0 && size == 0) size = Length();
  if (offset > Length() || size > Length() - offset) return kGfxInvalidCall;
  locked_ = true;
  lockOffset_ = offset;
  lockSize_ = size;
  lockFlags_ = flags;
  data = staging_.data() + offset;
  return kGfxOk;
}

// Copies the written range to GL; a discarding lock first gives the buffer fresh storage, so the driver
// never waits for draws still reading the old contents.
GfxResult GlBuffer::Unlock() {
  if (!locked_) return kGfxInvalidCall;
  locked_ = false;
  glBindBuffer(GL_COPY_WRITE_BUFFER, id_);
  if (lockFlags_ & kGfxLockDiscard) glBufferData(GL_COPY_WRITE_BUFFER, Length(), nullptr, GL_DYNAMIC_DRAW);
  if (lockSize_ > 0)
    glBufferSubData(GL_COPY_WRITE_BUFFER, lockOffset_, lockSize_, staging_.data() + lockOffset_);
  glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

}  // namespace zelmar::platform
