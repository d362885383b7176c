// Texts the protocol fronts share: moves and principal variations, and how a mate score is told.
#pragma once

#include <string>

#include "engine/search/ChessSearch.h"

namespace zelmar {

// Half-moves to the mate a score announces (positive: the side to move mates), or 0 for a plain score.
int MatePlies(int score);

// The moves of the iteration's best line in coordinate form, separated by spaces.
std::string LineText(const TIterationResult& result);

}  // namespace zelmar
