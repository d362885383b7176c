#include "framework/GfxDb.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "framework/GfxDbBytes.h"
#include "framework/GfxDbRecord.h"

namespace zelmar {

// A new name means a new file: it must be opened again before use.
void TGfxDb::SetFileName(const std::string& name) {
  FileNameValue = name;
  IsOpened = false;
}

// Reads the table, or creates an empty archive, as the open mode asks.
bool TGfxDb::Open() {
  switch (OpenModeValue) {
    case opUpdate:
      IsOpened = ::access(FileNameValue.c_str(), F_OK) == 0 ? ReadTable() : CreateEmpty();
      break;
    case opOverwrite:
      IsOpened = CreateEmpty();
      break;
    case opReadOnly:
      IsOpened = ReadTable();
      break;
  }
  return IsOpened;
}

// Opens only when not opened yet.
bool TGfxDb::EnsureOpen() {
  return IsOpened || Open();
}

// Writes the 12-byte header of an archive without records, truncating the file.
bool TGfxDb::CreateEmpty() {
  Table = TGfxDbTable{};
  std::uint8_t header[GfxDbFileHeaderSize];
  std::memcpy(header, GfxDbSignature, 4);
  GfxDbPutLE<std::uint32_t>(header + 4, 0);
  GfxDbPutLE<std::int32_t>(header + 8, static_cast<std::int32_t>(GfxDbFileHeaderSize));
  const int fd = ::open(FileNameValue.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    LastErrorText = FileNameValue + ": " + std::strerror(errno);
    return false;
  }
  ssize_t written = 0;
  do written = ::write(fd, header, sizeof header);
  while (written < 0 && errno == EINTR);
  const bool ok = written == static_cast<ssize_t>(sizeof header);
  const bool closed = ::close(fd) == 0;
  if (!ok || !closed) {
    LastErrorText = FileNameValue + ": could not write the archive header";
    return false;
  }
  Table.FileSize = GfxDbFileHeaderSize;
  return true;
}

// Reads the record table from the named file.
bool TGfxDb::ReadTable() {
  Table = TGfxDbTable{};
  TGfxDbFileSource file(FileNameValue);
  if (!file.IsOpen()) {
    LastErrorText = FileNameValue + ": cannot open the archive";
    return false;
  }
  std::string why;
  if (!ReadGfxDbTable(file, Table, &why)) {
    LastErrorText = FileNameValue + ": " + why;
    return false;
  }
  return true;
}

// Case-insensitive look-up in the table read last.
int TGfxDb::Find(const std::string& name) const {
  return FindGfxDbRecord(Table.Records, name);
}

// Type of a record, 0 when there is no such index.
std::uint16_t TGfxDb::RecordType(int index) const {
  if (index < 0 || index >= RecordCount()) return 0;
  return Table.Records[static_cast<std::size_t>(index)].RecordType;
}

// Opens the file afresh, re-reads its table through it and reads the record.
bool TGfxDb::ReadRecord(const std::string& name, std::vector<std::uint8_t>& data) {
  return ReadFromFile(data, [&](const TGfxDbSource& file, std::vector<std::uint8_t>& out, std::string* why) {
    return ReadGfxDbRecord(file, Table, name, Key, out, why);
  });
}

// Same as ReadRecord, addressed by position.
bool TGfxDb::ReadRecordAt(int index, std::vector<std::uint8_t>& data) {
  return ReadFromFile(data, [&](const TGfxDbSource& file, std::vector<std::uint8_t>& out, std::string* why) {
    return ReadGfxDbRecordAt(file, Table, index, Key, out, why);
  });
}

// Opens the file, re-reads the table into this archive and runs one read on the open file.
bool TGfxDb::ReadFromFile(std::vector<std::uint8_t>& data, const RecordReader& read) {
  data.clear();
  TGfxDbFileSource file(FileNameValue);
  if (!file.IsOpen()) {
    LastErrorText = FileNameValue + ": cannot open the archive";
    return false;
  }
  std::string why;
  if (!ReadGfxDbTable(file, Table, &why) || !read(file, data, &why)) {
    LastErrorText = FileNameValue + ": " + why;
    return false;
  }
  return true;
}

// Appends a record's bytes to the caller's stream.
bool TGfxDb::ReadStream(const std::string& name, std::vector<std::uint8_t>& stream) {
  std::vector<std::uint8_t> data;
  if (!ReadRecord(name, data)) return false;
  stream.insert(stream.end(), data.begin(), data.end());
  return true;
}

// Reads the table from the source, then the one record.
bool ReadGfxDbRecord(const TGfxDbSource& source, const std::string& name, std::span<const std::uint8_t> key,
                     std::vector<std::uint8_t>& data, std::string* error) {
  data.clear();
  TGfxDbTable table;
  return ReadGfxDbTable(source, table, error) && ReadGfxDbRecord(source, table, name, key, data, error);
}

// Finds the record in a table read from the same source, checks it and unpacks it.
bool ReadGfxDbRecord(const TGfxDbSource& source, const TGfxDbTable& table, const std::string& name,
                     std::span<const std::uint8_t> key, std::vector<std::uint8_t>& data, std::string* error) {
  data.clear();
  const int index = FindGfxDbRecord(table.Records, name);
  if (index < 0) {
    if (error) *error = "no record named \"" + name + "\"";
    return false;
  }
  return ReadGfxDbRecordAt(source, table, index, key, data, error);
}

// Bounds first, then the stored bytes, then decryption, inflation and digest.
bool ReadGfxDbRecordAt(const TGfxDbSource& source, const TGfxDbTable& table, int index,
                       std::span<const std::uint8_t> key, std::vector<std::uint8_t>& data,
                       std::string* error) {
  data.clear();
  if (index < 0 || static_cast<std::size_t>(index) >= table.Records.size()) {
    if (error) *error = "no record number " + std::to_string(index);
    return false;
  }
  const TRecordInfo& info = table.Records[static_cast<std::size_t>(index)];
  // 1. Check its sizes against the file, then read the stored bytes.
  if (!RecordIsSound(info, table.FileSize, error)) return false;
  std::vector<std::uint8_t> stored(static_cast<std::size_t>(info.StoredSize));
  if (!source.ReadAt(static_cast<std::int64_t>(info.Offset) + GfxDbRecordHeaderSize, stored)) {
    if (error) *error = "record \"" + info.Name + "\": stored data cannot be read";
    return false;
  }
  // 2. Decrypt, inflate and verify.
  return UnpackGfxDbRecord(info, stored, key, data, error);
}

// Both names are lower-cased before comparing; the first match wins.
int FindGfxDbRecord(const std::vector<TRecordInfo>& records, const std::string& name) {
  const std::string wanted = GfxDbLowerCase(name);
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i].Name.size() == wanted.size() && GfxDbLowerCase(records[i].Name) == wanted)
      return static_cast<int>(i);
  return -1;
}

}  // namespace zelmar
