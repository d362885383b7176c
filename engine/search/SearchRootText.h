// Text forms used by the tools and tests around the search: FEN positions and coordinate moves.
#pragma once

#include <string>
#include <string_view>

#include "engine/search/SearchDefs.h"

namespace zelmar {

// Reads a FEN record (piece placement, side, castling, en passant; counters optional) into a root
// (engine/Fen.h). Returns false with a reason for malformed text; the root is then unchanged.
bool RootFromFen(std::string_view fen, TSearchRoot& root, std::string* error = nullptr);

// The FEN placement, side, castling and en-passant fields of a root.
std::string FenFromRoot(const TSearchRoot& root);

// Coordinate form of a move, e.g. "e2e4", with the promotion letter appended ("e7e8q").
std::string MoveToText(TSearchMove m);

// Name of a search square, e.g. 0 -> "a8".
std::string SquareName(int s);

}  // namespace zelmar
