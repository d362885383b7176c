// A board without a worker holding a copy of one position, to try moves on without touching the game.
#pragma once

#include "engine/ChessBrd.h"
#include "engine/MoveRecord.h"

namespace zelmar {

// Loads into a fresh `scratch` the current position of `board`: squares, side to move, rights, en-passant
// square and mode (not its record, so no earlier placement counts as a repetition there).
void CopyPosition(const TChessBrd& board, TChessBrd& scratch);
// Loads into a fresh `scratch` one recorded position of a game in the given mode.
void LoadEntry(const MoveInfo& entry, bool whiteToMove, bool zelmar, TChessBrd& scratch);
// Whether the side to move in `board` stands in check.
bool SideToMoveInCheck(const TChessBrd& board);

}  // namespace zelmar
