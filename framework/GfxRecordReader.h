// A bounds-checked little-endian reader over the bytes of an archive record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelmar {

class TRecordReader {
 public:
  explicit TRecordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Reads one byte, or nothing when the record is exhausted.
  std::optional<std::uint8_t> ReadByte() {
    if (Remaining() < 1) return std::nullopt;
    return bytes_[pos_++];
  }

  // Reads a signed 32-bit little-endian integer, or nothing on a short record.
  std::optional<std::int32_t> ReadInt32() {
    if (Remaining() < 4) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return static_cast<std::int32_t>(v);
  }

  // Takes the next `count` bytes as a view, or nothing when fewer are left.
  std::optional<std::span<const std::uint8_t>> ReadBlock(std::size_t count) {
    if (Remaining() < count) return std::nullopt;
    auto block = bytes_.subspan(pos_, count);
    pos_ += count;
    return block;
  }

  // Skips bytes; false when fewer are left.
  bool Skip(std::size_t count) { return ReadBlock(count).has_value(); }

  std::size_t Remaining() const { return bytes_.size() - pos_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(pos_); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

}  // namespace zelmar
