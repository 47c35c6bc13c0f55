// The colours a driver shows for a level of the colour-mipmap texture of colour delta 0, made
// on the CPU, so that the level decoder and the measurement can be fed known levels.
#pragma once

#include <cmath>

#include "image/rgb_image.h"

// The colour of level `level` (>= 0): a whole level's flat colour (white, red, green, blue in
// turn), or between two levels the blend at the level's fraction, rounded to bytes.
inline RgbTexel level_colour_of(double level) {
  static constexpr double colours[5][3] = {
      {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  const double whole = std::floor(level);
  const double f = level - whole;
  const int k = static_cast<int>(whole) % 4;
  const auto channel = [&](int c) {
    return static_cast<std::uint8_t>(std::lround((1 - f) * colours[k][c] + f * colours[k + 1][c]));
  };
  return {channel(0), channel(1), channel(2)};
}
