// Reading the sampled mipmap level back from the colours of a panel drawn with the
// colour-mipmap texture of colour delta 0, whose levels are flat white, red, green, blue, white,
// and so on: each pixel's colour gives its level modulo 4, and continuity from the near side of
// the plane into the distance gives the whole level.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_image.h"
#include "report/model/level_map.h"

// The colour of one pixel read as a level modulo 4.
struct DecodedColour {
  PixelClass kind = PixelClass::undecodable;  // level, background or undecodable
  double level_mod4 = 0.0;                    // 0 <= level_mod4 < 4 when kind is level
};

// Most a channel may stray from the nearest blend of two neighbouring level colours and still be
// read as that blend, out of 255.
inline constexpr int colour_tolerance = 12;

// Most a channel of the background may differ from black.
inline constexpr int background_tolerance = 8;

// Reads one colour. The level colours are L mod 4 = 0 white, 1 red, 2 green, 3 blue; a blend of
// level L and L + 1 at fraction f (0 <= f <= 1) is (1 - f) colour(L) + f colour(L + 1), and each
// pair of neighbours blends along its own line: white to red keeps red at 255 with green = blue,
// red to green keeps blue at 0, green to blue keeps red at 0, blue to white keeps blue at 255
// with red = green. The colour is read as the nearest point of the nearest line, level L + f;
// background and undecodable colours give no level.
DecodedColour decode_level_colour(const RgbTexel& texel);

// A direction along the pixel axes of a panel.
enum class Step : std::uint8_t { up, down, right, left };

// How decode_levels walks a panel: each line of pixels along `along` (columns for up and down,
// rows for right and left), the lines one after the other in the direction `across`.
struct Walk {
  Step along = Step::up;
  Step across = Step::right;
};

// The walk of a plane that recedes in the window direction (dx, dy)
// (PlaneFootprint::receding_direction): along the pixel axis nearest to that direction, so that
// every line runs from the near side of the plane into the distance, and across it towards its
// other component, so that the lines start nearest first. Up and right for (0, 0). A plane
// turned about the viewing axis by more than 45 degrees recedes nearer a row than a column.
Walk walk_along(double dx, double dy);

// Decodes every pixel of `panel` and resolves whole levels by continuity, line by line as `walk`
// says. The first plane pixel of the first line is read as a level from -0.5 to 3.5 (the near
// side shows the finest levels), the first plane pixel of every later line as the whole level
// nearest to the first level of the line before (the near side changes little from one line to
// the next), and every later pixel of a line as the whole level nearest to the last resolved
// level before it, which holds while the level changes by less than 2 from one pixel to the
// next. A line's walk ends at the first background pixel beyond the plane; level colours after
// it are unresolved. Undecodable pixels are skipped.
LevelMap decode_levels(const RgbImage& panel, Walk walk = {});
