#include "launcher/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace zelmar {
namespace {

// Writes all of `text` to an open descriptor, resuming after partial writes and signals.
bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ReadResult ReadTextFile(const std::filesystem::path& file, std::string& text) {
  text.clear();
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::rrMissing : ReadResult::rrFailed;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uintmax_t>(info.st_size) > kMaxTextFileSize) {
    ::close(fd);
    return ReadResult::rrFailed;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) break;
    if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    // A read error, or a file that grew past the limit while being read.
    if (n < 0 || text.size() > kMaxTextFileSize) {
      ::close(fd);
      text.clear();
      return ReadResult::rrFailed;
    }
  }
  ::close(fd);
  return ReadResult::rrRead;
}

bool ReplaceTextFile(const std::filesystem::path& file, const std::string& text) {
  // 1. Respect a file its owner made read-only, and keep the permissions of an existing one.
  mode_t mode = 0644;
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return false;
    mode = info.st_mode & 07777;
  }
  // 2. Write the new text beside it under a temporary name and push it to the disk.
  std::filesystem::path temp = file;
  temp += ".new";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  // 3. Swap it in; on any failure the temporary goes and the old file stays untouched.
  if (ok) ok = std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool MakeFolders(const std::filesystem::path& folder, std::string* error) {
  std::filesystem::path step;
  for (const std::filesystem::path& part : folder) {
    step /= part;
    struct stat info {};
    int failure = 0;
    if (::stat(step.c_str(), &info) == 0) {
      if (S_ISDIR(info.st_mode)) continue;
      failure = ENOTDIR;  // a file stands where a folder should be
    } else if (errno != ENOENT) {
      failure = errno;
    } else if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
      // Another process may make the same folder at the same moment: that is as good.
      failure = errno;
    }
    if (failure != 0) {
      if (error) *error = "cannot make the folder " + step.string() + ": " + std::strerror(failure);
      return false;
    }
  }
  return true;
}

}  // namespace zelmar
