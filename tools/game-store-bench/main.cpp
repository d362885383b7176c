// game-store-bench: what keeping the games costs. Adding a game to the archive must cost the same whether
// it holds 10 games or 10,000, and writing the current game after a move (a 200-move game's PGN, flushed to
// the disk) should stay under a millisecond. Prints medians and the worst times, the ratio of the two
// archive sizes, and what the current game's write spends in each of its steps.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "launcher/GameStore.h"

using namespace zelmar;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kUsage =
    "game-store-bench [--folder DIR] [--samples N] [--games N]\n"
    "  --folder DIR  where the bench makes its scratch folder (default: the working folder; use a folder\n"
    "                on the disk the games live on, not a memory file system)\n"
    "  --samples N   timed operations of each kind (default 201)\n"
    "  --games N     games in the large archive (default 10000)\n";

struct Options {
  std::filesystem::path Folder = ".";
  int Samples = 201;
  int Games = 10000;
};

// The small archive's game count.
constexpr int kSmallArchive = 10;
// Full moves in the kept game.
constexpr int kGameMoves = 200;
// PGN movetext lines are at most this long.
constexpr std::size_t kLineLimit = 80;
// Plies of a real game (a Sicilian with opposite castling), repeated to make the line as long as wanted.
constexpr const char* kPlies[] = {
    "e4",   "c5",  "Nf3",  "d6",    "d4",  "cxd4", "Nxd4",  "Nf6",  "Nc3",  "a6",  "Be3",   "e5",
    "Nb3",  "Be6", "f3",   "Be7",   "Qd2", "O-O",  "O-O-O", "Nbd7", "g4",   "b5",  "g5",    "b4",
    "Ne2",  "Ne8", "f4",   "a5",    "f5",  "a4",   "Nbd4",  "exd4", "Nxd4", "b3",  "Kb1",   "bxc2+",
    "Nxc2", "Bb3", "axb3", "axb3",  "Nc3", "Bxg5", "Bxg5",  "Qxg5", "Qxd6", "Ra1", "Qxd7",  "Rxb1+",
    "Kxb1", "Qe3", "Nd5",  "Qxe4+", "Bd3", "Qxd5", "Qxe8",  "Rxe8", "Rhe1", "Qd4", "Rxe8#", "h6"};
constexpr const char* kResult = "*";

// A kept game as the game writes it: the seven standard tags, the game's own, the computer's carried
// state in the first comment, and 200 moves wrapped at 80 columns.
std::string KeptGameText() {
  std::string text =
      "[Event \"Zelmar Chess game\"]\n[Site \"desktop\"]\n[Date \"2026.12.10\"]\n[Round \"-\"]\n"
      "[White \"Ann Player\"]\n[Black \"Zelmar Chess level 5\"]\n[Result \"*\"]\n[Variant \"zelmar\"]\n"
      "[ZelmarLevel \"5\"]\n[ZelmarPlayer \"White\"]\n[WhiteClock \"1834\"]\n[BlackClock \"1207\"]\n"
      "[ZelmarGameId \"20261210-153012-4f9a2c\"]\n\n";
  std::vector<std::string> tokens = {"{[%zelmar-search"};
  for (int i = 0; i < 24; ++i) tokens.push_back("a1b2c3d4e5f6a7b" + std::to_string(i % 10));
  tokens.back() += "]}";
  const std::size_t plyCount = std::size(kPlies);
  for (int ply = 0; ply < 2 * kGameMoves; ++ply) {
    if (ply % 2 == 0) tokens.push_back(std::to_string(ply / 2 + 1) + ".");
    tokens.push_back(kPlies[static_cast<std::size_t>(ply) % plyCount]);
  }
  tokens.push_back(kResult);
  std::string line;
  for (const std::string& token : tokens) {
    if (!line.empty() && line.size() + 1 + token.size() > kLineLimit) {
      text += line + '\n';
      line.clear();
    }
    line += (line.empty() ? "" : " ") + token;
  }
  return text + line + "\n\n";
}

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// The times of `samples` runs of `step`, each after an untimed `reset`.
std::vector<double> Time(int samples, const std::function<bool()>& step, const std::function<void()>& reset) {
  std::vector<double> times;
  for (int i = 0; i < samples; ++i) {
    const Clock::time_point start = Clock::now();
    if (!step()) {
      std::fprintf(stderr, "game-store-bench: a timed step failed\n");
      std::exit(1);
    }
    times.push_back(Milliseconds(Clock::now() - start));
    reset();
  }
  std::sort(times.begin(), times.end());
  return times;
}

double Median(const std::vector<double>& sorted) {
  return sorted[sorted.size() / 2];
}
double Percentile90(const std::vector<double>& sorted) {
  return sorted[sorted.size() * 9 / 10];
}

// Cuts the archive back to `size` bytes and flushes that, outside the timed step.
void CutBack(const std::filesystem::path& archive, std::uintmax_t size) {
  std::filesystem::resize_file(archive, size);
  const int fd = ::open(archive.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 || ::fdatasync(fd) != 0) {
    std::fprintf(stderr, "game-store-bench: cannot flush %s: %s\n", archive.c_str(), std::strerror(errno));
    std::exit(1);
  }
  ::close(fd);
}

