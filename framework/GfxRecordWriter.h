// The little-endian writer matching TRecordReader: what the content tools use to write archive records.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelmar {

class TRecordWriter {
 public:
  explicit TRecordWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  // Appends one byte.
  void WriteByte(std::uint8_t v) { out_.push_back(v); }

  // Appends a signed 32-bit integer, low byte first.
  void WriteInt32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }

  // Appends bytes as they are.
  void WriteBlock(std::span<const std::uint8_t> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }

 private:
  std::vector<std::uint8_t>& out_;
};

}  // namespace zelmar
