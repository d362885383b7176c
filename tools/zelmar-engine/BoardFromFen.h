// Setting up the board from a FEN text, the tool's way of naming a position.
#pragma once

#include <string>
#include <string_view>

#include "engine/ChessBrd.h"

namespace zelmar {

// Starts a new game on the board and sets the FEN's placement, side to move, castling rights and
// en-passant square ("startpos" for the initial position). Move counters, if present, are ignored.
// Returns an empty text on success, otherwise what is wrong with the FEN (the board is then reset).
std::string SetUpFromFen(TChessBrd& board, std::string_view fen);

// The placement field of a FEN text for a 64-character position text.
std::string FenPlacement(std::string_view position);

}  // namespace zelmar
