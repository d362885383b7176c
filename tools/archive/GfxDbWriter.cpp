#include "tools/archive/GfxDbWriter.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include "framework/GfxDbBytes.h"
#include "framework/GfxDbCipher.h"
#include "framework/GfxDbRecord.h"
#include "framework/GfxDbTable.h"

namespace zelmar {

namespace {

// Stores a message for the caller when one was asked for, and gives false.
bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// Compresses with zlib at the best level into a zlib (RFC 1950) stream.
bool Deflate(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  out.resize(length);
  if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) !=
      Z_OK)
    return false;
  out.resize(length);
  return true;
}

// Writes all of `bytes` to a descriptor, retrying short writes.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

// Days since 30 December 1899 (UTC), with the fraction of the day.
double GfxDbTimeStampNow() {
  using namespace std::chrono;
  const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
  return 25569.0 + seconds / 86400.0;
}

// Fills the header fields, compresses, then encrypts the compressed stream when asked.
bool PackGfxDbRecord(const std::string& name, std::span<const std::uint8_t> data, std::uint16_t type,
                     double timeStamp, const TGfxDbEncryption* encryption, TGfxDbPackedRecord& record,
                     std::string* error) {
  const std::string what = "record \"" + name + "\": ";
  if (data.empty()) return Fail(error, what + "an empty record cannot be read back");
  if (data.size() > static_cast<std::size_t>(GfxDbMaxUnpackedSize))
    return Fail(error, what + "larger than the 256 MB limit");
  record = TGfxDbPackedRecord{};
  record.Info.Name = name;
  record.Info.RecordType = type;
  record.Info.UnpackedSize = static_cast<std::int32_t>(data.size());
  record.Info.TimeStamp = timeStamp;
  record.Info.Checksum = GfxDbDigest(data);
  if (!Deflate(data, record.Stored)) return Fail(error, what + "compression failed");
  record.Info.StoredSize = static_cast<std::int32_t>(record.Stored.size());
  if (encryption) {
    if (!GfxDbEncrypt(record.Stored, encryption->Key, encryption->InitVector))
      return Fail(error, what + "the key must be 1 to 72 bytes");
    record.Info.Flags = GfxRecordEncrypted;
    record.Info.InitVector = encryption->InitVector;
  }
  return true;
}

// Packs with the fixed or the current time stamp, then adds.
bool TGfxDbWriter::Add(const std::string& name, std::span<const std::uint8_t> data, std::uint16_t type,
                       const TGfxDbEncryption* encryption, std::string* error) {
  TGfxDbPackedRecord record;
  const double stamp = FixedStamp ? *FixedStamp : GfxDbTimeStampNow();
  return PackGfxDbRecord(name, data, type, stamp, encryption, record, error) &&
         AddPacked(std::move(record), error);
}

// Checks the name against the reader's rules and the records present.
bool TGfxDbWriter::AddPacked(TGfxDbPackedRecord record, std::string* error) {
  const std::string& name = record.Info.Name;
  if (name.empty()) return Fail(error, "a record needs a name");
  if (name.size() > static_cast<std::size_t>(GfxDbMaxNameLength))
    return Fail(error, "record name \"" + name.substr(0, 32) + "...\" is too long");
  if (Records.size() >= GfxDbMaxRecords) return Fail(error, "too many records");
  for (const TGfxDbPackedRecord& present : Records)
    if (GfxDbLowerCase(present.Info.Name) == GfxDbLowerCase(name))
      return Fail(error,
                  "record \"" + name + "\" is already in the archive as \"" + present.Info.Name + "\"");
  Records.push_back(std::move(record));
  return true;
}

// Lays out header, records and table, patching the offsets as they become known.
bool TGfxDbWriter::Build(std::vector<std::uint8_t>& bytes, std::string* error) const {
  // 1. Header with a placeholder table offset.
  bytes.assign(GfxDbFileHeaderSize, 0);
  std::memcpy(bytes.data(), GfxDbSignature, 4);
  GfxDbPutLE<std::uint32_t>(bytes.data() + 4, static_cast<std::uint32_t>(Records.size()));
  // 2. Each record's header and stored data, noting where it starts.
  std::vector<std::int64_t> offsets;
  for (const TGfxDbPackedRecord& record : Records) {
    offsets.push_back(static_cast<std::int64_t>(bytes.size()));
    std::array<std::uint8_t, GfxDbRecordHeaderSize> header{};
    EncodeRecordHeader(record.Info, header);
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), record.Stored.begin(), record.Stored.end());
    if (bytes.size() > 0x7FFFFFFFu) return Fail(error, "the archive would exceed 2 GB");
  }
  // 3. The table: name length, name, header offset.
  const auto tableOffset = static_cast<std::int64_t>(bytes.size());
  for (std::size_t i = 0; i < Records.size(); ++i) {
    std::uint8_t word[4];
    GfxDbPutLE<std::int32_t>(word, static_cast<std::int32_t>(Records[i].Info.Name.size()));
    bytes.insert(bytes.end(), word, word + 4);
    bytes.insert(bytes.end(), Records[i].Info.Name.begin(), Records[i].Info.Name.end());
    GfxDbPutLE<std::int32_t>(word, static_cast<std::int32_t>(offsets[i]));
    bytes.insert(bytes.end(), word, word + 4);
  }
  if (bytes.size() > 0x7FFFFFFFu) return Fail(error, "the archive would exceed 2 GB");
  GfxDbPutLE<std::int32_t>(bytes.data() + 8, static_cast<std::int32_t>(tableOffset));
  return true;
}

// Writes beside the target, syncs, then renames over it.
bool TGfxDbWriter::Write(const std::string& path, std::string* error) const {
  std::vector<std::uint8_t> bytes;
  if (!Build(bytes, error)) return false;
  const std::string temp = path + ".tmp." + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(error, temp + ": " + std::strerror(errno));
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return Fail(error, path + ": cannot write the archive (" + reason + ")");
  }
  return true;
}

}  // namespace zelmar
