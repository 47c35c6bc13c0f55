// False-colour pictures of measured panels: their levels, their level errors and their pictures'
// differences from the ideal one, with the colour bars of their legends.
#pragma once

#include "image/rgb_image.h"
#include "report/measure/ewa_filter.h"
#include "report/measure/panel_measurement.h"

// Where a panel shows no plane, and plane pixels that were not measured (undecodable,
// unresolved, or in a quad with such a pixel).
inline constexpr RgbTexel background_colour = {0, 0, 0};
inline constexpr RgbTexel unmeasured_colour = {110, 110, 110};

// The error at which the error colours saturate, in levels.
inline constexpr double error_range = 4.0;

// The difference of brightness from the ideal picture at which the error colours saturate, on
// the texels' 0 .. 255 scale.
inline constexpr double difference_range = 64.0;

// A level from 0 (dark violet) through blue, green to max_level (yellow), clamped to that range.
RgbTexel level_colour(double level, int max_level);

// An error from -error_range (deep blue: sharper) through white (0) to +error_range (deep red:
// blurrier), clamped to that range.
RgbTexel error_colour(double error);

// The panel's pixels in level colours; background and unresolved pixels in their colours.
RgbImage measured_level_picture(const PanelMeasurement& panel, int max_level);

// The panel's quads in error colours; the rest of the plane unmeasured, the background black.
RgbImage level_error_picture(const PanelMeasurement& panel);

// The brightness of `picture` minus that of `ideal` (of one size) in the error colours, from
// -difference_range (blue: darker) to +difference_range (red: brighter); the pixels where the
// ideal does not hold unmeasured.
RgbImage picture_difference(const RgbImage& picture, const IdealPicture& ideal);

// A colour bar width × height of the levels 0 .. max_level, left to right.
RgbImage level_colour_bar(int width, int height, int max_level);

// A colour bar width × height of the errors -error_range .. +error_range, left to right: also
// of the differences -difference_range .. +difference_range.
RgbImage error_colour_bar(int width, int height);
