// A restless player for the whole game window: a seeded random mix of clicks, keys, pointer moves and idle
// stretches drives the real TSceneForm on the test backend (real board, worker and hand-off, real content,
// stepped clock), and the game's invariants are checked as it goes. A seed gives the same run every time:
// the worker is always waited for until it has either posted its call or parked, and the seed decides at
// which tick a posted call is let through to the main loop.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

namespace zelmar::scene::monkey {

struct TMonkeyOptions {
  std::uint64_t Seed = 1;
  std::int64_t Ticks = 0;         // logic ticks to run; 0 = run for Seconds
  double Seconds = 0;             // real seconds to run when Ticks is 0
  int Depth = 2;                  // the highest level (search depth) the player ever starts a game at, 1..3
  int CheckEvery = 1;             // ticks between checks of the full invariants
  bool RecordingPainter = false;  // draw the frames through a recording painter instead of the canvas
  std::filesystem::path DataFolder;  // zelmar.dat, zelmar.def and the tunes
};

// What the player did and saw.
struct TMonkeyCounts {
  std::int64_t Ticks = 0;
  std::int64_t Actions = 0;
  int Forms = 0;         // game windows opened
  int Quits = 0;         // ended by the quit window's "Quit"
  int Closes = 0;        // ended by the window's close box
  int GamesStarted = 0;  // new games, rematches included
  int Rematches = 0;     // new games from the in-game window
  int Mates = 0, StaleMates = 0, NoMaterial = 0, Threefold = 0;
  std::int64_t Moves = 0;  // moves the engine played in the game (stale ones not counted)
  int TakeBacks = 0, Replays = 0, Promotions = 0, StaleReplies = 0;
  int MenuVisits = 0;                  // a menu or dialog opened
  int HintsAsked = 0, HintsShown = 0;  // hints asked by the key H, and of them those seen on the board
  int Continues = 0;   // kept games brought back by "Continue" (in a fresh window or after the menu)
  int Restarts = 0;    // windows closed and opened again mid-run on the same games folder
  int Kills = 0;       // of them, ended as a kill would end them: only what was on disk before survives
  int KeptWrites = 0;  // writes of the current game read back and checked
  int LetThrough = 0;  // worker calls let through to the main loop
};

// Resident memory of the process, in kilobytes.
struct TMonkeyMemory {
  long Start = 0, AtTenth = 0, End = 0;
};

struct TMonkeyResult {
  bool Passed = true;
  std::string Failure;  // what was broken, at which tick, with the last actions
  std::int64_t FailureTick = 0;
  TMonkeyCounts Counts;
  TMonkeyMemory Memory;
};

// Runs the monkey; never throws for a failed invariant, reports it in the result.
TMonkeyResult RunSceneMonkey(const TMonkeyOptions& options);

// The resident set of this process in kilobytes (0 when it cannot be read).
long ResidentKilobytes();

}  // namespace zelmar::scene::monkey
