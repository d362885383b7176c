// UTF-8 read character by character: valid forms of every length and each kind of broken sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GfxUtf8.h"

namespace zelmar {

namespace {

// The characters of a text, a broken sequence as U+FFFD, with the byte lengths they took.
std::vector<std::pair<char32_t, std::size_t>> Read(std::string_view text) {
  std::vector<std::pair<char32_t, std::size_t>> out;
  for (std::size_t i = 0; i < text.size();) {
    const TUtf8Char ch = ReadUtf8Char(text, i);
    EXPECT_EQ(ch.Valid, ch.CodePoint != kReplacementCharacter || text.substr(i, 3) == "\xEF\xBF\xBD");
    out.emplace_back(ch.CodePoint, ch.Length);
    i += ch.Length;
  }
  return out;
}

using Chars = std::vector<std::pair<char32_t, std::size_t>>;
constexpr char32_t kMark = kReplacementCharacter;

}  // namespace

TEST(Utf8, ValidCharactersOfEveryLength) {
  EXPECT_EQ(Read("A\u00E9\u0416\u2026\U0001F600"),
            (Chars{{U'A', 1}, {U'é', 2}, {U'Ж', 2}, {U'…', 3}, {U'\U0001F600', 4}}));
  EXPECT_EQ(Read("\xEF\xBF\xBD\xF4\x8F\xBF\xBF"), (Chars{{kMark, 3}, {kLastCodePoint, 4}}));
}

TEST(Utf8, BrokenSequencesTakeTheirShortestPrefixAndNeverTheNextCharacter) {
  EXPECT_EQ(Read("\x80"
                 "a"),
            (Chars{{kMark, 1}, {U'a', 1}}));  // stray continuation
  EXPECT_EQ(Read("\xC3"
                 "a"),
            (Chars{{kMark, 1}, {U'a', 1}}));                                     // cut short by a character
  EXPECT_EQ(Read("\xE2\x82"), (Chars{{kMark, 2}}));                              // cut short by the end
  EXPECT_EQ(Read("\xC0\xAF"), (Chars{{kMark, 1}, {kMark, 1}}));                  // overlong '/'
  EXPECT_EQ(Read("\xE0\x80\xAF"), (Chars{{kMark, 1}, {kMark, 1}, {kMark, 1}}));  // overlong, 3 bytes
  EXPECT_EQ(Read("\xED\xA0\x80"), (Chars{{kMark, 1}, {kMark, 1}, {kMark, 1}}));  // a surrogate
  EXPECT_EQ(Read("\xF4\x90\x80\x80"), (Chars{{kMark, 1}, {kMark, 1}, {kMark, 1}, {kMark, 1}}));  // > U+10FFFF
  EXPECT_EQ(Read("\xF5\xFF"), (Chars{{kMark, 1}, {kMark, 1}}));  // bytes that never start one
}

}  // namespace zelmar
