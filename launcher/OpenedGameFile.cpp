#include "launcher/OpenedGameFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "engine/notation/Pgn.h"

namespace zelmar {
namespace {

// Reads a whole regular file into `text`; the refusal when it cannot.
std::optional<GameFileRefusal> ReadGameFile(const std::filesystem::path& file, std::string& text) {
  const auto refuse = [&file](GameFileProblem problem, std::string detail = {}) {
    return GameFileRefusal{file, problem, std::move(detail)};
  };
  // Opened without waiting, so that a named pipe cannot hold the program before the launcher.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    return error == ENOENT ? refuse(GameFileProblem::gpMissing)
                           : refuse(GameFileProblem::gpUnreadable, std::strerror(error));
  }
  struct stat info {};
  std::optional<GameFileRefusal> refusal;
  if (::fstat(fd, &info) != 0) {
    refusal = refuse(GameFileProblem::gpUnreadable, std::strerror(errno));
  } else if (S_ISDIR(info.st_mode)) {
    refusal = refuse(GameFileProblem::gpUnreadable, std::strerror(EISDIR));
  } else if (!S_ISREG(info.st_mode)) {
    refusal = refuse(GameFileProblem::gpUnreadable, "not a regular file");
  } else if (static_cast<std::uintmax_t>(info.st_size) > kMaxGameFileSize) {
    refusal = refuse(GameFileProblem::gpTooLarge);
  }
  if (!refusal) {
    text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        refusal = refuse(GameFileProblem::gpUnreadable, std::strerror(errno));
        break;
      }
      if (n == 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
      // A file that grew past the limit while it was read.
      if (text.size() > kMaxGameFileSize) {
        refusal = refuse(GameFileProblem::gpTooLarge);
        break;
      }
    }
  }
  ::close(fd);
  if (refusal) text.clear();
  return refusal;
}

}  // namespace

OpenedGameFile OpenGameFile(const std::filesystem::path& file) {
  std::string text;
  if (auto refusal = ReadGameFile(file, text)) return {std::nullopt, std::move(refusal)};
  std::vector<TPgnGame> games = ReadPgn(text);
  if (games.empty()) return {std::nullopt, GameFileRefusal{file, GameFileProblem::gpNoGame, {}}};
  TPgnGame& last = games.back();
  if (!last.Game) {
    return {std::nullopt, GameFileRefusal{file, GameFileProblem::gpRefused, last.Error, last.FirstLine}};
  }
  return {std::move(last.Game), std::nullopt};
}

}  // namespace zelmar
