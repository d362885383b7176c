// TGfxDbWriter: builds data archive files (zelmar.dat) for the game's TGfxDb reader.
//
// Usage (the content build and zelmar-pack):
//   TGfxDbWriter writer;
//   std::string error;
//   if (!writer.Add("ground", imageRecordBytes, GfxRecordImage, nullptr, &error)) ...;
//   if (!writer.Add("font_menu", fontRecordBytes, GfxRecordFont, nullptr, &error)) ...;
//   TGfxDbEncryption secret{key, iv};                    // optional Blowfish-CBC
//   writer.Add("hidden", bytes, GfxRecordRaw, &secret, &error);
//   if (!writer.Write("zelmar.dat", &error)) ...;
//
// Each record is compressed with zlib at level 9, carries the MD5 digest of its bytes, a time
// stamp (days since 30 December 1899, UTC; fixed with SetTimeStamp for reproducible output) and,
// when encryption is given, is encrypted with Blowfish in CBC mode over its whole 8-byte blocks.
// Record types: GfxRecordRaw 0, GfxRecordImage 1, GfxRecordFont 3 (framework/GfxDbFormat.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/GfxDbFormat.h"

namespace zelmar {

// Key (1 to 72 bytes) and initialisation vector for an encrypted record.
struct TGfxDbEncryption {
  std::vector<std::uint8_t> Key;
  std::array<std::uint8_t, 8> InitVector{};
};

// One record ready to be written: its table entry and header fields, and its stored bytes.
struct TGfxDbPackedRecord {
  TRecordInfo Info;
  std::vector<std::uint8_t> Stored;
};

// Compresses, digests and optionally encrypts `data` into a record. Fails for empty data, data
// beyond the reader's size limit, or an unusable key.
bool PackGfxDbRecord(const std::string& name, std::span<const std::uint8_t> data, std::uint16_t type,
                     double timeStamp, const TGfxDbEncryption* encryption, TGfxDbPackedRecord& record,
                     std::string* error = nullptr);

// The current time as an archive time stamp.
double GfxDbTimeStampNow();

// Collects records and writes them as one archive file.
class TGfxDbWriter {
 public:
  // Packs and adds a record. Refuses an empty or over-long name, a name already present (letter
  // case ignored, as the reader looks names up), and what PackGfxDbRecord refuses.
  bool Add(const std::string& name, std::span<const std::uint8_t> data, std::uint16_t type = GfxRecordRaw,
           const TGfxDbEncryption* encryption = nullptr, std::string* error = nullptr);
  // Adds a record packed elsewhere (same name rules as Add).
  bool AddPacked(TGfxDbPackedRecord record, std::string* error = nullptr);

  // Time stamp for records added from now on (default: the time of each Add).
  void SetTimeStamp(double stamp) { FixedStamp = stamp; }

  std::size_t Count() const { return Records.size(); }
  const std::vector<TGfxDbPackedRecord>& Packed() const { return Records; }

  // The whole archive file: header, records in order of adding, then the record table.
  // Fails when the archive would exceed the format's 2 GB offsets.
  bool Build(std::vector<std::uint8_t>& bytes, std::string* error = nullptr) const;
  // Builds the archive and writes it to `path` through a temporary file renamed into place, so an
  // existing archive is never left half-written.
  bool Write(const std::string& path, std::string* error = nullptr) const;

 private:
  std::vector<TGfxDbPackedRecord> Records;
  std::optional<double> FixedStamp;
};

}  // namespace zelmar
