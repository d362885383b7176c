// The fixed positions of the engine benchmark; each is searched in standard chess and in Zelmar mode.
#pragma once

#include <span>

namespace zelmar {

struct TBenchPosition {
  const char* Fen;
  int Depth;        // search depth in standard chess
  int ZelmarDepth;  // search depth in Zelmar mode
};

// The benchmark list, in the order it is searched.
std::span<const TBenchPosition> BenchPositions();

}  // namespace zelmar
