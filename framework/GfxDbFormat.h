// Layout of the data archive file: header, record table entries and record headers, and the limits a
// reader enforces before it trusts any number read from the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelmar {

// All integers in the archive are little-endian. The file starts with a 12-byte header
// ("GfDb", record count, offset of the record table); every record is a 44-byte header followed by
// its stored data (a zlib stream, encrypted when flagged); the table lists name and header offset.
inline constexpr char GfxDbSignature[4] = {'G', 'f', 'D', 'b'};
inline constexpr std::int64_t GfxDbFileHeaderSize = 12;
inline constexpr std::int64_t GfxDbRecordHeaderSize = 44;

// Record types known to the game; the image loader does not look at the type, fonts must be 3.
inline constexpr std::uint16_t GfxRecordRaw = 0;
inline constexpr std::uint16_t GfxRecordImage = 1;
inline constexpr std::uint16_t GfxRecordFont = 3;

// A non-zero low byte of the flags means the stored data is encrypted.
inline constexpr std::uint16_t GfxRecordEncrypted = 0x0001;

// Sanity limits: anything beyond them is a damaged or hostile file, never a real archive.
inline constexpr std::int32_t GfxDbMaxNameLength = 4096;
inline constexpr std::uint32_t GfxDbMaxRecords = 1u << 20;
inline constexpr std::int32_t GfxDbMaxUnpackedSize = 256 * 1024 * 1024;
// zlib never expands better than about 1032:1; a larger claimed ratio is a forged size.
inline constexpr std::int64_t GfxDbMaxInflateRatio = 1040;

// One entry of the record table together with the record's header.
struct TRecordInfo {
  std::string Name;
  std::int32_t Offset = 0;  // of the record header
  std::uint16_t RecordType = 0;
  std::int32_t UnpackedSize = 0;
  std::int32_t StoredSize = 0;
  double TimeStamp = 0.0;                   // days since 30 December 1899, not interpreted when reading
  std::array<std::uint8_t, 16> Checksum{};  // MD5 of the unpacked data
  std::uint16_t Flags = 0;
  std::array<std::uint8_t, 8> InitVector{};

  // Tells whether the stored data is flagged as encrypted.
  bool Encrypted() const { return (Flags & 0xFF) != 0; }
};

// The 12-byte file header as read from the file.
struct TGfxDbHeader {
  std::array<char, 4> Signature{};
  std::uint32_t RecordCount = 0;
  std::int32_t TableOffset = 0;
};

}  // namespace zelmar
