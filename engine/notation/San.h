// Standard algebraic notation: a move written in its position, and a move read as people and programs write
// it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/ChessBrd.h"
#include "engine/notation/GameRecord.h"

namespace zelmar {

// The move in SAN in the board's current position (the move must be legal there); the Zelmar is written Q
// in both of its ways of moving.
std::string MoveToSan(const TChessBrd& board, const TGameMove& move);

// Reads a move as people and programs write it (SAN with or without check marks, 0-0, e8Q, e.p., !/? marks,
// coordinate form e2e4 / e7e8q); nothing with the reason in *error for an illegal or ambiguous move.
std::optional<TGameMove> SanToMove(const TChessBrd& board, std::string_view text,
                                   std::string* error = nullptr);

}  // namespace zelmar
