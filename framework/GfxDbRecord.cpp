#include "framework/GfxDbRecord.h"

#include <cstring>

#include <openssl/evp.h>
#include <zlib.h>

#include "framework/GfxDbCipher.h"

namespace zelmar {

namespace {

// Stores a message for the caller when one was asked for, and gives false.
bool Fail(std::string* error, const TRecordInfo& info, const char* message) {
  if (error) *error = "record \"" + info.Name + "\": " + message;
  return false;
}

// Inflates a zlib stream into a buffer of exactly `out.size()` bytes. Succeeds only when the
// stream ends exactly at the buffer's end; inflation never writes past the buffer.
bool InflateExactly(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(in.data());
  zs.avail_in = static_cast<uInt>(in.size());
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  int status = Z_OK;
  while (status == Z_OK) status = inflate(&zs, Z_FINISH);
  // Z_BUF_ERROR with a full buffer means the stream holds more than declared; with input left
  // over it cannot happen here since all input was offered at once.
  const bool exact = status == Z_STREAM_END && zs.total_out == out.size();
  inflateEnd(&zs);
  return exact;
}

}  // namespace

// One-shot MD5 through the EVP interface.
std::array<std::uint8_t, 16> GfxDbDigest(std::span<const std::uint8_t> data) {
  std::array<std::uint8_t, 16> digest{};
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_md5(), nullptr) != 1 || length != 16)
    digest.fill(0);
  return digest;
}

// Decrypts, inflates and verifies in that order; each step failing releases what was made.
bool UnpackGfxDbRecord(const TRecordInfo& info, std::vector<std::uint8_t>& stored,
                       std::span<const std::uint8_t> key, std::vector<std::uint8_t>& out,
                       std::string* error) {
  out.clear();
  // 1. Decrypt the whole blocks when the record asks for it and a key is known.
  if (info.Encrypted() && !key.empty() && !GfxDbDecrypt(stored, key, info.InitVector))
    return Fail(error, info, "the decryption key is not usable");
  // 2. Inflate to exactly the unpacked size; the sizes were checked against the limits before.
  if (info.UnpackedSize <= 0 || info.UnpackedSize > GfxDbMaxUnpackedSize)
    return Fail(error, info, "unpacked size is not valid");
  std::vector<std::uint8_t> unpacked(static_cast<std::size_t>(info.UnpackedSize));
  if (!InflateExactly(stored, unpacked)) {
    if (info.Encrypted() && key.empty())
      return Fail(error, info, "the record is encrypted and no key was given");
    return Fail(error, info, "data does not inflate to the recorded size");
  }
  // 3. Compare the digest of what came out with the stored one.
  if (GfxDbDigest(unpacked) != info.Checksum) return Fail(error, info, "digest does not match the contents");
  out = std::move(unpacked);
  return true;
}

}  // namespace zelmar
