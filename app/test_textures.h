// The textures the panels show, made as the test makes them under its settings: whoever draws
// the panels, the test or the report, gets the same texels and the same texture state.
#pragma once

#include "app/test_state.h"
#include "image/color_mip_levels.h"
#include "image/rgb_image.h"
#include "image/texture_object.h"

// Defines `texture` as the colour-mipmap texture of `pattern` and colour delta `delta`, stored
// compressed with "-tc" (state.tc). Needs the GL context current.
void make_color_mip_texture(TextureObject2D& texture, const ColorMipPattern& pattern, int delta,
                            const TestState& state);

// Defines `texture` as `picture` with its mipmap levels. Needs the GL context current.
void make_picture_texture(TextureObject2D& texture, const RgbImage& picture,
                          const TestState& state);

// Both leave the texture unbound. Unless "-noaftrick" (state.no_af_trick), each texture gets an
// anisotropy of 2.0 before its image arrives: the switch shows whether the driver treats such
// textures apart.
