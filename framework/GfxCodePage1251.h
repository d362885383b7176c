// The Windows-1251 code page, which font records of the first format use for their glyph order: their
// glyph k is the character of byte first + k.
#pragma once

#include <cstdint>

namespace zelmar {

// The Unicode character of a Windows-1251 byte, or 0 for the one byte (0x98) the code page leaves empty.
char32_t CodePage1251ToUnicode(std::uint8_t byte);

}  // namespace zelmar
