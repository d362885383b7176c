#include "launcher/GameStore.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <system_error>
#include <utility>

#include "launcher/TextFile.h"

namespace zelmar {
namespace {

namespace fs = std::filesystem;

// The largest game text taken: a game's PGN is a few kilobytes, anything past this is not one.
constexpr std::uint64_t kMaxGameTextSize = 16u << 20;
// The largest archive read whole (some hundred thousand games).
constexpr std::uint64_t kMaxArchiveSize = 1u << 30;
// Every archive entry ends with its last line's end and one blank line.
constexpr std::string_view kEntryEnd = "\n\n";
// A temporary file is named "<file it replaces><infix><pid of its writer>.<six random characters>".
constexpr std::string_view kTempInfix = ".tmp.";
constexpr std::size_t kTempRandomLength = 6;
// The journal of an archive replacement, beside the archive: present only while one is under way.
constexpr std::string_view kJournalSuffix = ".replacing";
// The journal's first line: this word, the replaced entry's offset, and the length and digest of the
// archive's bytes just before it (to know the journal still belongs to the archive it finds).
constexpr std::string_view kJournalWord = "zelmar-archive-replace";
constexpr std::uint64_t kJournalCheckBytes = 4096;
// What a file moved aside is called: "<stem><infix><local time>[-n]<extension>".
constexpr std::string_view kAsideInfix = ".unreadable-";
constexpr const char* kAsideTimeFormat = "%Y%m%d-%H%M%S";
constexpr int kMaxAsideNames = 1000;

// Sets `error` to what failed, on which file, and why; false, for the caller to return.
bool Fail(std::string* error, std::string_view what, const fs::path& file, std::string_view reason) {
  if (error) *error = std::string(what) + ' ' + file.string() + ": " + std::string(reason);
  return false;
}
bool Fail(std::string* error, std::string_view what, const fs::path& file, int code) {
  return Fail(error, what, file, std::strerror(code));
}

// One open file descriptor, closed when it goes.
class FileHandle {
 public:
  explicit FileHandle(int fd = -1) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle& operator=(FileHandle&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes the descriptor now: 0, or the system's error (after EINTR the descriptor is gone all the same).
  int Close() {
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) != 0 && errno != EINTR ? errno : 0;
  }

