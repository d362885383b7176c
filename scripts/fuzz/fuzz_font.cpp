// Fuzz target: decoding a font record (glyph table and glyph image) on the test backend.
#include <string_view>

#include "scripts/fuzz/DecoderRig.h"

using namespace zelmar;

// The first byte picks quality and alpha level, the rest is the record; a loaded font must have
// a glyph image, and lays out the record's own bytes as text (any bytes, UTF-8 or not) within its glyphs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  DecoderRig& rig = DecoderRig::Get();
  TGfxFont* font = rig.Fonts.Add();
  if (font->LoadFromRecord({data + 1, size - 1}, AlphaOf(data[0]), QualityOf(data[0]))) {
    if (font->Image() == nullptr) __builtin_trap();
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (font->Measure(text).Replaced > static_cast<int>(text.size())) __builtin_trap();
  }
  rig.Fonts.Clear();
  return 0;
}
