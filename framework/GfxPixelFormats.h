// Pixel formats of stored images and device textures, and the conversions between them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zelmar {

// Codes as they are stored in image records; any other device format is pfUnknown.
enum class TPixelFormat : std::uint8_t {
  pfR3G3B2 = 0,
  pfR5G6B5 = 1,
  pfX8R8G8B8 = 2,
  pfX1R5G5B5 = 3,
  pfX4R4G4B4 = 4,
  pfA8R8G8B8 = 5,
  pfA1R5G5B5 = 6,
  pfA4R4G4B4 = 7,
  pfA8R3G3B2 = 8,
  pfA2R2G2B2 = 9,
  pfA8 = 10,
  pfUnknown = 11,
};

// Bit width and position of each channel; channels are packed from the lowest bit as blue, green, red, alpha.
struct TPixelLayout {
  int Bytes;
  int ABits, RBits, GBits, BBits;
  int AShift, RShift, GShift, BShift;
};

// The layout of a known format; pfUnknown has zero bytes per pixel.
const TPixelLayout& PixelLayout(TPixelFormat format);

// Bytes per pixel of a format (0 for pfUnknown).
inline int PixelBytes(TPixelFormat format) {
  return PixelLayout(format).Bytes;
}

// Turns a stored code into a format; codes above 10 give pfUnknown.
TPixelFormat PixelFormatFromCode(std::uint8_t code);

// Decodes one pixel to 0xAARRGGBB: missing channels become 255, an n-bit value v becomes
// v * 255 / (2^n - 1) rounded to the nearest integer.
std::uint32_t DecodePixel(TPixelFormat format, const std::uint8_t* src);

// Encodes a 0xAARRGGBB value into a format by keeping the top bits of each channel.
void EncodePixel(TPixelFormat format, std::uint32_t argb, std::uint8_t* dst);

// Converts one row of `width` pixels from the stored format into the device format: a straight copy when
// the two layouts agree (the X and A variants of 8888 and 4444 count as equal), an encode when the source
// is A8R8G8B8, otherwise a decode followed by an encode.
void ConvertRow(TPixelFormat stored, TPixelFormat device, const std::uint8_t* src, std::uint8_t* dst,
                int width);

}  // namespace zelmar
