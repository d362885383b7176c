// The name the player's games are recorded under.
#pragma once

#include <string>

namespace zelmar {

// The name given when the account tells nothing.
inline constexpr const char* kDefaultPlayerName = "Player";

// The account's full name (first field of the passwd entry's comment), else its login name, else "Player".
std::string PlayerName();

}  // namespace zelmar
