// What the computer player's worker has done so far, for tests and tools.
#pragma once

#include <cstdint>

namespace zelmar {

// One consistent snapshot of the worker's counters.
struct TWorkerCounts {
  // Computer moves handed to the board, and how many of them it refused.
  int Delivered = 0;
  int Refused = 0;
  // Hints handed to the board while their game was still the current one, and the node count of the last
  // hint found (set before the board sees it).
  int Hints = 0;
  std::uint64_t HintNodes = 0;
  // Answers dropped because the game had changed since their request (not counted as delivered).
  int Stale = 0;
  // Searches started ahead of time, and how many of them were taken over as the real search.
  int Ahead = 0;
  int TakenOver = 0;
  // Player's moves that were a reply being thought ahead of; of them, the best other reply.
  int PredictionsMet = 0;
  int AlternativesMet = 0;
  // Node count and score of the last search answered.
  std::uint64_t LastNodes = 0;
  int LastScore = 0;
};

}  // namespace zelmar
