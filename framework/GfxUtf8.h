// UTF-8 read one character at a time, strictly: the texts the fonts draw arrive in UTF-8, and a broken
// sequence must show as a mark rather than crash, read past the end or swallow the characters after it.
#pragma once

#include <cstddef>
#include <string_view>

namespace zelmar {

// The character that stands for any character a text cannot show.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
// The highest Unicode code point.
inline constexpr char32_t kLastCodePoint = 0x10FFFF;

// One character read from a text: its code point (kReplacementCharacter when the bytes are not valid
// UTF-8), how many bytes it took (at least 1) and whether they were valid.
struct TUtf8Char {
  char32_t CodePoint;
  std::size_t Length;
  bool Valid;
};

// Reads the character that starts at byte `pos` (< text.size()) of `text`. An invalid sequence (a stray
// continuation byte, an overlong form, a surrogate, a code point past U+10FFFF, or a sequence cut short)
// takes its longest valid-looking prefix, at least one byte, so the next read starts at the next possible
// character.
TUtf8Char ReadUtf8Char(std::string_view text, std::size_t pos);

}  // namespace zelmar
