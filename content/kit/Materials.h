// Procedural surface textures: wood, marble, stone, brass, shared by the boards, scenes and controls.
#pragma once
#include <cstdint>

#include "content/kit/Image.h"

namespace zelmar::content {

struct WoodTone {
  Rgba light, dark;  // early and late wood
  float rings = 1;   // ring density
};

// Wood grain at a point (pixels), the grain running along x; `seed` varies the plank.
Rgba wood(float x, float y, const WoodTone& tone, uint32_t seed);

struct MarbleTone {
  Rgba base, vein, cloud;
};

// Veined marble at a point (pixels).
Rgba marble(float x, float y, const MarbleTone& tone, uint32_t seed);

// Rough stone colour at a point, with a tint.
Rgba stone(float x, float y, Rgba tint, uint32_t seed);

// Warm polished brass shading across a bevel: t 0 (shadow side) … 1 (lit side).
Rgba brass(float t);

// Common tones.
WoodTone mapleTone();
WoodTone walnutTone();
WoodTone frameWoodTone();
MarbleTone whiteMarble();
MarbleTone greenMarble();
MarbleTone darkMarble();

}  // namespace zelmar::content
