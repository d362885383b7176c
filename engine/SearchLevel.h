// The game's levels: each is the depth in plies the computer player searches to.
#pragma once

namespace zelmar {

inline constexpr int kLowestLevel = 1;
inline constexpr int kHighestLevel = 8;

}  // namespace zelmar
