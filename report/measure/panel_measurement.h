// The measurement of one panel configuration: the level each 2 × 2 pixel quad samples, read
// back from the colour-mipmap texture, beside the levels its footprint ought to sample.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "report/measure/level_decoder.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/panel_statistics.h"
#include "report/model/panel_measurement.h"

// Measures `pixels`, the plane of `config` drawn with the colour-mipmap texture of colour delta 0
// over a panel of `geometry`'s size: decodes the levels (decode_levels, walking the way the
// plane recedes), then, for every 2 × 2 quad at even coordinates whose four pixels hold resolved
// levels and whose centre sees the plane, compares their mean with the ideal levels of the
// footprint at the quad's centre, each raised by config.lod_bias and clamped to the texture's
// levels 0 .. max_level. For bilinear quads every ideal level is the whole level the core rule
// picks, and a quad counts as exact at either rounding of a half level.
PanelMeasurement measure_pixels(const PanelConfig& config, const RgbImage& pixels,
                                const PanelGeometry& geometry, int max_level);
