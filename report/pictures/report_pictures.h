// The report's pictures: the false-colour maps of the measured levels and of their errors, and
// the image quality, in the panel layout, labelled, with legends, composed in memory.
#pragma once

#include "image/rgb_image.h"
#include "report/model/report.h"

// The measured level of every pixel of the measured panels, laid out as the test lays out its
// panels with a column per AF level, each labelled, above a legend of the level colours.
RgbImage measured_levels_picture(const Report& report);

// The error against the reference of every quad of the measured panels, laid out likewise,
// above a legend of the error colours.
RgbImage level_errors_picture(const Report& report);

// The image quality: the ideal picture in the first column, then a column per AF level; from the
// top the bilinear panels' pictures, their differences from the ideal picture, the trilinear
// panels' pictures and their differences, each labelled with its figures, above a legend of the
// difference colours; the first column shows the ideal picture beside each row of pictures and
// its counted pixels beside each row of differences.
RgbImage quality_comparison_picture(const Report& report);
