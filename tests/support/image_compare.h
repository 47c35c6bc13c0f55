// Comparing RgbImages in tests, with a message naming the first texel that differs.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "image/rgb_image.h"

inline std::ostream& operator<<(std::ostream& out, const RgbTexel& texel) {
  return out << '(' << int{texel.red} << ", " << int{texel.green} << ", " << int{texel.blue}
             << ')';
}

// Success when both images have the same size and the same texels.
inline testing::AssertionResult same_image(const RgbImage& actual, const RgbImage& expected) {
  if (actual.width() != expected.width() || actual.height() != expected.height())
    return testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height()
                                       << ", expected " << expected.width() << "x"
                                       << expected.height();
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.texel(x, y) != expected.texel(x, y))
        return testing::AssertionFailure() << "texel (" << x << ", " << y << ") is "
                                           << actual.texel(x, y) << ", expected "
                                           << expected.texel(x, y);
  return testing::AssertionSuccess();
}

// An image whose texels all differ from their neighbours, for telling "unchanged" apart.
inline RgbImage patterned_image(int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.texel(x, y) = {static_cast<std::uint8_t>(x * 40 + 1),
                           static_cast<std::uint8_t>(y * 40 + 2), 77};
  return image;
}

// An image of `texels` listed top row first (row 0 of an RgbImage is its bottom row).
inline RgbImage image_from_top(int width, int height, const std::vector<RgbTexel>& texels) {
  RgbImage image(width, height);
  for (int i = 0; i < width * height; ++i)
    image.texel(i % width, height - 1 - i / width) = texels[static_cast<std::size_t>(i)];
  return image;
}
