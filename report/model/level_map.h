// The levels measured in one panel, pixel by pixel, and what each pixel shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// What a pixel of a panel shows.
enum class PixelClass : std::uint8_t {
  level,        // a level, resolved
  background,   // the cleared background: no plane here
  undecodable,  // a colour that is no level and no blend of two neighbouring levels
  unresolved,   // a level colour whose whole level continuity cannot tell
};

// The measured levels of one panel, one per pixel, row 0 at the bottom.
class LevelMap {
 public:
  LevelMap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  PixelClass kind(int x, int y) const { return kinds_[index(x, y)]; }
  // The whole level of pixel (x, y); meaningful only where kind is PixelClass::level.
  double level(int x, int y) const { return levels_[index(x, y)]; }

  void set(int x, int y, PixelClass kind, double level) {
    kinds_[index(x, y)] = kind;
    levels_[index(x, y)] = level;
  }

  // The number of pixels of each class.
  int count(PixelClass kind) const;

  // Whether the four pixels of the 2 × 2 quad with lower left pixel (x, y) all hold a resolved
  // level, and their mean level; 0 <= x < width - 1, 0 <= y < height - 1.
  bool quad_resolved(int x, int y) const;
  double quad_level(int x, int y) const;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_, height_;
  std::vector<PixelClass> kinds_;
  std::vector<double> levels_;
};

