#include "framework/GfxTextLayout.h"

#include <optional>

#include "framework/GfxRounding.h"

namespace zelmar {

namespace {

// Parses exactly eight hexadecimal digits; nothing when any of them is not a hex digit.
std::optional<std::uint32_t> ParseHex8(std::string_view digits) {
  std::uint32_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(d);
  }
  return value;
}

}  // namespace

// Pairs each glyph with its code point and sorts the pairs for the binary search of FindGlyph.
std::vector<TGlyphKey> SortedGlyphKeys(std::span<const char32_t> codePoints) {
  std::vector<TGlyphKey> keys;
  keys.reserve(codePoints.size());
  for (std::size_t k = 0; k < codePoints.size(); ++k)
    if (codePoints[k] <= kLastCodePoint) keys.push_back({codePoints[k], static_cast<std::int32_t>(k)});
  std::stable_sort(keys.begin(), keys.end(),
                   [](const TGlyphKey& a, const TGlyphKey& b) { return a.CodePoint < b.CodePoint; });
  return keys;
}

// A binary search over the sorted keys.
std::int32_t FindGlyph(std::span<const TGlyphKey> glyphs, char32_t code) {
  const auto at = std::lower_bound(glyphs.begin(), glyphs.end(), code,
                                   [](const TGlyphKey& key, char32_t c) { return key.CodePoint < c; });
  return at != glyphs.end() && at->CodePoint == code ? at->Glyph : -1;
}

// The replacement character's own glyph when the font has one; fonts of the first format have a '?'.
std::int32_t ReplacementGlyph(std::span<const TGlyphKey> glyphs) {
  const std::int32_t mark = FindGlyph(glyphs, kReplacementCharacter);
  return mark >= 0 ? mark : FindGlyph(glyphs, U'?');
}

// The layout without drawing: the pen's travel and the count of replaced characters.
TTextExtent MeasureText(const TTextMetrics& m, std::string_view text) {
  TTextExtent extent;
  extent.Width = LayoutText(
      m, text, 0.0, 0.0, 0, 0, [](const TGlyphQuad&) {}, &extent.Replaced);
  return extent;
}

// Tags are eleven characters or more before the end: a mark, then "$" or "x" and eight digits.
bool ApplyColorTag(std::string_view text, std::size_t pos, std::uint32_t& top, std::uint32_t& bottom) {
  // A tag is only taken when more than ten characters follow its first one (1-based i < n - 10).
  if (pos + 11 >= text.size()) return false;
  const std::string_view head = text.substr(pos, 2);
  const bool topTag = head == "#$", bottomTag = head == "&$", bothTag = head == "0x";
  if (!topTag && !bottomTag && !bothTag) return false;
  const auto value = ParseHex8(text.substr(pos + 2, 8));
  if (topTag) {
    if (value) top = *value;
  } else if (bottomTag) {
    if (value) bottom = *value;
  } else if (value) {
    top = bottom = *value;
  } else {
    top = bottom;
  }
  return true;
}

// A scaled glyph size in whole pixels, halves to even.
int GlyphExtent(double scale, int size) {
  return RoundHalfEven(scale * size);
}

// The pen position of a glyph, truncated toward zero.
int GlyphOrigin(double pen) {
  return TruncToInt(pen);
}

}  // namespace zelmar
