// Turning a record's stored bytes into its contents: decryption, inflation to exactly the
// unpacked size, and the digest check.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/GfxDbFormat.h"

namespace zelmar {

// MD5 digest of a block of bytes.
std::array<std::uint8_t, 16> GfxDbDigest(std::span<const std::uint8_t> data);

// Unpacks `stored` (decrypted in place first when the record is flagged encrypted and `key` is
// not empty) into `out`. Succeeds only when the zlib stream inflates to exactly UnpackedSize
// bytes (more than zero) whose MD5 digest equals the record's; otherwise `out` is left empty.
bool UnpackGfxDbRecord(const TRecordInfo& info, std::vector<std::uint8_t>& stored,
                       std::span<const std::uint8_t> key, std::vector<std::uint8_t>& out,
                       std::string* error = nullptr);

}  // namespace zelmar
