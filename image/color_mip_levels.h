// The colour-mipmap test textures' texels, free of any graphics API: the brightness pattern that
// every level samples and the levels generated from it, one colour a level.
#pragma once

#include <functional>
#include <vector>

#include "image/rgb_image.h"
#include "scene/scene.h"

// The brightness pattern that every level of every colour-mipmap texture samples:
// sin(cos(y) + x) in double precision at the level-0 positions x, y = 0 .. size-1 (radians).
// The pattern does not depend on the colour delta, so one instance serves all the textures of
// one size, and each distinct sine and cosine is computed once. Sizes below zero count as zero.
class ColorMipPattern {
 public:
  explicit ColorMipPattern(int size);

  int size() const { return size_; }

  // size * size values, row y = 0 first; value (x, y) is element y * size + x.
  const double* values() const { return values_.data(); }

 private:
  int size_;
  std::vector<double> values_;
};

// A texel's intensity, truncated toward zero: (255 - delta) + delta * pattern_value, which lies
// in 255 - 2 * delta .. 255 for 0 <= delta <= 127.
inline int color_mip_intensity(int delta, double pattern_value) {
  return static_cast<int>((255 - delta) + delta * pattern_value);
}

// Receives one level of a colour-mipmap texture: its number, its width and height n, and its
// n x n RGB texels of 3 bytes, rows tightly packed, row 0 (t = 0) first. The texels are valid
// only during the call.
using ColorMipLevelSink = std::function<void(int level, int n, const unsigned char* texels)>;

// Generates every level of the colour-mipmap texture of level-0 size pattern.size() and colour
// delta `delta` (0..127), level 0 first, and hands each to `use_level`: level L has the size
// n = size >> L, down to 1 (no level for size 0), and texel (x, y) has the intensity of the
// pattern at (x << L, y << L) in the level's colour: grey (v, v, v) for L % 4 == 0, then red
// (v, 0, 0), green (0, v, 0), blue (0, 0, v). The scratch buffers are freed before it returns.
void generate_color_mip_levels(const ColorMipPattern& pattern, int delta,
                               const ColorMipLevelSink& use_level);

// Every level of the colour-mipmap texture of level-0 size color_mip_size and colour delta
// `delta` as pictures, level 0 first, for the drawing paths that upload or sample them
// themselves.
std::vector<RgbImage> color_mip_images(int delta);
