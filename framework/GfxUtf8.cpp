#include "framework/GfxUtf8.h"

namespace zelmar {

namespace {

// The number of bytes a lead byte announces, or 0 for a byte that cannot start a character.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The range the second byte of a sequence must lie in, which rules out overlong forms, surrogates and code
// points past U+10FFFF at the earliest byte.
bool SecondByteFits(unsigned char lead, unsigned char second) {
  if (lead == 0xE0) return second >= 0xA0 && second <= 0xBF;
  if (lead == 0xED) return second >= 0x80 && second <= 0x9F;
  if (lead == 0xF0) return second >= 0x90 && second <= 0xBF;
  if (lead == 0xF4) return second >= 0x80 && second <= 0x8F;
  return second >= 0x80 && second <= 0xBF;
}

}  // namespace

// 1. The lead byte gives the length. 2. Each following byte must continue the sequence (the second within
// the lead's range); the first that does not ends an invalid sequence before it. 3. A whole sequence gives
// its code point.
TUtf8Char ReadUtf8Char(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = SequenceLength(lead);
  if (length == 1) return {lead, 1, true};
  if (length == 0) return {kReplacementCharacter, 1, false};
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if (pos + k >= text.size()) return {kReplacementCharacter, k, false};
    const auto next = static_cast<unsigned char>(text[pos + k]);
    const bool fits = k == 1 ? SecondByteFits(lead, next) : (next & 0xC0) == 0x80;
    if (!fits) return {kReplacementCharacter, k, false};
    code = code << 6 | (next & 0x3F);
  }
  return {code, length, true};
}

}  // namespace zelmar
