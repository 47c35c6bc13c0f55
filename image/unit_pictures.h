// The pictures the test's texture units show, read from the data folders without any graphics
// API, so that every drawing path shows the same ones.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"

// The number of units that have a picture of their own.
inline constexpr int unit_picture_count = 4;

// The pictures of units 0 .. unit_picture_count - 1 from tmu0.png, tmu1.png, ..., read through
// read_png. A file that cannot be read is replaced by the picture read last, or by one black
// texel while none has been. With `unread`, a file that is not found or does not decode is
// described there, with what its unit shows in its place, instead of on standard error.
std::vector<RgbImage> read_unit_pictures(std::vector<std::string>* unread);
