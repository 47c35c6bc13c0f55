// Pictures made smaller by the box filter: the 2 × 2 halving of a mipmap chain, and the scaling
// of any picture to a size whose sides are powers of two.
#pragma once

#include <vector>

#include "image/rgb_image.h"

// `image` halved in each side that is above 1: each texel the rounded mean of the 2 × 2 texels
// (2 × 1 or 1 × 2 where a side is already 1) it covers. Sides must be even where above 1.
RgbImage half_size(const RgbImage& image);

// The mipmap chain of `level0`, whose sides must be powers of two: level0 first, each next level
// half_size of the one before, down to 1 × 1.
std::vector<RgbImage> mip_chain(const RgbImage& level0);

// The largest power of two that is at most `side` and at most `limit` (itself a power of two);
// 1 for sides below 2.
int power_of_two_below(int side, int limit);

// `image` scaled to power_of_two_below(width, limit) × power_of_two_below(height, limit) by the
// box filter: each texel the mean of the source area it covers, texels cut by its edge weighed by
// the share inside. Sizes that already fit are copied unchanged; an exact halving is half_size.
RgbImage scaled_to_power_of_two(const RgbImage& image, int limit);
