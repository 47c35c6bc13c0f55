// False-colour pictures of measured panels and their colour bars.
#include "report/pictures/heat_map.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Stop {
  double at;  // 0 .. 1 along the scale
  double red, green, blue;
};

// A perceptually even scale from dark violet to yellow, so that equal level steps look equal.
constexpr Stop level_scale[] = {{0.00, 68, 1, 84},
                                {0.25, 59, 82, 139},
                                {0.50, 33, 145, 140},
                                {0.75, 94, 201, 98},
                                {1.00, 253, 231, 37}};

// Blue for sharper, white for right, red for blurrier.
constexpr Stop error_scale[] = {{0.00, 5, 48, 97},
                                {0.25, 67, 147, 195},
                                {0.50, 247, 247, 247},
                                {0.75, 214, 96, 77},
                                {1.00, 103, 0, 31}};

template <std::size_t n>
RgbTexel interpolate(const Stop (&scale)[n], double at) {
  at = std::clamp(at, 0.0, 1.0);
  std::size_t upper = 1;
  while (upper + 1 < n && scale[upper].at < at) ++upper;
  const Stop& a = scale[upper - 1];
  const Stop& b = scale[upper];
  const double f = (at - a.at) / (b.at - a.at);
  const auto channel = [f](double from, double to) {
    return static_cast<std::uint8_t>(std::lround(from + f * (to - from)));
  };
  return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

RgbImage colour_bar(int width, int height, const std::function<RgbTexel(double)>& colour_at) {
  RgbImage bar(width, height);
  for (int x = 0; x < bar.width(); ++x) {
    const RgbTexel texel = colour_at(width > 1 ? x / double(width - 1) : 0.0);
    for (int y = 0; y < bar.height(); ++y) bar.texel(x, y) = texel;
  }
  return bar;
}

}  // namespace

RgbTexel level_colour(double level, int max_level) {
  return interpolate(level_scale, max_level > 0 ? level / max_level : 0.0);
}

RgbTexel error_colour(double error) {
  return interpolate(error_scale, 0.5 + 0.5 * error / error_range);
}

RgbImage measured_level_picture(const PanelMeasurement& panel, int max_level) {
  const LevelMap& levels = panel.levels;
  RgbImage picture(levels.width(), levels.height());
  for (int y = 0; y < levels.height(); ++y)
    for (int x = 0; x < levels.width(); ++x) {
      const PixelClass kind = levels.kind(x, y);
      picture.texel(x, y) = kind == PixelClass::level ? level_colour(levels.level(x, y), max_level)
                            : kind == PixelClass::background ? background_colour
                                                             : unmeasured_colour;
    }
  return picture;
}

RgbImage level_error_picture(const PanelMeasurement& panel) {
  const LevelMap& levels = panel.levels;
  RgbImage picture(levels.width(), levels.height());
  for (int y = 0; y < levels.height(); ++y)
    for (int x = 0; x < levels.width(); ++x)
      picture.texel(x, y) =
          levels.kind(x, y) == PixelClass::background ? background_colour : unmeasured_colour;
  for (const QuadLevels& quad : panel.quads)
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx)
        picture.texel(quad.x + dx, quad.y + dy) = error_colour(quad.error);
  return picture;
}

RgbImage picture_difference(const RgbImage& picture, const IdealPicture& ideal) {
  RgbImage difference(picture.width(), picture.height());
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      if (!ideal.valid[std::size_t(y) * picture.width() + x]) {
        difference.texel(x, y) = unmeasured_colour;
        continue;
      }
      const RgbTexel& t = picture.texel(x, y);
      const double grey = (t.red + t.green + t.blue) / 3.0;
      difference.texel(x, y) =
          error_colour((grey - ideal.picture.grey(x, y)) * error_range / difference_range);
    }
  return difference;
}

RgbImage level_colour_bar(int width, int height, int max_level) {
  return colour_bar(width, height,
                    [max_level](double at) { return level_colour(at * max_level, max_level); });
}

RgbImage error_colour_bar(int width, int height) {
  return colour_bar(width, height,
                    [](double at) { return error_colour((2.0 * at - 1.0) * error_range); });
}
