// TGfxDb: the game's data archive, a flat file of named, compressed, checksummed records.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "framework/GfxDbFormat.h"
#include "framework/GfxDbSource.h"
#include "framework/GfxDbTable.h"

namespace zelmar {

// How Open treats the file.
enum TOpenModes { opUpdate, opOverwrite, opReadOnly };

// Reads records of one archive file. The file is opened for each operation and closed again, so
// nothing is held open between reads. Every number read from the file is checked before use; a
// damaged record fails its own read and leaves the rest readable.
class TGfxDb {
 public:
  const std::string& FileName() const { return FileNameValue; }
  // Changing the file name forgets that the archive was opened.
  void SetFileName(const std::string& name);
  TOpenModes OpenMode() const { return OpenModeValue; }
  void SetOpenMode(TOpenModes mode) { OpenModeValue = mode; }

  // The decryption key for records flagged encrypted; empty (nothing is decrypted) by default.
  void SetKey(std::span<const std::uint8_t> key) { Key.assign(key.begin(), key.end()); }
  std::span<const std::uint8_t> GetKey() const { return Key; }

  // Opens the archive as OpenMode says; the result becomes the "opened" flag.
  bool Open();
  // The "opened" flag when set, else Open.
  bool EnsureOpen();
  bool Opened() const { return IsOpened; }

  // Index of the first record named `name` ignoring letter case, or -1.
  int Find(const std::string& name) const;
  int RecordCount() const { return static_cast<int>(Table.Records.size()); }
  // The record's type, or 0 for an index out of range.
  std::uint16_t RecordType(int index) const;
  // The table entry of a record; index must be in range.
  const TRecordInfo& Record(int index) const { return Table.Records.at(static_cast<std::size_t>(index)); }
  std::int64_t FileSize() const { return Table.FileSize; }

  // Reads and verifies the unpacked bytes of a record. On failure `data` is empty.
  bool ReadRecord(const std::string& name, std::vector<std::uint8_t>& data);
  // Reads record `index` of the table as re-read from the file (for checking every record, even
  // one whose name an earlier record shadows).
  bool ReadRecordAt(int index, std::vector<std::uint8_t>& data);
  // Appends the unpacked bytes of a record to `stream`; true when the read succeeded.
  bool ReadStream(const std::string& name, std::vector<std::uint8_t>& stream);

  // Why the last failing operation failed (a message for tools; the game does not show it).
  const std::string& LastError() const { return LastErrorText; }

 private:
  using RecordReader = std::function<bool(const TGfxDbSource&, std::vector<std::uint8_t>&, std::string*)>;
  bool CreateEmpty();
  bool ReadTable();
  bool ReadFromFile(std::vector<std::uint8_t>& data, const RecordReader& read);

  std::string FileNameValue;
  TOpenModes OpenModeValue = opUpdate;
  std::vector<std::uint8_t> Key;
  TGfxDbTable Table;
  bool IsOpened = false;
  std::string LastErrorText;
};

// Reads one record from an archive held in memory (what ReadRecord does after opening the file):
// table, look-up, bounds, stored bytes, decryption, inflation and digest.
bool ReadGfxDbRecord(const TGfxDbSource& source, const std::string& name, std::span<const std::uint8_t> key,
                     std::vector<std::uint8_t>& data, std::string* error = nullptr);
// The same with the table already read from `source`.
bool ReadGfxDbRecord(const TGfxDbSource& source, const TGfxDbTable& table, const std::string& name,
                     std::span<const std::uint8_t> key, std::vector<std::uint8_t>& data,
                     std::string* error = nullptr);

// Checks and unpacks the record at `index` of a table read from `source`.
bool ReadGfxDbRecordAt(const TGfxDbSource& source, const TGfxDbTable& table, int index,
                       std::span<const std::uint8_t> key, std::vector<std::uint8_t>& data,
                       std::string* error = nullptr);

// Index of the first record of `records` named `name` ignoring letter case, or -1.
int FindGfxDbRecord(const std::vector<TRecordInfo>& records, const std::string& name);

}  // namespace zelmar
