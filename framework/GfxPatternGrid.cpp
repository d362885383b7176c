#include "framework/GfxPatternGrid.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace zelmar {

// Runs when an image prepares its textures.
bool TPatternGrid::Layout() {
  if (PatternWidth <= 0) PatternWidth = TextureWidth;
  if (PatternHeight <= 0) PatternHeight = TextureHeight;
  if (VisibleWidth <= 0) VisibleWidth = TextureWidth;
  if (VisibleHeight <= 0) VisibleHeight = TextureHeight;
  if (TextureWidth <= 0 || TextureHeight <= 0) return false;
  if (TextureWidth < PatternWidth || TextureHeight < PatternHeight) return false;
  if (PatternWidth < VisibleWidth || PatternHeight < VisibleHeight) return false;
  PatternsPerRow = TextureWidth / PatternWidth;
  PatternsPerColumn = TextureHeight / PatternHeight;
  // A grid too large to number its patterns in an int is not a texture any device makes.
  const long long perTexture = static_cast<long long>(PatternsPerRow) * PatternsPerColumn;
  if (perTexture * std::max(TextureCount, 1) > std::numeric_limits<int>::max()) return false;
  PatternsPerTexture = static_cast<int>(perTexture);
  if (PatternCount <= 0) PatternCount = PatternsPerTexture * std::max(TextureCount, 0);
  return true;
}

// The one place that says where a pattern's pixels are: the game maps through it, the content tools write
// through it.
std::optional<TPatternCell> TPatternGrid::Cell(int pattern) const {
  if (pattern < 0 || pattern >= PatternCount || PatternsPerTexture <= 0 || PatternsPerRow <= 0)
    return std::nullopt;
  TPatternCell out;
  out.TextureIndex = pattern / PatternsPerTexture;
  if (out.TextureIndex >= TextureCount) return std::nullopt;
  const int p = pattern % PatternsPerTexture;
  const int column = p % PatternsPerRow;
  const int row = p / PatternsPerRow;
  out.Left = column * PatternWidth + (PatternWidth - VisibleWidth) / 2;
  out.Top = row * PatternHeight + (PatternHeight - VisibleHeight) / 2;
  return out;
}

// The requested part of the pattern's visible area, normalised to the texture size.
std::optional<TPatternCoords> TPatternGrid::Map(const TPatternRequest& request) const {
  // 1. Nothing to map without textures, patterns or a valid grid.
  if (TextureCount <= 0 || PatternCount <= 0 || PatternsPerTexture <= 0) return std::nullopt;
  // 2. Clamp the pattern and find its cell.
  const auto cell = Cell(std::clamp(request.Pattern, 0, PatternCount - 1));
  if (!cell) return std::nullopt;
  TPatternCoords out;
  out.TextureIndex = cell->TextureIndex;
  // 3. The requested part of the visible area.
  const int left = cell->Left + request.SourceX;
  const int top = cell->Top + request.SourceY;
  const int width = request.SourceWidth < 1 ? VisibleWidth : request.SourceWidth;
  const int height = request.SourceHeight < 1 ? VisibleHeight : request.SourceHeight;
  // 4. Normalise to the texture size.
  float uLeft = static_cast<float>(left) / static_cast<float>(TextureWidth);
  float vTop = static_cast<float>(top) / static_cast<float>(TextureHeight);
  float uRight = static_cast<float>(left + width) / static_cast<float>(TextureWidth);
  float vBottom = static_cast<float>(top + height) / static_cast<float>(TextureHeight);
  // 5. Mirror and flip swap the edges.
  if (request.Mirror) std::swap(uLeft, uRight);
  if (request.Flip) std::swap(vTop, vBottom);
  // 6. Corners clockwise from the top-left.
  out.U = {uLeft, uRight, uRight, uLeft};
  out.V = {vTop, vTop, vBottom, vBottom};
  return out;
}

}  // namespace zelmar
