// A picture in floating point for the image-quality measures: the ideal filter's pictures and
// the driver's, read back, on one scale.
#pragma once

#include <vector>

#include "image/rgb_image.h"

// width × height RGB pixels on the 0 .. 255 scale of the stored texels, row 0 at the bottom.
struct FloatPicture {
  int width = 0, height = 0;
  std::vector<float> values;  // red, green, blue of pixel (x, y) at 3 * (y * width + x)

  FloatPicture() = default;
  FloatPicture(int w, int h) : width(w), height(h), values(3 * std::size_t(w) * h, 0.0f) {}

  float* pixel(int x, int y) { return &values[3 * (std::size_t(y) * width + x)]; }
  const float* pixel(int x, int y) const { return &values[3 * (std::size_t(y) * width + x)]; }
  // The mean of the three channels of pixel (x, y): the brightness the detail and flicker
  // measures compare.
  float grey(int x, int y) const {
    const float* p = pixel(x, y);
    return (p[0] + p[1] + p[2]) / 3.0f;
  }
};

// `image`'s texels as they are, on the same scale.
FloatPicture float_picture(const RgbImage& image);

// `picture` rounded to the nearest texel values, clamped to 0 .. 255.
RgbImage rounded_picture(const FloatPicture& picture);