// Writes an archive of `games` copies of `entry` at once (untimed set-up).
void FillArchive(const TGameStore& store, const std::string& entry, int games) {
  std::ofstream out(store.ArchivePath(), std::ios::binary | std::ios::trunc);
  for (int i = 0; i < games; ++i) out << entry;
  out.close();
  if (!out) {
    std::fprintf(stderr, "game-store-bench: cannot write %s\n", store.ArchivePath().c_str());
    std::exit(1);
  }
  CutBack(store.ArchivePath(), std::filesystem::file_size(store.ArchivePath()));
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--folder") {
      options.Folder = value;
    } else if (arg == "--samples") {
      options.Samples = std::atoi(value);
    } else if (arg == "--games") {
      options.Games = std::atoi(value);
    } else {
      return false;
    }
  }
  return options.Samples > 0 && options.Games > kSmallArchive;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string pattern = (options.Folder / "game-store-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::fprintf(stderr, "game-store-bench: cannot make a folder in %s: %s\n", options.Folder.c_str(),
                 std::strerror(errno));
    return 1;
  }
  const std::filesystem::path scratch = std::filesystem::absolute(pattern);
  const std::string game = KeptGameText();
  std::printf("Folder: %s\nKept game: %d moves, %zu bytes of PGN\n\n", scratch.c_str(), kGameMoves,
              game.size());

  // 1. The archive at two sizes, added to alternately so that both see the same disk.
  TGameStore small(scratch / "small");
  TGameStore large(scratch / "large");
  std::string error;
  if (!small.Prepare(&error) || !large.Prepare(&error)) {
    std::fprintf(stderr, "game-store-bench: %s\n", error.c_str());
    return 1;
  }
  FillArchive(small, game, kSmallArchive);
  FillArchive(large, game, options.Games);
  std::vector<double> smallTimes, largeTimes, smallReplace, largeReplace;
  for (int i = 0; i < options.Samples; ++i) {
    for (TGameStore* store : {&small, &large}) {
      const std::uintmax_t size = std::filesystem::file_size(store->ArchivePath());
      std::optional<TArchiveSpot> spot;
      const auto add = Time(
          1, [&] { return (spot = store->AddToArchive(game, &error)).has_value(); }, [] {});
      const auto replace = Time(
          1, [&] { return store->ReplaceInArchive(*spot, game, &error).has_value(); },
          [&] { CutBack(store->ArchivePath(), size); });
      (store == &small ? smallTimes : largeTimes).push_back(add[0]);
      (store == &small ? smallReplace : largeReplace).push_back(replace[0]);
    }
  }
  for (auto* times : {&smallTimes, &largeTimes, &smallReplace, &largeReplace})
    std::sort(times->begin(), times->end());
  std::printf("Add a game to the archive (median of %d, worst):\n", options.Samples);
  std::printf("  %6d games: %.3f ms, worst %.3f ms\n", kSmallArchive, Median(smallTimes), smallTimes.back());
  std::printf("  %6d games: %.3f ms, worst %.3f ms\n", options.Games, Median(largeTimes), largeTimes.back());
  std::printf("  ratio %d to %d games: %.2f\n", options.Games, kSmallArchive,
              Median(largeTimes) / Median(smallTimes));
  std::printf(
      "Replace the last game in the archive (median): %d games %.3f ms, %d games %.3f ms, ratio %.2f\n\n",
      kSmallArchive, Median(smallReplace), options.Games, Median(largeReplace),
      Median(largeReplace) / Median(smallReplace));

  // 2. The current game after a move through the store, and, interleaved with it, the same steps done by
  //    hand with a clock between them: making and writing the temporary file, flushing its data, renaming
  //    it over the old file, flushing the folder.
  TGameStore current(scratch / "current");
  if (!current.Prepare(&error)) {
    std::fprintf(stderr, "game-store-bench: %s\n", error.c_str());
    return 1;
  }
  const std::filesystem::path plain = current.Folder() / "plain.pgn";
  const int folder = ::open(current.Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::vector<double> writes, making, dataFlush, renaming, folderFlush;
  for (int i = 0; i < options.Samples; ++i) {
    writes.push_back(Time(
        1, [&] { return current.WriteCurrent(game, &error); }, [] {})[0]);
    std::string temp = plain.string() + ".XXXXXX";
    const Clock::time_point start = Clock::now();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    bool ok = fd >= 0 && ::write(fd, game.data(), game.size()) == static_cast<ssize_t>(game.size());
    const Clock::time_point written = Clock::now();
    ok = ok && ::fdatasync(fd) == 0;
    const Clock::time_point flushed = Clock::now();
    ok = ::close(fd) == 0 && ok && std::rename(temp.c_str(), plain.c_str()) == 0;
    const Clock::time_point renamed = Clock::now();
    ok = ok && ::fsync(folder) == 0;
    const Clock::time_point done = Clock::now();
    if (!ok) {
      std::fprintf(stderr, "game-store-bench: cannot write %s: %s\n", plain.c_str(), std::strerror(errno));
      return 1;
    }
    making.push_back(Milliseconds(written - start));
    dataFlush.push_back(Milliseconds(flushed - written));
    renaming.push_back(Milliseconds(renamed - flushed));
    folderFlush.push_back(Milliseconds(done - renamed));
  }
  ::close(folder);
  for (auto* times : {&writes, &making, &dataFlush, &renaming, &folderFlush})
    std::sort(times->begin(), times->end());
  std::printf(
      "Write the current game (%zu bytes, %d writes): median %.3f ms, 90th percentile %.3f ms, worst %.3f "
      "ms\n",
      game.size(), options.Samples, Median(writes), Percentile90(writes), writes.back());
  std::printf(
      "  its steps (median, worst): make and write the temporary file %.3f ms, %.3f ms;\n"
      "  flush its data (fdatasync) %.3f ms, %.3f ms; rename %.3f ms, %.3f ms;\n"
      "  flush the folder (fsync) %.3f ms, %.3f ms\n",
      Median(making), making.back(), Median(dataFlush), dataFlush.back(), Median(renaming), renaming.back(),
      Median(folderFlush), folderFlush.back());

  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  return 0;
}
