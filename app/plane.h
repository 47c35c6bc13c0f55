// The receding ground plane every panel draws: 16 x 16 quads of 2 x 2 units in z = 0, each
// carrying one repeat of every unit's texture.
#pragma once

#include "image/display_list.h"

// The side of one quad of the plane in scene units; each quad carries one whole repeat of the
// textures (s and t run from 0 to 1 across it).
inline constexpr int plane_quad_size = 2;

// The quads' centres lie on the even coordinates -plane_half_extent .. plane_half_extent - 2, so
// the plane covers -plane_half_extent - 1 .. plane_half_extent - 1 on both axes.
inline constexpr int plane_half_extent = 16;

// Compiles the plane into `list` (GL_COMPILE): one GL_QUADS batch of 256 quads centred on the
// even coordinates -16..14 of x and y, rows of increasing y, each row of increasing x. Each
// vertex gets the same (s, t) on units 0 .. tmu_count-1. Needs the GL context current and
// glMultiTexCoord2fARB loaded.
void compile_plane(DisplayList& list, int tmu_count);
