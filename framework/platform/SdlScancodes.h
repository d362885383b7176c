// SDL's key positions as PC set-1 scan codes (0x80 added for extended keys), the index of the keyboard table.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace zelmar::platform {

// The set-1 code of a key position; 0 for positions a PC keyboard does not have.
std::uint8_t ScanCodeOf(SDL_Scancode scancode);

}  // namespace zelmar::platform
