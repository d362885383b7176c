// Little-endian integer and double conversion for the archive's fixed-size headers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace zelmar {

// Reads an unsigned little-endian integer of sizeof(T) bytes.
template <typename T>
T GfxDbGetLE(const std::uint8_t* p) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  return static_cast<T>(value);
}

// Writes an integer as sizeof(T) little-endian bytes.
template <typename T>
void GfxDbPutLE(std::uint8_t* p, T value) {
  auto bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Reads an IEEE double stored little-endian.
inline double GfxDbGetDouble(const std::uint8_t* p) {
  return std::bit_cast<double>(GfxDbGetLE<std::uint64_t>(p));
}

// Writes an IEEE double little-endian.
inline void GfxDbPutDouble(std::uint8_t* p, double value) {
  GfxDbPutLE<std::uint64_t>(p, std::bit_cast<std::uint64_t>(value));
}

}  // namespace zelmar
