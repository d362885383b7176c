// Fuzz target: decoding a font record (glyph table and glyph image) on the test backend.
#include "scripts/fuzz/DecoderRig.h"

using namespace zelmar;

// The first byte picks quality and alpha level, the rest is the record; a loaded font must have
// a glyph image.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  DecoderRig& rig = DecoderRig::Get();
  TGfxFont* font = rig.Fonts.Add();
  if (font->LoadFromRecord({data + 1, size - 1}, AlphaOf(data[0]), QualityOf(data[0])) &&
      font->Image() == nullptr)
    __builtin_trap();
  rig.Fonts.Clear();
  return 0;
}
