// Drawing one panel configuration on the real driver and reading it back for measurement.
#pragma once

#include "image/texture_object.h"
#include "report/panel_measurement.h"

// The coarsest level of the colour-mipmap textures: log2 of their size.
int color_mip_max_level();

// Defines `texture` as one white texel: what the units other than the measured one carry, so
// that modulation leaves the measured unit's colours as they are. Needs the GL context current.
void build_neutral_texture(TextureObject2D& texture);

// Draws the plane of `config` alone, without text, into the width × height pixels at the lower
// left corner of the back buffer, as the test's panel draws it, with the colour-mipmap texture
// of colour delta 0 on config.unit and `neutral` on the other units in use, and reads it back.
// test_state is as it was on return. Needs the test started (start_test) and 1 <= config.units
// <= test_state.tmu_count, 0 <= config.unit < config.units.
RgbImage render_configuration(const PanelConfig& config, int width, int height,
                              TextureObject2D& neutral);

// render_configuration, then measure_pixels with the test's panel geometry.
PanelMeasurement measure_configuration(const PanelConfig& config, int width, int height,
                                       TextureObject2D& neutral);
