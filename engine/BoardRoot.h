// The board's position as the computer player's search starts from it.
#pragma once

#include "engine/search/SearchDefs.h"

namespace zelmar {

class TChessBrd;

// A copy of what a search `depth` plies deep needs of the board's position: squares, side to move, castling
// rights, en-passant square and mode. The worker reads it while the main thread leaves the board alone.
TSearchRoot RootFromBoard(const TChessBrd& board, int depth);

}  // namespace zelmar
