#include "framework/GfxDbTable.h"

#include <array>

#include "framework/GfxDbBytes.h"

namespace zelmar {

namespace {

// Stores a message for the caller when one was asked for, and gives false.
bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// Reads and checks the 12-byte file header; the signature is kept but not checked.
bool ReadHeader(const TGfxDbSource& source, TGfxDbTable& table, std::string* error) {
  std::array<std::uint8_t, GfxDbFileHeaderSize> raw{};
  if (!source.ReadAt(0, raw)) return Fail(error, "file too short for the archive header");
  std::memcpy(table.Header.Signature.data(), raw.data(), 4);
  table.Header.RecordCount = GfxDbGetLE<std::uint32_t>(raw.data() + 4);
  table.Header.TableOffset = GfxDbGetLE<std::int32_t>(raw.data() + 8);
  const std::int64_t offset = table.Header.TableOffset;
  if (offset < 0 || offset > table.FileSize) return Fail(error, "record table offset lies outside the file");
  // Every table entry takes at least 8 bytes, so the count is bounded by the bytes after the table.
  const std::int64_t room = (table.FileSize - offset) / 8;
  if (table.Header.RecordCount > GfxDbMaxRecords || table.Header.RecordCount > room)
    return Fail(error, "record count " + std::to_string(table.Header.RecordCount) + " does not fit the file");
  return true;
}

// Reads one table entry (name length, name, header offset) at `pos` and advances `pos`.
bool ReadEntry(const TGfxDbSource& source, std::int64_t& pos, TRecordInfo& info, std::string* error) {
  std::array<std::uint8_t, 4> word{};
  if (!source.ReadAt(pos, word)) return Fail(error, "record table ends early");
  const auto length = GfxDbGetLE<std::int32_t>(word.data());
  pos += 4;
  if (length < 0 || length > GfxDbMaxNameLength || length > source.Size() - pos)
    return Fail(error, "record name length " + std::to_string(length) + " is not valid");
  info.Name.assign(static_cast<std::size_t>(length), '\0');
  if (!source.ReadAt(pos, std::span(reinterpret_cast<std::uint8_t*>(info.Name.data()), info.Name.size())))
    return Fail(error, "record table ends early");
  pos += length;
  if (!source.ReadAt(pos, word)) return Fail(error, "record table ends early");
  info.Offset = GfxDbGetLE<std::int32_t>(word.data());
  pos += 4;
  return true;
}

// Reads the 44-byte header of a record whose table entry has been read.
bool ReadRecordHeader(const TGfxDbSource& source, TRecordInfo& info, std::string* error) {
  std::array<std::uint8_t, GfxDbRecordHeaderSize> raw{};
  if (info.Offset < 0 || !source.ReadAt(info.Offset, raw))
    return Fail(error, "header of record \"" + info.Name + "\" lies outside the file");
  DecodeRecordHeader(raw, info);
  return true;
}

}  // namespace

// Reads the whole table in the file's order: header, entries, then each entry's record header.
bool ReadGfxDbTable(const TGfxDbSource& source, TGfxDbTable& table, std::string* error) {
  // 1. Start from an empty table and read the file header.
  table = TGfxDbTable{};
  table.FileSize = source.Size();
  bool ok = ReadHeader(source, table, error);
  // 2. Read the entries of the table.
  std::int64_t pos = table.Header.TableOffset;
  if (ok) table.Records.reserve(table.Header.RecordCount);
  for (std::uint32_t i = 0; ok && i < table.Header.RecordCount; ++i) {
    TRecordInfo info;
    ok = ReadEntry(source, pos, info, error);
    if (ok) table.Records.push_back(std::move(info));
  }
  // 3. Read every record's header.
  for (std::size_t i = 0; ok && i < table.Records.size(); ++i)
    ok = ReadRecordHeader(source, table.Records[i], error);
  // 4. Any failure leaves nothing half-read behind.
  if (!ok) {
    const std::int64_t size = table.FileSize;
    table = TGfxDbTable{};
    table.FileSize = size;
  }
  return ok;
}

// Field offsets inside the record header are fixed by the file format.
void DecodeRecordHeader(std::span<const std::uint8_t, GfxDbRecordHeaderSize> bytes, TRecordInfo& info) {
  const std::uint8_t* p = bytes.data();
  info.RecordType = GfxDbGetLE<std::uint16_t>(p + 0);
  info.UnpackedSize = GfxDbGetLE<std::int32_t>(p + 2);
  info.StoredSize = GfxDbGetLE<std::int32_t>(p + 6);
  info.TimeStamp = GfxDbGetDouble(p + 10);
  std::memcpy(info.Checksum.data(), p + 18, 16);
  info.Flags = GfxDbGetLE<std::uint16_t>(p + 34);
  std::memcpy(info.InitVector.data(), p + 36, 8);
}

// Mirror image of DecodeRecordHeader.
void EncodeRecordHeader(const TRecordInfo& info, std::span<std::uint8_t, GfxDbRecordHeaderSize> bytes) {
  std::uint8_t* p = bytes.data();
  GfxDbPutLE<std::uint16_t>(p + 0, info.RecordType);
  GfxDbPutLE<std::int32_t>(p + 2, info.UnpackedSize);
  GfxDbPutLE<std::int32_t>(p + 6, info.StoredSize);
  GfxDbPutDouble(p + 10, info.TimeStamp);
  std::memcpy(p + 18, info.Checksum.data(), 16);
  GfxDbPutLE<std::uint16_t>(p + 34, info.Flags);
  std::memcpy(p + 36, info.InitVector.data(), 8);
}

// Checks the sizes against each other, the limits and the file before anything is allocated.
bool RecordIsSound(const TRecordInfo& info, std::int64_t fileSize, std::string* error) {
  const std::string what = "record \"" + info.Name + "\": ";
  if (info.UnpackedSize <= 0)
    return Fail(error, what + "unpacked size " + std::to_string(info.UnpackedSize) + " is not valid");
  if (info.UnpackedSize > GfxDbMaxUnpackedSize)
    return Fail(error, what + "unpacked size is beyond the limit");
  if (info.StoredSize <= 0)
    return Fail(error, what + "stored size " + std::to_string(info.StoredSize) + " is not valid");
  if (static_cast<std::int64_t>(info.UnpackedSize) >
      static_cast<std::int64_t>(info.StoredSize) * GfxDbMaxInflateRatio)
    return Fail(error, what + "unpacked size does not match the stored size");
  const std::int64_t dataStart = static_cast<std::int64_t>(info.Offset) + GfxDbRecordHeaderSize;
  if (info.Offset < 0 || dataStart > fileSize || info.StoredSize > fileSize - dataStart)
    return Fail(error, what + "stored data runs past the end of the file");
  return true;
}

// ASCII-only lower-casing, independent of the locale.
std::string GfxDbLowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace zelmar
