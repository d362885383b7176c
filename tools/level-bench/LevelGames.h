// The games level-bench replays: a fixed list of openings in both modes, with the player on either side,
// and a player whose every move is fixed by the position and the game, so that two runs of the same game
// see the same moves as long as the computer answers the same.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"

namespace zelmar::levelbench {

struct TLevelGame {
  const char* Name;
  bool Zelmar;
  bool PlayerWhite;
  std::vector<const char*> Opening;  // the player's first moves, "e2e4" form
  unsigned Seed;                     // picks the player's later moves that are not its own search's
};

// The fixed list, at least eight games.
const std::vector<TLevelGame>& LevelGames();

// The player's move number `turn` (0 first) in `game` on the board: the opening's move while it is
// legal, then the best move of a shallow search of its own (often the reply the computer expects), now
// and then of a shallower one, and rarely a legal move picked by the game's seed (the misses). False
// without a legal move.
bool PlayerMove(const TLevelGame& game, int turn, const TChessBrd& board, Square& from, Square& to);

}  // namespace zelmar::levelbench
