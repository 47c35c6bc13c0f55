// The colour-mipmap test textures on GL: square RGB textures whose mipmap levels each carry one
// colour (grey, red, green, blue in turn) and whose texels vary in brightness by a colour delta.
#pragma once

#include "image/color_mip_levels.h"

// Defines every level of the texture bound to GL_TEXTURE_2D on the active unit with the
// colour-mipmap texture of level-0 size pattern.size() and colour delta `delta`: internal format
// GL_COMPRESSED_RGB_S3TC_DXT1_EXT when `compressed`, GL_RGB8 otherwise. Sets no texture
// parameter and binds nothing; the unpack alignment is restored afterwards. Needs the GL context
// current.
void build_color_mip_texture(const ColorMipPattern& pattern, int delta, bool compressed);
