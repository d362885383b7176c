// annotate: the games of a PGN file written again with the computer's judgement of every move.
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "engine/SearchLevel.h"
#include "engine/notation/GameAnnotation.h"
#include "engine/notation/Pgn.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {

constexpr const char* kUsage = "annotate [--level N] [--zelmar] [--output OUT] [--quiet] FILE.pgn";

struct TAnnotateArgs {
  int Level = kDefaultAnnotationLevel;
  bool Zelmar = false;
  bool Quiet = false;
  std::string Input, Output;
};

bool ParseAnnotateArgs(CommandArgs args, TAnnotateArgs& out, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--zelmar") {
      out.Zelmar = true;
    } else if (a == "--quiet") {
      out.Quiet = true;
    } else if (a == "--level") {
      const std::string_view value = ++i < args.size() ? args[i] : std::string_view();
      const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), out.Level);
      if (value.empty() || status != std::errc() || end != value.data() + value.size() ||
          out.Level < kLowestLevel || out.Level > kHighestLevel) {
        error = "--level needs a number from " + std::to_string(kLowestLevel) + " to " +
                std::to_string(kHighestLevel);
        return false;
      }
    } else if (a == "--output") {
      if (++i == args.size() || args[i].empty()) {
        error = "--output needs a file name";
        return false;
      }
      out.Output = args[i];
    } else if (out.Input.empty() && !a.starts_with("--")) {
      out.Input = a;
    } else {
      error = "unexpected argument '" + std::string(a) + "'";
      return false;
    }
  }
  if (out.Input.empty()) {
    error = "expected a PGN file";
    return false;
  }
  return true;
}

// Where the annotated games go: the standard output or a file, every write checked.
class TGameOutput {
 public:
  explicit TGameOutput(const std::string& path) : path_(path.empty() ? "the standard output" : path) {
    file_ = path.empty() ? stdout : std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) error_ = std::strerror(errno);
  }
  ~TGameOutput() {
    if (file_ != nullptr && file_ != stdout) std::fclose(file_);
  }
  TGameOutput(const TGameOutput&) = delete;
  TGameOutput& operator=(const TGameOutput&) = delete;

  // Writes one game and pushes it out, so that a later refusal leaves every game before it written.
  bool Write(const std::string& text) {
    if (file_ == nullptr) return false;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
      error_ = std::strerror(errno);
      return false;
    }
    return true;
  }
  // Closes a file (the standard output is flushed); false when the last of it could not be written.
  bool Close() {
    if (file_ == nullptr) return false;
    std::FILE* file = std::exchange(file_, nullptr);
    const bool closed = file == stdout ? std::fflush(file) == 0 : std::fclose(file) == 0;
    if (!closed) error_ = std::strerror(errno);
    return closed;
  }
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  std::string error_;
};

// Progress on the standard error, one line rewritten in place, only when it is a terminal.
class TProgressLine {
 public:
  explicit TProgressLine(bool quiet) : shown_(!quiet && ::isatty(STDERR_FILENO) == 1) {}
  void Show(int game, int games, int done, int total) {
    if (!shown_) return;
    std::fprintf(stderr, "\rannotating game %d of %d, move %d of %d   ", game, games, (done + 1) / 2,
                 (total + 1) / 2);
    used_ = true;
  }
  void Clear() {
    if (used_) std::fprintf(stderr, "\r%60s\r", "");
    used_ = false;
  }

 private:
  bool shown_;
  bool used_ = false;
};

// The whole text of a file, or false with the reason.
bool ReadText(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    error = std::strerror(errno);
    return false;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    error = "a read failed";
    return false;
  }
  text = buffer.str();
  return true;
}

}  // namespace

// Exit code 0 when every game was annotated and written, 1 at the first game refused or failed write (the
// games before it written), 2 for a usage error.
int RunAnnotate(CommandArgs args) {
  TAnnotateArgs a;
  std::string error;
  if (!ParseAnnotateArgs(args, a, error)) return RefuseUsage("annotate", error, kUsage);
  std::string text;
  if (!ReadText(a.Input, text, error)) {
    std::fprintf(stderr, "zelmar-engine annotate: cannot read %s: %s\n", a.Input.c_str(), error.c_str());
    return 1;
  }
  const std::vector<TPgnGame> games = ReadPgn(text, a.Zelmar ? TPgnMode::Zelmar : TPgnMode::Standard);
  TGameOutput output(a.Output);
  if (!output.Error().empty()) {
    std::fprintf(stderr, "zelmar-engine annotate: cannot write %s: %s\n", output.Path().c_str(),
                 output.Error().c_str());
    return 1;
  }
  TGameAnnotator annotator(a.Level);
  TProgressLine progress(a.Quiet);
  const int count = static_cast<int>(games.size());
  int status = 0;
  for (int n = 1; n <= count && status == 0; ++n) {
    const TPgnGame& game = games[static_cast<std::size_t>(n - 1)];
    const auto refuse = [&](const std::string& why) {
      progress.Clear();
      std::fprintf(stderr, "zelmar-engine annotate: %s: game %d (line %d) refused: %s\n", a.Input.c_str(), n,
                   game.FirstLine, why.c_str());
      status = 1;
    };
    if (!game.Game) {
      refuse(game.Error);
      break;
    }
    const auto judgement = annotator.Judge(
        *game.Game, &error, [&](int done, int total) { progress.Show(n, count, done, total); });
    if (!judgement) {
      refuse(error);
      break;
    }
    if (!output.Write(WritePgn(Annotated(*game.Game, *judgement)))) status = 1;
  }
  progress.Clear();
  if (!output.Close() || !output.Error().empty()) {
    std::fprintf(stderr, "zelmar-engine annotate: cannot write %s: %s\n", output.Path().c_str(),
                 output.Error().c_str());
    return 1;
  }
  if (count == 0 && status == 0) {
    std::fprintf(stderr, "zelmar-engine annotate: %s holds no game\n", a.Input.c_str());
    return 1;
  }
  return status;
}

}  // namespace zelmar
