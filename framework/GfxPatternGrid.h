// The grid of pattern cells an image cuts its textures into, and the texture coordinates of one pattern.
#pragma once

#include <array>
#include <optional>

namespace zelmar {

// What the canvas asks of an image: a pattern, an optional part of it and mirror/flip flags.
struct TPatternRequest {
  int Pattern = 0;
  int SourceX = 0, SourceY = 0;           // offset inside the visible area
  int SourceWidth = 0, SourceHeight = 0;  // 0: the whole visible size
  bool Mirror = false, Flip = false;
};

// Where the visible area of one pattern lies: its texture and the texel of its top-left corner.
struct TPatternCell {
  int TextureIndex = 0;
  int Left = 0, Top = 0;
};

// Texture index and the corner coordinates top-left, top-right, bottom-right, bottom-left.
struct TPatternCoords {
  int TextureIndex = 0;
  std::array<float, 4> U{}, V{};
};

struct TPatternGrid {
  int TextureWidth = 256, TextureHeight = 256, TextureCount = 1;
  int PatternWidth = 0, PatternHeight = 0;
  int VisibleWidth = 0, VisibleHeight = 0;
  int PatternCount = 0;
  int PatternsPerRow = 0, PatternsPerColumn = 0, PatternsPerTexture = 0;

  // Fills defaulted sizes from the texture size and derives the per-row, per-column and per-texture counts;
  // false when the texture is empty, smaller than a cell, or a cell smaller than its visible part.
  bool Layout();

  // The cell of a pattern after Layout (patterns run row by row and on into the next texture, the visible
  // area centred in its cell); nothing for a pattern out of range or beyond the last texture.
  std::optional<TPatternCell> Cell(int pattern) const;

  // Texture coordinates of a pattern (clamped into range), or nothing when there are no patterns.
  std::optional<TPatternCoords> Map(const TPatternRequest& request) const;
};

}  // namespace zelmar
