// Random-access byte sources the archive reader works on: an open file or a block of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zelmar {

// Something of a known size that can be read at any offset; a read either fills the whole
// buffer or fails, so no caller ever works on a partly filled buffer.
class TGfxDbSource {
 public:
  virtual ~TGfxDbSource() = default;
  virtual std::int64_t Size() const = 0;
  virtual bool ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) const = 0;
};

// A read-only view of bytes held elsewhere (tests and fuzzing read archives from memory).
class TGfxDbMemorySource final : public TGfxDbSource {
 public:
  explicit TGfxDbMemorySource(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(Bytes.size()); }
  bool ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) const override;

 private:
  std::span<const std::uint8_t> Bytes;
};

// A file opened for reading with a shared lock, so a writer holding the exclusive lock is kept
// out while the archive is being read. Closed on destruction.
class TGfxDbFileSource final : public TGfxDbSource {
 public:
  explicit TGfxDbFileSource(const std::string& path);
  ~TGfxDbFileSource() override;
  TGfxDbFileSource(const TGfxDbFileSource&) = delete;
  TGfxDbFileSource& operator=(const TGfxDbFileSource&) = delete;

  bool IsOpen() const { return Fd >= 0; }
  std::int64_t Size() const override { return FileSize; }
  bool ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) const override;

 private:
  int Fd = -1;
  std::int64_t FileSize = 0;
};

}  // namespace zelmar
