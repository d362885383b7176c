// What the main thread asks of the computer player's worker, and what the worker answers.
#pragma once

#include <cstdint>

#include "engine/search/SearchDefs.h"

namespace zelmar {

// The kinds of request the worker takes.
enum class TRequestKind {
  kComputerMove,  // search Root for the computer and answer with the move to play
  kThinkAhead,    // the player is to move in Root and will likely play (or has chosen) Move: search ahead
  kHint,          // search Root for the player and answer with the move suggested
  kStop,          // stop whatever runs and wait for the next request
  kQuit,          // stop and end the thread
};

// A request carries a copy of everything its search needs, and the generation of the game it was made
// in: the board raises the generation whenever the game changes under the worker.
struct TWorkerRequest {
  TRequestKind Kind = TRequestKind::kStop;
  // kComputerMove and kHint: the position searched; kThinkAhead: the position the player is to move in.
  TSearchRoot Root;
  // kThinkAhead: the player's move thought ahead of.
  TSearchMove Move;
  // kThinkAhead: whether the player has chosen Move (or it is only the reply the computer expects).
  bool MoveCertain = false;
  std::uint64_t Generation = 0;
};

// The worker's answer to a kComputerMove or kHint request, posted with that request's generation; the
// board takes it only while the generation is still the current one.
struct TWorkerAnswer {
  TRequestKind Kind = TRequestKind::kComputerMove;
  std::uint64_t Generation = 0;
  TSearchMove Move;
  // kComputerMove: the player's reply the search expects, when it found one.
  bool ExpectsReply = false;
  TSearchMove Reply;
  std::uint64_t Nodes = 0;
  int Score = 0;
};

}  // namespace zelmar
