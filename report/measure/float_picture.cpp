// Conversions between the 8-bit pictures the driver reads back and the floating-point pictures
// the image-quality measures compare.
#include "report/measure/float_picture.h"

#include <algorithm>
#include <cmath>

FloatPicture float_picture(const RgbImage& image) {
  FloatPicture picture(image.width(), image.height());
  const RgbTexel* texel = image.texels();
  for (std::size_t i = 0; i < picture.values.size(); i += 3, ++texel) {
    picture.values[i] = texel->red;
    picture.values[i + 1] = texel->green;
    picture.values[i + 2] = texel->blue;
  }
  return picture;
}

RgbImage rounded_picture(const FloatPicture& picture) {
  RgbImage image(picture.width, picture.height);
  const auto byte = [](float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
  };
  RgbTexel* texel = image.texels();
  for (std::size_t i = 0; i < picture.values.size(); i += 3, ++texel)
    *texel = {byte(picture.values[i]), byte(picture.values[i + 1]), byte(picture.values[i + 2])};
  return image;
}
