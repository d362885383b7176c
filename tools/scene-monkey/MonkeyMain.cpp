// scene-monkey: a restless player for the whole game window, seeded and reproducible (tools/scene-monkey/
// SceneMonkey.h). Prints the counts and the resident memory; a broken invariant prints the seed, the tick,
// the last actions and the command that replays it, and exits with status 1.
//   scene-monkey [--seed N] [--seconds S | --ticks T] [--depth D] [--check-every K] [--painter
//   recording|canvas]
//                [--data DIR]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SceneMonkey.h"
#include "audio/ProgramFiles.h"

namespace {

using zelmar::scene::monkey::TMonkeyOptions;
using zelmar::scene::monkey::TMonkeyResult;

int Usage() {
  std::fprintf(stderr,
               "usage: scene-monkey [--seed N] [--seconds S | --ticks T] [--depth 1..3] [--check-every K]\n"
               "                    [--painter recording|canvas] [--data DIR]\n");
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
  return "scene-monkey --seed " + std::to_string(options.Seed) + " --ticks " + std::to_string(ticks) +
         " --depth " + std::to_string(options.Depth) + " --check-every " +
         std::to_string(options.CheckEvery) + " --painter " +
         (options.RecordingPainter ? "recording" : "canvas");
}

}  // namespace

int main(int argc, char** argv) {
  TMonkeyOptions options;
  options.Seconds = 10;
  options.DataFolder = zelmar::audio::ProgramDirectory();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const char* value = argv[++i];
    long long number = 0;
    if (arg == "--seed" && ReadNumber(value, 0, (1LL << 62), number)) {
      options.Seed = static_cast<std::uint64_t>(number);
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
  const TMonkeyResult result = zelmar::scene::monkey::RunSceneMonkey(options);
  const auto& c = result.Counts;
  std::printf(
      "seed %llu: %lld ticks, %lld actions, %d windows (%d quit, %d closed)\n"
      "games started %d (rematches %d), finished %d (mate %d, stalemate %d, no mating material %d, "
      "threefold %d)\n"
      "moves %lld, take-backs %d, replays %d, promotions %d, stale replies dropped %d, menu visits %d, "
      "worker calls let through %d\n"
      "resident memory: start %ld kB, after 10%% %ld kB, end %ld kB\n",
      static_cast<unsigned long long>(options.Seed), static_cast<long long>(c.Ticks),
      static_cast<long long>(c.Actions), c.Forms, c.Quits, c.Closes, c.GamesStarted, c.Rematches,
      c.Mates + c.StaleMates + c.NoMaterial + c.Threefold, c.Mates, c.StaleMates, c.NoMaterial, c.Threefold,
      static_cast<long long>(c.Moves), c.TakeBacks, c.Replays, c.Promotions, c.StaleReplies, c.MenuVisits,
      c.LetThrough, result.Memory.Start, result.Memory.AtTenth, result.Memory.End);
  if (result.Passed) return 0;
  std::printf("FAILED %s", result.Failure.c_str());
  std::printf("replay: %s\n", ReplayCommand(options, result.FailureTick).c_str());
  return 1;
}
