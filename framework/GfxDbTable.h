// Reading the archive's file header, record table and record headers from a byte source, with
// every count, length and offset checked against the file's size before it is used.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/GfxDbFormat.h"
#include "framework/GfxDbSource.h"

namespace zelmar {

// The archive's table as read from one file.
struct TGfxDbTable {
  TGfxDbHeader Header;
  std::vector<TRecordInfo> Records;
  std::int64_t FileSize = 0;
};

// Reads header, table and record headers. On any failure the table is left empty, `error` (when
// given) says why, and the result is false.
bool ReadGfxDbTable(const TGfxDbSource& source, TGfxDbTable& table, std::string* error = nullptr);

// Decodes one 44-byte record header into the size, type, digest and cipher fields of `info`.
void DecodeRecordHeader(std::span<const std::uint8_t, GfxDbRecordHeaderSize> bytes, TRecordInfo& info);

// Encodes the header fields of `info` into 44 bytes (the writer's counterpart of the above).
void EncodeRecordHeader(const TRecordInfo& info, std::span<std::uint8_t, GfxDbRecordHeaderSize> bytes);

// Tells whether a record's sizes are plausible and its stored data lies inside a file of
// `fileSize` bytes; a record failing this cannot be read.
bool RecordIsSound(const TRecordInfo& info, std::int64_t fileSize, std::string* error = nullptr);

// Lower-cases ASCII letters only; archive names are 8-bit strings compared this way.
std::string GfxDbLowerCase(std::string text);

}  // namespace zelmar