 private:
  int fd_;
};

// Writes all of `data` at `offset`, resuming after partial writes and signals: 0 or the system's error.
int WriteAllAt(int fd, std::uint64_t offset, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::pwrite(fd, data.data(), data.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    data.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return 0;
}

// Reads up to `size` bytes at `offset` into `text` (fewer at the end of the file): 0 or the system's error.
int ReadAt(int fd, std::uint64_t offset, std::uint64_t size, std::string& text) {
  text.resize(size);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::pread(fd, text.data() + done, text.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  text.resize(done);
  return 0;
}

// The size of an open regular file; false (with the reason) for anything else.
bool RegularFileSize(int fd, const fs::path& file, std::uint64_t& size, std::string* error) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Fail(error, "cannot examine", file, errno);
  if (!S_ISREG(info.st_mode)) return Fail(error, "cannot use", file, "not a regular file");
  size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

// Pushes a folder's entries (files made, renamed or removed in it) to the disk: 0 or the system's error.
int SyncFolder(const fs::path& folder) {
  FileHandle handle(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!handle.Valid()) return errno;
  if (::fsync(handle.Get()) != 0) return errno;
  return handle.Close();
}

// Reads a whole regular file of at most `maxSize` bytes; a missing file is Absent.
TReadStatus ReadWholeFile(const fs::path& file, std::uint64_t maxSize, std::string& text,
                          std::string* error) {
  text.clear();
  FileHandle in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.Valid()) {
    if (errno == ENOENT) return TReadStatus::Absent;
    Fail(error, "cannot open", file, errno);
    return TReadStatus::Failed;
  }
  std::uint64_t size = 0;
  if (!RegularFileSize(in.Get(), file, size, error)) return TReadStatus::Failed;
  // One byte more than allowed tells a file that grew past the limit while it was read.
  const int code = ReadAt(in.Get(), 0, std::min(size, maxSize) + 1, text);
  if (code != 0 || text.size() > maxSize) {
    if (code != 0)
      Fail(error, "cannot read", file, code);
    else
      Fail(error, "cannot read", file, "larger than " + std::to_string(maxSize) + " bytes");
    text.clear();
    return TReadStatus::Failed;
  }
  return TReadStatus::Read;
}

// Replaces `file` whole: a private temporary file beside it (O_EXCL, mode 0600) is written, flushed to the
// disk and renamed over it, and the folder is flushed. A failure at any step leaves the old file as it was.
bool ReplaceWholeFile(const fs::path& file, std::string_view text, std::string* error) {
  std::string pattern = file.string();
  pattern += kTempInfix;
  pattern += std::to_string(::getpid()) + '.' + std::string(kTempRandomLength, 'X');
  FileHandle out(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!out.Valid()) return Fail(error, "cannot make a temporary file for", file, errno);
  int code = WriteAllAt(out.Get(), 0, text);
  if (code == 0 && ::fdatasync(out.Get()) != 0) code = errno;
  const int closed = out.Close();
  if (code == 0) code = closed;
  if (code == 0 && std::rename(pattern.c_str(), file.c_str()) != 0) code = errno;
  if (code != 0) {
    ::unlink(pattern.c_str());
    return Fail(error, "cannot write", file, code);
  }
  if ((code = SyncFolder(file.parent_path())) != 0)
    return Fail(error, "cannot flush the folder of", file, code);
  return true;
}

// The process that made the temporary file `name` for one of `owners`, or nothing when it is none of ours.
std::optional<pid_t> TemporaryFileWriter(std::string_view name, std::initializer_list<std::string> owners) {
  for (const std::string& owner : owners) {
    const std::string prefix = owner + std::string(kTempInfix);
    if (name.substr(0, prefix.size()) != prefix) continue;
    std::string_view rest = name.substr(prefix.size());
    pid_t pid = 0;
    const auto [end, status] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    if (status == std::errc() && pid > 0 && rest.size() == kTempRandomLength + 1 && rest.front() == '.')
      return pid;
  }
  return std::nullopt;
}

// Whether process `pid` still runs (one we may not signal runs too).
bool ProcessRuns(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// The bytes an entry is stored as: the entry, ended by a blank line.
std::string StoredEntry(std::string_view entry) {
  std::string stored(entry);
  std::size_t ends = 0;
  while (ends < kEntryEnd.size() && ends < stored.size() && stored[stored.size() - 1 - ends] == '\n') ++ends;
  stored.append(kEntryEnd.size() - ends, '\n');
  return stored;
}

std::uint32_t Digest(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      ::crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<z_size_t>(bytes.size())));
}

// The archive open and locked (flock) for one operation: exclusively when it may be written, shared when
// its file may only be read.
struct ArchiveLock {
  FileHandle File;
  bool Writable = false;
  bool Made = false;       // the file was made by this opening
  std::uint64_t Size = 0;  // its size once locked
};

enum class OpenStatus { Open, Absent, Failed };

// Opens and locks the archive; makes it (mode 0600) when `make`, else a missing one is Absent.
OpenStatus OpenArchive(const fs::path& file, bool make, ArchiveLock& lock, std::string* error) {
  for (;;) {
    lock.File = FileHandle(::open(file.c_str(), O_RDWR | O_CLOEXEC));
    lock.Writable = lock.File.Valid();
    if (!lock.File.Valid() && !make && (errno == EACCES || errno == EROFS))
      lock.File = FileHandle(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (lock.File.Valid()) break;
    if (errno != ENOENT) return Fail(error, "cannot open", file, errno), OpenStatus::Failed;
    if (!make) return OpenStatus::Absent;
    lock.File = FileHandle(::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (lock.File.Valid()) {
      lock.Writable = lock.Made = true;
      break;
    }
    // Another game made it in between: open that one.
    if (errno != EEXIST) return Fail(error, "cannot make", file, errno), OpenStatus::Failed;
  }
  const int mode = lock.Writable ? LOCK_EX : LOCK_SH;
  while (::flock(lock.File.Get(), mode) != 0)
    if (errno != EINTR) return Fail(error, "cannot lock", file, errno), OpenStatus::Failed;
  if (!RegularFileSize(lock.File.Get(), file, lock.Size, error)) return OpenStatus::Failed;
  return OpenStatus::Open;
}

// What must be written before a new entry so that it starts on a fresh line after a blank one, whatever
// the archive's end holds (a torn entry left by a crash is closed off and can never swallow the new one).
bool ClosingBytes(const ArchiveLock& lock, const fs::path& file, std::string& closing, std::string* error) {
  closing.clear();
  if (lock.Size == 0) return true;
  std::string tail;
  const std::uint64_t tailSize = std::min<std::uint64_t>(lock.Size, kEntryEnd.size());
  if (const int code = ReadAt(lock.File.Get(), lock.Size - tailSize, tailSize, tail); code != 0)
    return Fail(error, "cannot read", file, code);
  std::size_t ends = 0;
  while (ends < tail.size() && tail[tail.size() - 1 - ends] == '\n') ++ends;
  closing.assign(kEntryEnd.size() - ends, '\n');
  return true;
}

// Appends `entry` to the locked archive and flushes it; on failure the archive is cut back to its old end.
std::optional<TArchiveSpot> AppendEntry(ArchiveLock& lock, const fs::path& file, std::string_view entry,
                                        std::string* error) {
  std::string bytes;
  if (!ClosingBytes(lock, file, bytes, error)) return std::nullopt;
  const std::uint64_t offset = lock.Size + bytes.size();
  const std::string stored = StoredEntry(entry);
  bytes += stored;
  int code = WriteAllAt(lock.File.Get(), lock.Size, bytes);
  if (code == 0 && ::fdatasync(lock.File.Get()) != 0) code = errno;
  if (code != 0) {
    // Whatever part was written goes again, so that no torn entry stays behind (the next addition would
    // close one off all the same).
    if (::ftruncate(lock.File.Get(), static_cast<off_t>(lock.Size)) == 0) ::fdatasync(lock.File.Get());
    Fail(error, "cannot write", file, code);
    return std::nullopt;
  }
  lock.Size += bytes.size();
  if (lock.Made) {
    if ((code = SyncFolder(file.parent_path())) != 0) {
      Fail(error, "cannot flush the folder of", file, code);
      return std::nullopt;
    }
    lock.Made = false;
  }
  return TArchiveSpot{offset, stored.size(), Digest(stored)};
}

// The digest of the archive's bytes just before `offset` that a journal checks, and their count.
bool CheckBeforeOffset(const ArchiveLock& lock, const fs::path& file, std::uint64_t offset,
                       std::uint64_t& count, std::uint32_t& digest, std::string* error) {
  count = std::min(offset, kJournalCheckBytes);
  std::string bytes;
  if (const int code = ReadAt(lock.File.Get(), offset - count, count, bytes); code != 0)
    return Fail(error, "cannot read", file, code);
  if (bytes.size() != count) return Fail(error, "cannot read", file, "the file ended early");
  digest = Digest(bytes);
  return true;
}

fs::path JournalPath(const fs::path& archive) {
  fs::path journal = archive;
  journal += kJournalSuffix;
  return journal;
}

// Finishes the replacement its journal describes, when one is there: the archive becomes its bytes before
// the replaced entry followed by the new entry. Done again after a crash at any step it gives the same
// archive. When the archive no longer holds the bytes the journal found before the entry, the entry is
// appended instead, so it is never lost. Gives the entry's spot, or no spot with an empty `error` when
// there was no journal.
std::optional<TArchiveSpot> FinishReplacement(ArchiveLock& lock, const fs::path& file, std::string* error) {
  if (error) error->clear();
  const fs::path journalPath = JournalPath(file);
  std::string journal;
  const TReadStatus read = ReadWholeFile(journalPath, kMaxGameTextSize + kJournalCheckBytes, journal, error);
  if (read != TReadStatus::Read) return std::nullopt;
  // Its first line: the word, the offset, the count and digest of the bytes before it.
  const std::size_t lineEnd = journal.find('\n');
  std::uint64_t offset = 0, count = 0;
  std::uint32_t digest = 0;
  std::string_view header = std::string_view(journal).substr(0, lineEnd);
  bool wellFormed = lineEnd != std::string::npos && header.substr(0, kJournalWord.size()) == kJournalWord;
  if (wellFormed) {
    header.remove_prefix(kJournalWord.size());
    const std::optional<TArchiveSpot> fields = ParseSpot(header.substr(header.empty() ? 0 : 1));
    wellFormed = fields && header.front() == ' ';
    if (fields)
      offset = fields->Offset, count = fields->Size, digest = static_cast<std::uint32_t>(fields->Digest);
  }
  if (!wellFormed) {
    Fail(error, "cannot finish the replacement described by", journalPath, "not a replacement journal");
    return std::nullopt;
  }
  const std::string_view entry = std::string_view(journal).substr(lineEnd + 1);
  std::uint64_t foundCount = 0;
  std::uint32_t foundDigest = 0;
  std::optional<TArchiveSpot> spot;
  if (offset <= lock.Size && CheckBeforeOffset(lock, file, offset, foundCount, foundDigest, nullptr) &&
      foundCount == count && foundDigest == digest) {
    int code = ::ftruncate(lock.File.Get(), static_cast<off_t>(offset)) == 0 ? 0 : errno;
    if (code == 0) code = WriteAllAt(lock.File.Get(), offset, entry);
    if (code == 0 && ::fdatasync(lock.File.Get()) != 0) code = errno;
    if (code != 0) {
      Fail(error, "cannot write", file, code);
      return std::nullopt;
    }
    lock.Size = offset + entry.size();
    spot = TArchiveSpot{offset, entry.size(), Digest(entry)};
  } else {
    spot = AppendEntry(lock, file, entry, error);
    if (!spot) return std::nullopt;
  }
  // The journal goes only once the archive holds the entry, and its going is flushed before the archive
  // changes again, so that it can never be done over a later addition.
  int code = ::unlink(journalPath.c_str()) == 0 ? 0 : errno;
  if (code == 0) code = SyncFolder(file.parent_path());
  if (code != 0) {
    Fail(error, "cannot remove", journalPath, code);
    return std::nullopt;
  }
  return spot;
}

// Opens and locks the archive and finishes a replacement a crash interrupted.
OpenStatus OpenArchiveReady(const fs::path& file, bool make, ArchiveLock& lock, std::string* error) {
  const OpenStatus status = OpenArchive(file, make, lock, error);
  if (status != OpenStatus::Open || !lock.Writable) return status;
  std::string reason;
  if (!FinishReplacement(lock, file, &reason) && !reason.empty()) {
    if (error) *error = reason;
    return OpenStatus::Failed;
  }
  return OpenStatus::Open;
}

// Whether the locked archive holds exactly the entry written at `spot`; with `last`, as its last entry.
bool HoldsEntry(const ArchiveLock& lock, const TArchiveSpot& spot, bool last) {
  if (spot.Size == 0 || spot.Size > kMaxGameTextSize || spot.Offset > lock.Size ||
      spot.Size > lock.Size - spot.Offset || (last && spot.Offset + spot.Size != lock.Size))
    return false;
  std::string bytes;
  return ReadAt(lock.File.Get(), spot.Offset, spot.Size, bytes) == 0 && bytes.size() == spot.Size &&
         Digest(bytes) == spot.Digest;
}

// Reads one decimal field of a spot's text.
template <typename Number>
bool ParseField(std::string_view& text, Number& value) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

}  // namespace

std::string SpotText(const TArchiveSpot& spot) {
  return std::to_string(spot.Offset) + ' ' + std::to_string(spot.Size) + ' ' + std::to_string(spot.Digest);
}

std::optional<TArchiveSpot> ParseSpot(std::string_view text) {
  TArchiveSpot spot;
  if (!ParseField(text, spot.Offset) || text.empty() || text.front() != ' ') return std::nullopt;
  text.remove_prefix(1);
  if (!ParseField(text, spot.Size) || text.empty() || text.front() != ' ') return std::nullopt;
  text.remove_prefix(1);
  if (!ParseField(text, spot.Digest) || !text.empty()) return std::nullopt;
  return spot;
}

TGameStore::TGameStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

const std::filesystem::path& TGameStore::Folder() const {
  return folder_;
}
std::filesystem::path TGameStore::CurrentPath() const {
  return folder_ / kCurrentGameFileName;
}
std::filesystem::path TGameStore::ArchivePath() const {
  return folder_ / kArchiveFileName;
}

bool TGameStore::Prepare(std::string* error) {
  if (!MakeFolders(folder_, error)) return false;
  // Temporary files whose writer is gone were left by a crash: no reader looks at them, so removing
  // them is tidiness, and one that cannot be removed is no failure.
  std::error_code listing;
  const std::string archiveJournal = JournalPath(kArchiveFileName).string();
  for (fs::directory_iterator entry(folder_.empty() ? "." : folder_, listing);
       !listing && entry != fs::directory_iterator(); entry.increment(listing)) {
    const std::optional<pid_t> writer =
        TemporaryFileWriter(entry->path().filename().string(), {kCurrentGameFileName, archiveJournal});
    if (writer && !ProcessRuns(*writer)) ::unlink(entry->path().c_str());
  }
  return true;
}

bool TGameStore::WriteCurrent(std::string_view text, std::string* error) {
  return ReplaceWholeFile(CurrentPath(), text, error);
}

TReadStatus TGameStore::ReadCurrent(std::string& text, std::string* error) const {
  return ReadWholeFile(CurrentPath(), kMaxGameTextSize, text, error);
}

bool TGameStore::RemoveCurrent(std::string* error) {
  const fs::path file = CurrentPath();
  if (::unlink(file.c_str()) != 0) return errno == ENOENT || Fail(error, "cannot remove", file, errno);
  if (const int code = SyncFolder(folder_); code != 0)
    return Fail(error, "cannot flush the folder of", file, code);
  return true;
}

std::optional<std::filesystem::path> TGameStore::MoveCurrentAside(std::string* error) {
  const fs::path file = CurrentPath();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char stamp[32] = {};
  if (!::localtime_r(&now, &local) || std::strftime(stamp, sizeof stamp, kAsideTimeFormat, &local) == 0) {
    Fail(error, "cannot move aside", file, "no local time");
    return std::nullopt;
  }
  const fs::path name(kCurrentGameFileName);
  for (int attempt = 1; attempt <= kMaxAsideNames; ++attempt) {
    std::string asideName = name.stem().string() + std::string(kAsideInfix) + stamp;
    if (attempt > 1) asideName += '-' + std::to_string(attempt);
    asideName += name.extension().string();
    const fs::path aside = folder_ / asideName;
    // Renamed only where no file is; a file system that cannot promise that gets a link and an unlink.
    int code =
        ::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
    if (code == EINVAL || code == ENOSYS) {
      code = ::link(file.c_str(), aside.c_str()) == 0 ? 0 : errno;
      if (code == 0 && ::unlink(file.c_str()) != 0) code = errno;
    }
    if (code == EEXIST) continue;
    if (code == 0) code = SyncFolder(folder_);
    if (code != 0) {
      Fail(error, "cannot move aside", file, code);
      return std::nullopt;
    }
    return aside;
  }
  Fail(error, "cannot move aside", file, "every time-stamped name is taken");
  return std::nullopt;
}

std::optional<TArchiveSpot> TGameStore::AddToArchive(std::string_view entry, std::string* error) {
  const fs::path file = ArchivePath();
  ArchiveLock lock;
  if (OpenArchiveReady(file, true, lock, error) != OpenStatus::Open) return std::nullopt;
  return AppendEntry(lock, file, entry, error);
}

std::optional<TArchiveSpot> TGameStore::ReplaceInArchive(const TArchiveSpot& spot, std::string_view entry,
                                                         std::string* error) {
  return Replace(spot, entry, true, error);
}

std::optional<TArchiveSpot> TGameStore::ReplaceLastInArchive(const TArchiveSpot& spot, std::string_view entry,
                                                             std::string* error) {
  return Replace(spot, entry, false, error);
}

std::optional<TArchiveSpot> TGameStore::Replace(const TArchiveSpot& spot, std::string_view entry,
                                                bool appendWhenGone, std::string* error) {
  const fs::path file = ArchivePath();
  ArchiveLock lock;
  if (OpenArchiveReady(file, true, lock, error) != OpenStatus::Open) return std::nullopt;
  if (!HoldsEntry(lock, spot, true)) {
    if (appendWhenGone) return AppendEntry(lock, file, entry, error);
    if (error) error->clear();
    return std::nullopt;
  }
  // The new entry and where it goes are first kept in a journal, so that a crash between cutting the old
  // entry off and writing the new one loses neither: the next opening of the archive finishes the work.
  std::uint64_t count = 0;
  std::uint32_t digest = 0;
  if (!CheckBeforeOffset(lock, file, spot.Offset, count, digest, error)) return std::nullopt;
  const std::string journal =
      std::string(kJournalWord) + ' ' + SpotText({spot.Offset, count, digest}) + '\n' + StoredEntry(entry);
  if (!ReplaceWholeFile(JournalPath(file), journal, error)) return std::nullopt;
  return FinishReplacement(lock, file, error);
}

bool TGameStore::ArchiveHolds(const TArchiveSpot& spot) const {
  ArchiveLock lock;
  return OpenArchiveReady(ArchivePath(), false, lock, nullptr) == OpenStatus::Open &&
         HoldsEntry(lock, spot, false);
}

TReadStatus TGameStore::ReadArchive(std::string& text, std::string* error) const {
  text.clear();
  const fs::path file = ArchivePath();
  ArchiveLock lock;
  switch (OpenArchiveReady(file, false, lock, error)) {
    case OpenStatus::Absent:
      return TReadStatus::Absent;
    case OpenStatus::Failed:
      return TReadStatus::Failed;
    case OpenStatus::Open:
      break;
  }
  if (lock.Size > kMaxArchiveSize) {
    Fail(error, "cannot read", file, "larger than " + std::to_string(kMaxArchiveSize) + " bytes");
    return TReadStatus::Failed;
  }
  if (const int code = ReadAt(lock.File.Get(), 0, lock.Size, text); code != 0) {
    text.clear();
    Fail(error, "cannot read", file, code);
    return TReadStatus::Failed;
  }
  return TReadStatus::Read;
}

}  // namespace zelmar
