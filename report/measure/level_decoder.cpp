// The colour-to-level decoder and the continuity walk along each line of a panel.
#include "report/measure/level_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "scene/scene.h"

namespace {

struct Colour {
  double red, green, blue;
};

// The colour of level L mod 4 of the texture of colour delta 0.
Colour level_colour(int level) {
  const LevelColour& c = level_colours[level % 4];
  return {double(c.red), double(c.green), double(c.blue)};
}

struct Fit {
  double fraction;
  double deviation;  // the largest channel difference from the blend at that fraction
};

// The nearest point of the blend from level colour `from` to `to` (least squares, clamped to
// the blend's ends) and how far the colour is from it.
Fit fit_blend(const Colour& c, const Colour& from, const Colour& to) {
  const Colour d = {to.red - from.red, to.green - from.green, to.blue - from.blue};
  const double along =
      (c.red - from.red) * d.red + (c.green - from.green) * d.green + (c.blue - from.blue) * d.blue;
  const double length2 = d.red * d.red + d.green * d.green + d.blue * d.blue;
  const double f = std::clamp(along / length2, 0.0, 1.0);
  const double deviation = std::max({std::fabs(c.red - (from.red + f * d.red)),
                                     std::fabs(c.green - (from.green + f * d.green)),
                                     std::fabs(c.blue - (from.blue + f * d.blue))});
  return {f, deviation};
}

// The level that the first plane pixel of the first line is read nearest to: levels -0.5 to 3.5,
// so that a white at the near side that reads a hair below 4 counts as level 0.
constexpr double first_level_hint = 1.5;

}  // namespace

DecodedColour decode_level_colour(const RgbTexel& texel) {
  if (std::max({texel.red, texel.green, texel.blue}) <= background_tolerance)
    return {PixelClass::background, 0.0};
  const Colour c = {double(texel.red), double(texel.green), double(texel.blue)};
  int best = 0;
  Fit best_fit = fit_blend(c, level_colour(0), level_colour(1));
  for (int k = 1; k < 4; ++k) {
    const Fit fit = fit_blend(c, level_colour(k), level_colour(k + 1));
    if (fit.deviation < best_fit.deviation) {
      best = k;
      best_fit = fit;
    }
  }
  if (best_fit.deviation > colour_tolerance) return {PixelClass::undecodable, 0.0};
  return {PixelClass::level, std::fmod(best + best_fit.fraction, 4.0)};
}

Walk walk_along(double dx, double dy) {
  if (std::fabs(dx) > std::fabs(dy))
    return {dx > 0.0 ? Step::right : Step::left, dy < 0.0 ? Step::down : Step::up};
  return {dy < 0.0 ? Step::down : Step::up, dx < 0.0 ? Step::left : Step::right};
}

LevelMap decode_levels(const RgbImage& panel, Walk walk) {
  LevelMap map(panel.width(), panel.height());
  const bool columns = walk.along == Step::up || walk.along == Step::down;
  const int lines = columns ? panel.width() : panel.height();
  const int length = columns ? panel.height() : panel.width();
  const bool backwards = walk.along == Step::down || walk.along == Step::left;
  const bool lines_backwards = walk.across == Step::down || walk.across == Step::left;
  double line_start = first_level_hint;
  for (int n = 0; n < lines; ++n) {
    const int line = lines_backwards ? lines - 1 - n : n;
    enum { before_plane, on_plane, beyond_plane } state = before_plane;
    double last = 0.0;
    for (int step = 0; step < length; ++step) {
      const int along = backwards ? length - 1 - step : step;
      const int x = columns ? line : along, y = columns ? along : line;
      const DecodedColour colour = decode_level_colour(panel.texel(x, y));
      if (colour.kind != PixelClass::level) {
        map.set(x, y, colour.kind, 0.0);
        if (colour.kind == PixelClass::background && state == on_plane) state = beyond_plane;
        continue;
      }
      if (state == beyond_plane) {
        map.set(x, y, PixelClass::unresolved, 0.0);
        continue;
      }
      // The whole level of the same colour nearest to the last one (candidates lie 4 apart).
      const double near = state == before_plane ? line_start : last;
      const double level = colour.level_mod4 + 4.0 * std::round((near - colour.level_mod4) / 4.0);
      map.set(x, y, PixelClass::level, level);
      if (state == before_plane) line_start = level;
      last = level;
      state = on_plane;
    }
  }
  return map;
}
