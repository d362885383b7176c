// The game's levels: each is the depth in plies the computer player searches to.
#pragma once

namespace zelmar {

inline constexpr int kLowestLevel = 1;
inline constexpr int kHighestLevel = 8;
// The deepest a hint for the player searches, so that it answers within seconds at the highest level.
inline constexpr int kHighestHintLevel = 6;

}  // namespace zelmar
