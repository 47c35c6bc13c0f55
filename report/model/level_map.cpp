// The per-pixel level map and its 2 × 2 quads.
#include "report/model/level_map.h"

#include <algorithm>

LevelMap::LevelMap(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      kinds_(index(0, height_), PixelClass::background),
      levels_(index(0, height_), 0.0) {}

int LevelMap::count(PixelClass kind) const {
  return static_cast<int>(std::count(kinds_.begin(), kinds_.end(), kind));
}

bool LevelMap::quad_resolved(int x, int y) const {
  return kind(x, y) == PixelClass::level && kind(x + 1, y) == PixelClass::level &&
         kind(x, y + 1) == PixelClass::level && kind(x + 1, y + 1) == PixelClass::level;
}

double LevelMap::quad_level(int x, int y) const {
  return 0.25 * (level(x, y) + level(x + 1, y) + level(x, y + 1) + level(x + 1, y + 1));
}
