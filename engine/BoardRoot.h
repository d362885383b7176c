// The board's position as the computer player's search starts from it.
#pragma once

#include "engine/search/SearchDefs.h"

namespace zelmar {

class TChessBrd;

// A copy of what a search `depth` plies deep needs of the board's position: squares, side to move, castling
// rights, en-passant square and mode. Made on the main thread, carried to the worker in its requests.
TSearchRoot RootFromBoard(const TChessBrd& board, int depth);

}  // namespace zelmar
