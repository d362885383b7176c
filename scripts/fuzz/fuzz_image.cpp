// Fuzz target: decoding an image record into a new image on the test backend.
#include "scripts/fuzz/DecoderRig.h"

using namespace zelmar;

// The first byte picks quality and alpha level, the rest is the record. A failed load must leave
// the image in state 0; a loaded one must have a consistent pattern layout.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  DecoderRig& rig = DecoderRig::Get();
  TGfxImage* image = rig.Images.Add();
  image->SetQuality(QualityOf(data[0]));
  image->SetAlphaLevel(AlphaOf(data[0]));
  if (image->LoadFromRecord({data + 1, size - 1})) {
    if (image->PatternsPerRow() <= 0 || image->PatternsPerColumn() <= 0) __builtin_trap();
    TPatternRequest request{};
    request.Pattern = static_cast<int>(data[0]) - 128;
    (void)image->PatternCoords(request);
  }
  rig.Images.Clear();
  return 0;
}
