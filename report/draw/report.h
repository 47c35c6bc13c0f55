// One run of measurements on the driver: the panels, the units, the angle sweep, the image
// quality and the cost, gathered into the report's records.
#pragma once

#include <vector>

#include "image/rgb_image.h"
#include "report/model/report.h"

// Measures, each `width` × `height` pixels with the LOD bias `options` ask for, in the view the
// navigators hold: the panels of
// both filters at each AF level on one unit; the AF 8 panels once per unit in use; the same
// panels as the first with the plane turned by each angle of `options`; their image quality
// with `quality_picture` (options.texture, or the generated test texture where that is empty);
// and the cost of each panel's draw, timed options.repeats times. Writes progress lines to
// standard error. Needs the test started.
Report measure_report(const MeasureSettings& options, int width, int height,
                      const RgbImage& quality_picture);
