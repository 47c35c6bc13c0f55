// A picture in floating point for the image-quality measures: the ideal filter's pictures and
// the driver's, read back, on one scale.
#pragma once

#include <vector>

#include "image/rgb_image.h"
#include "report/model/quality.h"

// `image`'s texels as they are, on the same scale.
FloatPicture float_picture(const RgbImage& image);

// `picture` rounded to the nearest texel values, clamped to 0 .. 255.
RgbImage rounded_picture(const FloatPicture& picture);
