// Colour-mipmap texels from their definition: the reference the generator is checked and timed by.
#pragma once

#include <cmath>

#include "image/color_mip_levels.h"

// Writes `level` of the texture of level-0 size `size` and colour delta `delta` into `texels` as
// generate_color_mip_levels does, evaluating sin(cos(y * 2^level) + x * 2^level) for every texel.
inline void fill_color_mip_level_direct(int size, int delta, int level, unsigned char* texels) {
  const int n = size >> level;
  const int step = 1 << level;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const auto v = static_cast<unsigned char>(
          color_mip_intensity(delta, std::sin(std::cos(y * step) + x * step)));
      const int colour = level % 4;
      *texels++ = colour == 0 || colour == 1 ? v : 0;
      *texels++ = colour == 0 || colour == 2 ? v : 0;
      *texels++ = colour == 0 || colour == 3 ? v : 0;
    }
  }
}
