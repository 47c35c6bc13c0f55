// The box filter that builds the quality texture's mipmap chain on the CPU, so that the
// driver's own mipmap generation plays no part in what is measured.
#include "image/box_filter.h"

#include <algorithm>
#include <cmath>

namespace {

// The weights with which the `from` source texels along one side make each of the `to` target
// texels (to <= from): target i covers the source interval [i · from / to, (i + 1) · from / to).
struct Footprint {
  int first = 0;               // the first source texel touched
  std::vector<double> weight;  // the share of each touched source texel, summing to 1
};

std::vector<Footprint> box_weights(int from, int to) {
  std::vector<Footprint> footprints(static_cast<std::size_t>(to));
  const double scale = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double start = i * scale, end = (i + 1) * scale;
    Footprint& f = footprints[static_cast<std::size_t>(i)];
    f.first = static_cast<int>(std::floor(start));
    for (int s = f.first; s < from && s < end; ++s)
      f.weight.push_back((std::min<double>(s + 1, end) - std::max<double>(s, start)) / scale);
  }
  return footprints;
}

std::uint8_t rounded(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

RgbImage half_size(const RgbImage& image) {
  const int width = std::max(image.width() / 2, 1), height = std::max(image.height() / 2, 1);
  const int dx = image.width() > 1 ? 1 : 0, dy = image.height() > 1 ? 1 : 0;
  const int count = (1 + dx) * (1 + dy);
  RgbImage half(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const RgbTexel* corners[4] = {&image.texel(2 * x, 2 * y), &image.texel(2 * x + dx, 2 * y),
                                    &image.texel(2 * x, 2 * y + dy),
                                    &image.texel(2 * x + dx, 2 * y + dy)};
      // With a side of 1 the same texels come twice; count them once.
      int red = 0, green = 0, blue = 0;
      for (int i = 0; i < 4; ++i) {
        if ((i & 1 && !dx) || (i & 2 && !dy)) continue;
        red += corners[i]->red;
        green += corners[i]->green;
        blue += corners[i]->blue;
      }
      half.texel(x, y) = {static_cast<std::uint8_t>((red + count / 2) / count),
                          static_cast<std::uint8_t>((green + count / 2) / count),
                          static_cast<std::uint8_t>((blue + count / 2) / count)};
    }
  return half;
}

std::vector<RgbImage> mip_chain(const RgbImage& level0) {
  std::vector<RgbImage> levels{level0};
  while (levels.back().width() > 1 || levels.back().height() > 1)
    levels.push_back(half_size(levels.back()));
  return levels;
}

int power_of_two_below(int side, int limit) {
  int power = 1;
  while (power * 2 <= side && power * 2 <= limit) power *= 2;
  return power;
}

RgbImage scaled_to_power_of_two(const RgbImage& image, int limit) {
  const int width = power_of_two_below(image.width(), limit);
  const int height = power_of_two_below(image.height(), limit);
  if (width == image.width() && height == image.height()) return image;
  if (2 * width == image.width() && 2 * height == image.height()) return half_size(image);
  const std::vector<Footprint> columns = box_weights(image.width(), width);
  const std::vector<Footprint> rows = box_weights(image.height(), height);
  // Rows first, into doubles, so that nothing is rounded twice.
  std::vector<double> narrowed(3 * static_cast<std::size_t>(width) * image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < width; ++x) {
      const Footprint& f = columns[static_cast<std::size_t>(x)];
      double* out = &narrowed[3 * (static_cast<std::size_t>(y) * width + x)];
      for (std::size_t k = 0; k < f.weight.size(); ++k) {
        const RgbTexel& t = image.texel(f.first + static_cast<int>(k), y);
        out[0] += f.weight[k] * t.red;
        out[1] += f.weight[k] * t.green;
        out[2] += f.weight[k] * t.blue;
      }
    }
  RgbImage scaled(width, height);
  for (int y = 0; y < height; ++y) {
    const Footprint& f = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x) {
      double sum[3] = {};
      for (std::size_t k = 0; k < f.weight.size(); ++k) {
        const double* in =
            &narrowed[3 * ((f.first + static_cast<std::size_t>(k)) * width + x)];
        for (int c = 0; c < 3; ++c) sum[c] += f.weight[k] * in[c];
      }
      scaled.texel(x, y) = {rounded(sum[0]), rounded(sum[1]), rounded(sum[2])};
    }
  }
  return scaled;
}
