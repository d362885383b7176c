// scene-monkey: a restless player for the whole game window, seeded and reproducible (tools/scene-monkey/
// SceneMonkey.h). Prints the counts and the resident memory; a broken invariant prints the seed, the tick,
// the last actions and the command that replays it, and exits with status 1.
//   scene-monkey [--seed N] [--seconds S | --ticks T] [--depth D] [--check-every K] [--painter
//   recording|canvas]
//                [--data DIR]
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SceneMonkey.h"
#include "audio/ProgramFiles.h"

namespace {

using zelmar::scene::monkey::TMonkeyCounts;
using zelmar::scene::monkey::TMonkeyOptions;
using zelmar::scene::monkey::TMonkeyResult;

int Usage() {
  std::fprintf(stderr,
               "usage: scene-monkey [--seed N] [--seeds COUNT] [--seconds S | --ticks T] [--depth 1..3]\n"
               "                    [--check-every K]"
               " [--painter recording|canvas] [--data DIR]\n");
  return 2;
}

// Reads a whole decimal number; false for anything else.
bool ReadNumber(const char* text, long long low, long long high, long long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text, &end, 10);
  return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

// The command line that runs exactly the same monkey again.
std::string ReplayCommand(const TMonkeyOptions& options, long long ticks) {
  return "--seed " + std::to_string(options.Seed) + " --ticks " + std::to_string(ticks) + " --depth " +
         std::to_string(options.Depth) + " --check-every " + std::to_string(options.CheckEvery) +
         " --painter " + (options.RecordingPainter ? "recording" : "canvas");
}

// Adds one run's counts to the total.
void Add(zelmar::scene::monkey::TMonkeyCounts& total, const zelmar::scene::monkey::TMonkeyCounts& c) {
  total.Ticks += c.Ticks;
  total.Actions += c.Actions;
  total.Forms += c.Forms;
  total.Quits += c.Quits;
  total.Closes += c.Closes;
  total.GamesStarted += c.GamesStarted;
  total.Rematches += c.Rematches;
  total.Mates += c.Mates;
  total.StaleMates += c.StaleMates;
  total.NoMaterial += c.NoMaterial;
  total.Threefold += c.Threefold;
  total.Moves += c.Moves;
  total.TakeBacks += c.TakeBacks;
  total.Replays += c.Replays;
  total.Promotions += c.Promotions;
  total.StaleReplies += c.StaleReplies;
  total.MenuVisits += c.MenuVisits;
  total.HintsAsked += c.HintsAsked;
  total.HintsShown += c.HintsShown;
  total.LetThrough += c.LetThrough;
  total.Continues += c.Continues;
  total.Restarts += c.Restarts;
  total.Kills += c.Kills;
  total.KeptWrites += c.KeptWrites;
}

void PrintCounts(const char* what, const zelmar::scene::monkey::TMonkeyCounts& c) {
  std::printf(
      "%s: %lld ticks, %lld actions, %d windows (%d quit, %d closed)\n"
      "  games started %d (rematches %d), finished %d (mate %d, stalemate %d, no mating material %d, "
      "threefold %d)\n"
      "  moves %lld, take-backs %d, replays %d, promotions %d, stale replies dropped %d, menu visits %d, "
      "worker calls let through %d\n"
      "  kept game: writes checked %d, continues %d, restarts %d (killed %d)\n"
      "  hints asked %d, shown %d\n",
      what, static_cast<long long>(c.Ticks), static_cast<long long>(c.Actions), c.Forms, c.Quits, c.Closes,
      c.GamesStarted, c.Rematches, c.Mates + c.StaleMates + c.NoMaterial + c.Threefold, c.Mates, c.StaleMates,
      c.NoMaterial, c.Threefold, static_cast<long long>(c.Moves), c.TakeBacks, c.Replays, c.Promotions,
      c.StaleReplies, c.MenuVisits, c.LetThrough, c.KeptWrites, c.Continues, c.Restarts, c.Kills,
      c.HintsAsked, c.HintsShown);
}

}  // namespace

int main(int argc, char** argv) {
  using zelmar::scene::monkey::ResidentKilobytes;
  TMonkeyOptions options;
  options.Seconds = 10;
  options.DataFolder = zelmar::audio::ProgramDirectory();
  long long seeds = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const char* value = argv[++i];
    long long number = 0;
    if (arg == "--seed" && ReadNumber(value, 0, (1LL << 62), number)) {
      options.Seed = static_cast<std::uint64_t>(number);
    } else if (arg == "--seeds" && ReadNumber(value, 1, 1000000, number)) {
      seeds = number;
    } else if (arg == "--ticks" && ReadNumber(value, 1, (1LL << 40), number)) {
      options.Ticks = number;
    } else if (arg == "--seconds" && ReadNumber(value, 1, 1000000, number)) {
      options.Seconds = static_cast<double>(number);
      options.Ticks = 0;
    } else if (arg == "--depth" && ReadNumber(value, 1, 3, number)) {
      options.Depth = static_cast<int>(number);
    } else if (arg == "--check-every" && ReadNumber(value, 1, 1000000, number)) {
      options.CheckEvery = static_cast<int>(number);
    } else if (arg == "--painter" &&
               (std::strcmp(value, "recording") == 0 || std::strcmp(value, "canvas") == 0)) {
      options.RecordingPainter = std::strcmp(value, "recording") == 0;
    } else if (arg == "--data") {
      options.DataFolder = value;
    } else {
      return Usage();
    }
  }
  // Seeds one after another in this process; the memory is read before the first, after a tenth of
  // them (or a tenth of the only one) and after the last.
  TMonkeyCounts total;
  const long start = ResidentKilobytes();
  long tenth = 0;
  int failures = 0;
  const std::uint64_t first = options.Seed;
  for (long long n = 0; n < seeds; ++n) {
    TMonkeyOptions run = options;
    run.Seed = first + static_cast<std::uint64_t>(n);
    const TMonkeyResult result = zelmar::scene::monkey::RunSceneMonkey(run);
    Add(total, result.Counts);
    const std::string name = "seed " + std::to_string(run.Seed);
    PrintCounts(name.c_str(), result.Counts);
    if (seeds == 1) tenth = result.Memory.AtTenth;
    if (seeds > 1 && (n + 1) * 10 >= seeds && tenth == 0) tenth = ResidentKilobytes();
    if (!result.Passed) {
      ++failures;
      std::printf("FAILED %s", result.Failure.c_str());
      std::printf("replay: %s %s --data %s\n", argv[0], ReplayCommand(run, result.FailureTick).c_str(),
                  run.DataFolder.string().c_str());
    }
    std::fflush(stdout);
  }
  const long end = ResidentKilobytes();
  if (seeds > 1) PrintCounts("all seeds", total);
  const double change = tenth > 0 ? 100.0 * static_cast<double>(end - tenth) / static_cast<double>(tenth) : 0;
  std::printf("resident memory: start %ld kB, after 10%% %ld kB, end %ld kB (%+.1f%% since 10%%)\n", start,
              tenth, end, change);
  if (failures > 0) std::printf("%d of %lld seeds FAILED\n", failures, seeds);
  return failures > 0 ? 1 : 0;
}
