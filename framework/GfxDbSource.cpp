#include "framework/GfxDbSource.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmar {

// Copies bytes out of the view when the whole range lies inside it.
bool TGfxDbMemorySource::ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) const {
  const auto size = static_cast<std::int64_t>(Bytes.size());
  const auto length = static_cast<std::int64_t>(buffer.size());
  if (offset < 0 || offset > size || length > size - offset) return false;
  if (length > 0) std::memcpy(buffer.data(), Bytes.data() + offset, buffer.size());
  return true;
}

// Opens a regular file for reading, takes the shared lock and notes its size; any failure leaves
// the source closed.
TGfxDbFileSource::TGfxDbFileSource(const std::string& path) {
  Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) return;
  struct stat info {};
  const bool usable = ::fstat(Fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(Fd, LOCK_SH | LOCK_NB) == 0;
  if (!usable) {
    ::close(Fd);
    Fd = -1;
    return;
  }
  FileSize = static_cast<std::int64_t>(info.st_size);
}

// Releases the lock together with the descriptor.
TGfxDbFileSource::~TGfxDbFileSource() {
  if (Fd >= 0) ::close(Fd);
}

// Reads the whole range with pread, retrying short reads and interruptions; a range outside the
// file or an early end of file fails.
bool TGfxDbFileSource::ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) const {
  const auto length = static_cast<std::int64_t>(buffer.size());
  if (Fd < 0 || offset < 0 || offset > FileSize || length > FileSize - offset) return false;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t got =
        ::pread(Fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace zelmar
