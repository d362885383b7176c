#include "framework/GfxPixelFormats.h"

#include <cstring>
#include <iterator>

namespace zelmar {

namespace {

constexpr TPixelLayout kLayouts[] = {
    {1, 0, 3, 3, 2, 0, 5, 2, 0},    // R3G3B2
    {2, 0, 5, 6, 5, 0, 11, 5, 0},   // R5G6B5
    {4, 0, 8, 8, 8, 0, 16, 8, 0},   // X8R8G8B8
    {2, 0, 5, 5, 5, 0, 10, 5, 0},   // X1R5G5B5
    {2, 0, 4, 4, 4, 0, 8, 4, 0},    // X4R4G4B4
    {4, 8, 8, 8, 8, 24, 16, 8, 0},  // A8R8G8B8
    {2, 1, 5, 5, 5, 15, 10, 5, 0},  // A1R5G5B5
    {2, 4, 4, 4, 4, 12, 8, 4, 0},   // A4R4G4B4
    {2, 8, 3, 3, 2, 8, 5, 2, 0},    // A8R3G3B2
    {1, 2, 2, 2, 2, 6, 4, 2, 0},    // A2R2G2B2
    {1, 8, 0, 0, 0, 0, 0, 0, 0},    // A8
    {0, 0, 0, 0, 0, 0, 0, 0, 0},    // unknown
};

// Reads a little-endian value of 1, 2 or 4 bytes.
std::uint32_t ReadRaw(const std::uint8_t* src, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | src[i];
  return v;
}

// Writes the low `bytes` bytes of a value little-endian.
void WriteRaw(std::uint32_t v, std::uint8_t* dst, int bytes) {
  for (int i = 0; i < bytes; ++i) dst[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Widens an n-bit channel to 8 bits, rounding to nearest; a missing channel reads as full.
std::uint32_t Expand(std::uint32_t raw, int shift, int bits) {
  if (bits == 0) return 255;
  const std::uint32_t max = (1u << bits) - 1;
  const std::uint32_t v = (raw >> shift) & max;
  return (v * 255 * 2 + max) / (2 * max);
}

// Keeps the top `bits` bits of an 8-bit channel and moves them into place.
std::uint32_t Narrow(std::uint32_t channel, int shift, int bits) {
  if (bits == 0) return 0;
  return ((channel & 0xFF) >> (8 - bits)) << shift;
}

// True when a row may be copied byte for byte from one format into the other.
bool SameLayout(TPixelFormat a, TPixelFormat b) {
  auto is8888 = [](TPixelFormat f) { return f == TPixelFormat::pfX8R8G8B8 || f == TPixelFormat::pfA8R8G8B8; };
  auto is4444 = [](TPixelFormat f) { return f == TPixelFormat::pfX4R4G4B4 || f == TPixelFormat::pfA4R4G4B4; };
  return a == b || (is8888(a) && is8888(b)) || (is4444(a) && is4444(b));
}

}  // namespace

// Unknown formats get the empty layout at the end of the table.
const TPixelLayout& PixelLayout(TPixelFormat format) {
  const auto index = static_cast<std::size_t>(format);
  return kLayouts[index < std::size(kLayouts) ? index : std::size(kLayouts) - 1];
}

// Codes beyond the table are unknown and refused by the loaders.
TPixelFormat PixelFormatFromCode(std::uint8_t code) {
  return code <= 10 ? static_cast<TPixelFormat>(code) : TPixelFormat::pfUnknown;
}

// The 8888 formats are copied; every other format widens channel by channel.
std::uint32_t DecodePixel(TPixelFormat format, const std::uint8_t* src) {
  const TPixelLayout& l = PixelLayout(format);
  if (l.Bytes == 0) return 0;
  const std::uint32_t raw = ReadRaw(src, l.Bytes);
  if (format == TPixelFormat::pfA8R8G8B8) return raw;
  if (format == TPixelFormat::pfX8R8G8B8) return raw | 0xFF000000u;
  return Expand(raw, l.AShift, l.ABits) << 24 | Expand(raw, l.RShift, l.RBits) << 16 |
         Expand(raw, l.GShift, l.GBits) << 8 | Expand(raw, l.BShift, l.BBits);
}

// The 8888 formats are copied; every other format keeps the top bits of each channel.
void EncodePixel(TPixelFormat format, std::uint32_t argb, std::uint8_t* dst) {
  const TPixelLayout& l = PixelLayout(format);
  if (l.Bytes == 0) return;
  if (format == TPixelFormat::pfA8R8G8B8 || format == TPixelFormat::pfX8R8G8B8) {
    WriteRaw(argb, dst, 4);
    return;
  }
  const std::uint32_t raw = Narrow(argb >> 24, l.AShift, l.ABits) | Narrow(argb >> 16, l.RShift, l.RBits) |
                            Narrow(argb >> 8, l.GShift, l.GBits) | Narrow(argb, l.BShift, l.BBits);
  WriteRaw(raw, dst, l.Bytes);
}

// One row of a stored image into the device format.
void ConvertRow(TPixelFormat stored, TPixelFormat device, const std::uint8_t* src, std::uint8_t* dst,
                int width) {
  const int inBytes = PixelBytes(stored);
  const int outBytes = PixelBytes(device);
  if (width <= 0 || inBytes == 0 || outBytes == 0) return;
  if (SameLayout(stored, device)) {
    std::memcpy(dst, src, static_cast<std::size_t>(width) * static_cast<std::size_t>(inBytes));
    return;
  }
  for (int x = 0; x < width; ++x) {
    const std::uint32_t argb =
        stored == TPixelFormat::pfA8R8G8B8 ? ReadRaw(src, 4) : DecodePixel(stored, src);
    EncodePixel(device, argb, dst);
    src += inBytes;
    dst += outBytes;
  }
}

}  // namespace zelmar
