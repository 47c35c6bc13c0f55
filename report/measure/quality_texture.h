// The picture the image quality is measured with: fine, high-contrast detail in every direction,
// generated, so that every run and every driver sees the same texels.
#pragma once

#include "image/rgb_image.h"

// The side of the generated test texture, as the colour-mipmap texture's.
inline constexpr int quality_texture_size = 256;

// The largest side a user's picture is measured at: larger pictures are scaled down to it, as
// the ideal filter's cost grows with the texels under every footprint.
inline constexpr int max_quality_texture_size = 256;

// A quality_texture_size² grey picture: a zone plate, whose rings rise in frequency from the
// centre to the texel rate at the edges in every direction, crossed by one-texel dark lines along
// both axes and both diagonals every 32 texels. It repeats without a seam.
RgbImage quality_test_texture();
