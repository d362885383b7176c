#include "framework/GfxDbCipher.h"

// The cipher uses libcrypto's low-level Blowfish block calls (BF_set_key, BF_encrypt,
// BF_decrypt) rather than the legacy provider: they need no provider module at run time, and
// the chaining and byte order below stay visible here. OpenSSL 3 marks them deprecated.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>
#include <openssl/crypto.h>

namespace zelmar {

namespace {

constexpr std::size_t MaxKeyLength = 72;

// Loads a big-endian 32-bit half of a block.
BF_LONG LoadHalf(const std::uint8_t* p) {
  using Word = BF_LONG;
  return (Word{p[0]} << 24) | (Word{p[1]} << 16) | (Word{p[2]} << 8) | Word{p[3]};
}

// Stores a 32-bit half big-endian.
void StoreHalf(std::uint8_t* p, BF_LONG v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}

// Runs the CBC chain over the whole blocks of `data` in either direction.
bool RunCbc(std::span<std::uint8_t> data, std::span<const std::uint8_t> key,
            const std::array<std::uint8_t, 8>& iv, bool encrypt) {
  if (key.empty() || key.size() > MaxKeyLength) return false;
  BF_KEY schedule;
  BF_set_key(&schedule, static_cast<int>(key.size()), key.data());
  BF_LONG chain[2] = {LoadHalf(iv.data()), LoadHalf(iv.data() + 4)};
  for (std::size_t pos = 0; pos + 8 <= data.size(); pos += 8) {
    std::uint8_t* block = data.data() + pos;
    BF_LONG halves[2] = {LoadHalf(block), LoadHalf(block + 4)};
    if (encrypt) {
      halves[0] ^= chain[0];
      halves[1] ^= chain[1];
      BF_encrypt(halves, &schedule);
      chain[0] = halves[0];
      chain[1] = halves[1];
    } else {
      const BF_LONG cipher[2] = {halves[0], halves[1]};
      BF_decrypt(halves, &schedule);
      halves[0] ^= chain[0];
      halves[1] ^= chain[1];
      chain[0] = cipher[0];
      chain[1] = cipher[1];
    }
    StoreHalf(block, halves[0]);
    StoreHalf(block + 4, halves[1]);
  }
  OPENSSL_cleanse(&schedule, sizeof schedule);
  return true;
}

}  // namespace

// Decryption direction of the chain.
bool GfxDbDecrypt(std::span<std::uint8_t> data, std::span<const std::uint8_t> key,
                  const std::array<std::uint8_t, 8>& iv) {
  return RunCbc(data, key, iv, false);
}

// Encryption direction of the chain.
bool GfxDbEncrypt(std::span<std::uint8_t> data, std::span<const std::uint8_t> key,
                  const std::array<std::uint8_t, 8>& iv) {
  return RunCbc(data, key, iv, true);
}

}  // namespace zelmar
