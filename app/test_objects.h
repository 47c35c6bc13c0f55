// The test's GL objects: the twenty textures the units show and the display list of the plane,
// process-wide and named lazily once start-up has a GL context.
#pragma once

#include <array>

#include "image/display_list.h"
#include "image/texture_object.h"
#include "image/unit_pictures.h"

// Slots 0-3 hold the pictures of units 0-3; slot first_color_mip_slot + k the colour-mipmap
// texture of colour delta 2k, k = 0..15.
inline constexpr int png_texture_count = unit_picture_count;
inline constexpr int color_mip_texture_count = 16;
inline constexpr int first_color_mip_slot = png_texture_count;

extern std::array<TextureObject2D, png_texture_count + color_mip_texture_count> test_textures;

// The textured plane every panel draws.
extern DisplayList plane_list;

// Gives the GL names back while the context still exists: plane_list first, then the textures
// from the last slot to the first. Each name is deleted at most once, however often this runs.
// Needs the GL context current.
void release_test_objects();
