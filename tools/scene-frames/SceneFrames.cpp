// scene-frames: what the game window's frames cost on the real platform (needs a display; run it under
// xvfb-run, with a window manager such as openbox for the minimised figures). Each figure is measured
// with frames drawn only when their picture changes and, interleaved in the same run, with every frame
// drawn as the timer asks:
// 1. the share of a core the whole program uses at the title screen, and with the player to move and the
//    pointer still on the game screen, and both again with the window minimised;
// 2. at a level (default 8), the wait from the click that plays 1.e4 to the computer's reply delivered and
//    to its figure arrived, beside the time of the same search alone.
//   scene-frames [--level N] [--seconds S] [--rounds R] [--replies R]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/PowerSupply.h"
#include "engine/SearchLevel.h"
#include "engine/search/ChessSearch.h"
#include "scene/SceneGeometry.h"
#include "tools/scene-run/GameRun.h"

namespace {

using namespace zelmar;
using zelmar::tools::TGameRun;
using Clock = TGameRun::Clock;

constexpr int kSquareE2 = 53, kSquareE4 = 37;  // squares numbered from a8 (1) to h1 (64)

// Seconds of CPU time used by every thread of this process.
double ProcessCpuSeconds() {
  timespec now{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) return 0;
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The share of one core the program uses while its loop runs for `seconds`.
double CpuShare(TGameRun& run, double seconds) {
  const double cpu = ProcessCpuSeconds();
  const auto wall = Clock::now();
  run.Loop(static_cast<int>(seconds * 1000));
  return (ProcessCpuSeconds() - cpu) / Seconds(Clock::now() - wall);
}

// Minimises or restores the window and waits until the window says so; false when nothing changed (no
// window manager to minimise it).
bool SetMinimised(TGameRun& run, bool minimised) {
  if (minimised) {
    SDL_MinimizeWindow(run.Window());
  } else {
    SDL_RestoreWindow(run.Window());
  }
  return run.LoopUntil([&] { return run.Form->Window()->IsHidden() == minimised; }, 5);
}

// Alternates drawing every frame and only the changed ones, `rounds` times each, and prints both medians.
void CompareShares(TGameRun& run, const char* what, double seconds, int rounds) {
  std::vector<double> changed, every;
  for (int round = 0; round < rounds; ++round) {
    for (const bool all : {true, false}) {
      run.Form->DrawEveryFrame = all;
      run.Loop(200);
      (all ? every : changed).push_back(CpuShare(run, seconds));
    }
  }
  run.Form->DrawEveryFrame = false;
  std::printf("%-40s %6.1f %% of a core (every frame drawn: %6.1f %%)\n", what, 100 * Median(changed),
              100 * Median(every));
}

// The same, minimised.
void MinimisedShares(TGameRun& run, const char* what, double seconds, int rounds) {
  if (!SetMinimised(run, true)) {
    std::printf("%-40s not measured: the window could not be minimised (no window manager?)\n", what);
    return;
  }
  CompareShares(run, what, seconds, rounds);
  SetMinimised(run, false);
}

// The position after 1.e4 searched alone, as the worker searches it; seconds.
double PlainSearchSeconds(const TChessBrd& board, int depth) {
  const zelmar::TSearchRoot root = zelmar::RootFromBoard(board, depth);
  auto search = std::make_unique<zelmar::TChessSearch>();
  search->SetZelmarMode(root.ZelmarMode);
  const auto start = Clock::now();
  search->RunSearch(root);
  return Seconds(Clock::now() - start);
}

struct TReply {
  bool Played = false;
  double Delivered = 0, Arrived = 0, Plain = 0;
  int Ahead = 0;  // searches the worker has started ahead so far (the early start, then pondering)
};

// From the title screen at `level`: "Game", e2 and then e4 clicked; the wait from the e4 click to the
// computer's move delivered and to its figure arrived, then the same search alone; back to the title
// screen by Escape and "Menu".
TReply PlayE4(TGameRun& run, int level, bool everyFrame) {
  TReply reply;
  auto& state = run.Form->State();
  auto& engine = run.Form->ChessEngine;
  state.Options.Depth = level;
  run.Form->DrawEveryFrame = everyFrame;
  run.Click(183, 172);  // "Game"
  run.Loop(500);
  const auto e2 = zelmar::scene::SquareCentre(state, kSquareE2);
  const auto e4 = zelmar::scene::SquareCentre(state, kSquareE4);
  run.Click(e2.X, e2.Y);
  run.Point(e4.X, e4.Y);
  run.Loop(50);
  run.PushClick(e4.X, e4.Y);
  const auto clicked = Clock::now();
  const int moves = engine.CurrentMove();
  // The move number grows with Black's move: the reply is in when it has grown and White is to move.
  if (!run.LoopUntil([&] { return engine.CurrentMove() > moves && engine.WhiteToMove(); }, 600)) return reply;
  reply.Delivered = Seconds(Clock::now() - clicked);
  run.LoopUntil([&] { return !state.Animating; }, 60);
  reply.Arrived = Seconds(Clock::now() - clicked);
  reply.Ahead = run.Form->ComputerPlayer->SearchesAhead();
  run.Form->DrawEveryFrame = false;
  run.PressKey(SDL_SCANCODE_ESCAPE);
  run.Click(613, 412);  // "Menu"
  run.Loop(300);
  // The position before the computer's move: the start position after 1.e4.
  TChessBrd board;
  board.SetZelmarMode(engine.ZelmarMode());
  board.NewGame();
  board.SetComputerPlaysBlack(false);
  board.SetComputerPlaysWhite(false);
  board.MakeMove(static_cast<Square>(kSquareE2), static_cast<Square>(kSquareE4));
  reply.Plain = PlainSearchSeconds(board, level);
  reply.Played = true;
  return reply;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is measured
  int level = kHighestLevel, rounds = 3, replies = 2;
  double seconds = 3;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--level") == 0)
      level = std::clamp(std::atoi(argv[i + 1]), kLowestLevel, kHighestLevel);
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::max(0.5, std::atof(argv[i + 1]));
    if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--replies") == 0) replies = std::max(0, std::atoi(argv[i + 1]));
  }
  // One window for everything (the platform opens one display connection per run).
  TGameRun run;
  const auto config = std::filesystem::temp_directory_path() / "scene-frames-config.ini";
  if (!run.Start(config)) {
    std::fprintf(stderr, "scene-frames: the game window did not start (no display or no data?)\n");
    return 1;
  }
  const std::filesystem::path power = PowerSupplyFolder();
  std::printf("power supply %s: %s\n", power.c_str(),
              OnBattery(power) ? "on battery, no search starts ahead" : "mains");
  run.Point(1010, 750);
  run.Loop(500);
  CompareShares(run, "title screen:", seconds, rounds);
  MinimisedShares(run, "title screen, minimised:", seconds, rounds);
  run.Click(183, 172);  // "Game"
  run.Point(1010, 750);
  run.Loop(1000);
  CompareShares(run, "game, player to move, pointer still:", seconds, rounds);
  MinimisedShares(run, "game, minimised:", seconds, rounds);
  run.PressKey(SDL_SCANCODE_ESCAPE);
  run.Click(613, 412);  // "Menu"
  run.Loop(300);
  std::vector<double> delivered[2], arrived[2], plain;
  for (int round = 0; round < replies; ++round) {
    for (const bool every : {true, false}) {
      const TReply reply = PlayE4(run, level, every);
      if (!reply.Played) {
        std::fprintf(stderr, "scene-frames: the computer did not reply to 1.e4\n");
        return 1;
      }
      std::printf(
          "  reply %d (%s): delivered %.2f s, arrived %.2f s, search alone %.2f s; searches started ahead so "
          "far: %d\n",
          round + 1, every ? "every frame drawn" : "changed frames drawn", reply.Delivered, reply.Arrived,
          reply.Plain, reply.Ahead);
      delivered[every].push_back(reply.Delivered);
      arrived[every].push_back(reply.Arrived);
      plain.push_back(reply.Plain);
    }
  }
  std::filesystem::remove(config);
  if (replies > 0) {
    const double search = Median(plain);
    std::printf("level %d after 1.e4: the search alone %.2f s (median of %zu)\n", level, search,
                plain.size());
    for (const bool every : {false, true}) {
      std::printf("  %-22s click to reply delivered %.2f s (%.2fx), to its figure arrived %.2f s (%.2fx)\n",
                  every ? "every frame drawn:" : "changed frames drawn:", Median(delivered[every]),
                  Median(delivered[every]) / search, Median(arrived[every]), Median(arrived[every]) / search);
    }
  }
  return 0;
}
