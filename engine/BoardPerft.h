// Counting the move tree of a position through the board's own operations, to prove its rules.
#pragma once

#include <cstdint>

namespace zelmar {

class TChessBrd;

// Number of move sequences of the given length from the board's position, each played with PlayMove
// and taken back with MoveBack; a promotion counts once per piece (knight, bishop, rook, queen).
// The board ends in the position it started from; its promotion handler is borrowed meanwhile.
// Answers nothing (-1) if the board refuses to step back, which would mean a broken record.
std::int64_t BoardPerft(TChessBrd& board, int depth);

}  // namespace zelmar
