// The receding ground plane every panel draws: 16 x 16 quads of 2 x 2 units in z = 0, each
// carrying one repeat of every unit's texture.
#pragma once

#include "image/display_list.h"
#include "scene/scene.h"

// Compiles the plane into `list` (GL_COMPILE): one GL_QUADS batch of the quads of
// plane_corners, in their order. Each vertex gets the same (s, t) on units 0 .. tmu_count-1.
// Needs the GL context current and glMultiTexCoord2fARB loaded.
void compile_plane(DisplayList& list, int tmu_count);
