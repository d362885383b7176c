// Blowfish in CBC mode as the archive uses it: whole 8-byte blocks only (a final partial block
// stays as it is), each block taken as two big-endian 32-bit halves.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zelmar {

// Decrypts `data` in place with `key` (1 to 72 bytes) and the initialisation vector `iv`.
// Returns false, leaving the data untouched, for an empty or over-long key.
bool GfxDbDecrypt(std::span<std::uint8_t> data, std::span<const std::uint8_t> key,
                  const std::array<std::uint8_t, 8>& iv);

// Encrypts `data` in place; the counterpart of GfxDbDecrypt used by the archive writer.
bool GfxDbEncrypt(std::span<std::uint8_t> data, std::span<const std::uint8_t> key,
                  const std::array<std::uint8_t, 8>& iv);

}  // namespace zelmar
