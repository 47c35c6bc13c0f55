// The four pictures the test shows on its texture units: detailed, high-contrast RGB patterns
// on which blur, aliasing and the sampled mipmap level are easy to see.
#pragma once

#include "image/write_png.h"

inline constexpr int tmu_picture_count = 4;
inline constexpr int tmu_picture_size = 512;

// The 8-bit RGB picture of texture unit `unit` (0 .. tmu_picture_count - 1), tmu_picture_size
// pixels square, the same on every call:
//   0: a ruled sheet: fine lines every 8 pixels, bolder ones every 64, each 64-pixel cell
//      labelled with its row and column in tiny digits;
//   1: checkerboards whose squares shrink from 64 pixels to 1 in colour pairs, crossed by
//      diagonal bands with hard edges;
//   2: a star of 72 spokes meeting at the centre, ringed by 1- to 4-pixel concentric rings;
//   3: a printed page: columns of small glyphs in words and lines under bold headings.
// Each carries its unit's name, "TMU0" to "TMU3", in large letters.
PngPicture paint_tmu_picture(int unit);
