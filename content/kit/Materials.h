// Procedural surface textures: wood, marble, stone, brass, shared by the boards, scenes and controls.
#pragma once
#include <cstdint>

#include "content/kit/Image.h"

namespace zelmar::content {

struct WoodTone {
  Rgba Light, Dark;  // early and late wood
  float Rings = 1;   // ring density
};

// Wood grain at a point (pixels), the grain running along x; `seed` varies the plank.
Rgba Wood(float x, float y, const WoodTone& tone, uint32_t seed);

struct MarbleTone {
  Rgba Base, Vein, Cloud;
};

// Veined marble at a point (pixels).
Rgba Marble(float x, float y, const MarbleTone& tone, uint32_t seed);

// Rough stone colour at a point, with a tint.
Rgba Stone(float x, float y, Rgba tint, uint32_t seed);

// Warm polished brass shading across a bevel: t 0 (shadow side) … 1 (lit side).
Rgba Brass(float t);

// Common tones.
WoodTone MapleTone();
WoodTone WalnutTone();
WoodTone FrameWoodTone();
MarbleTone WhiteMarble();
MarbleTone GreenMarble();
MarbleTone DarkMarble();

}  // namespace zelmar::content
