// The colours a driver shows for a level of the colour-mipmap texture of colour delta 0, made
// on the CPU from the texture's own level colours, to feed the decoder known levels.
#pragma once

#include <cmath>

#include "app/color_mip_texture.h"
#include "image/rgb_image.h"

// The colour of level `level` (>= 0): a whole level's flat colour, or between two levels the
// blend at the level's fraction, rounded to bytes.
inline RgbTexel level_colour_of(double level) {
  const double whole = std::floor(level);
  const double f = level - whole;
  const LevelColour& from = level_colours[static_cast<int>(whole) % 4];
  const LevelColour& to = level_colours[(static_cast<int>(whole) + 1) % 4];
  const auto blend = [f](int a, int b) {
    return static_cast<std::uint8_t>(std::lround((1 - f) * a + f * b));
  };
  return {blend(from.red, to.red), blend(from.green, to.green), blend(from.blue, to.blue)};
}
