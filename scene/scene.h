// The scene the interactive test draws and the report measures: the plane, the colour-mipmap
// texture, the panels' projection and where their text goes, as constants, and the view the
// test starts in.
#pragma once

#include <cstdint>
#include <vector>

#include "interact/pose.h"

// The side of one quad of the plane in scene units; each quad carries one whole repeat of the
// textures (s and t run from 0 to 1 across it).
inline constexpr int plane_quad_size = 2;

// The quads' centres lie on the even coordinates -plane_half_extent .. plane_half_extent - 2, so
// the plane covers -plane_half_extent - 1 .. plane_half_extent - 1 on both axes.
inline constexpr int plane_half_extent = 16;

// One corner of a quad of the plane: its texture coordinates (s, t), the same on every unit, and
// where it lies in z = 0.
struct PlaneCorner {
  float s, t, x, y;
};

// The plane's 256 quads, centred on the even coordinates -plane_half_extent ..
// plane_half_extent - 2 of x and y, in rows of increasing y, each row of increasing x: four
// corners a quad, (s, t) = (0, 0), (0, 1), (1, 1), (1, 0) at its lower left, upper left, upper
// right and lower right.
std::vector<PlaneCorner> plane_corners();

// The level-0 width and height of the colour-mipmap textures, in texels.
inline constexpr int color_mip_size = 256;

// The coarsest level of the colour-mipmap textures: log2 of their size.
constexpr int color_mip_max_level() {
  int level = 0;
  for (int size = color_mip_size; size > 1; size /= 2) ++level;
  return level;
}

// The colour of levels L with L % 4 = 0, 1, 2, 3, at full intensity: white, red, green, blue.
// The texels of a level carry their intensity in the channels that are 0xff here.
struct LevelColour {
  std::uint8_t red, green, blue;
};
inline constexpr LevelColour level_colours[4] = {
    {0xff, 0xff, 0xff}, {0xff, 0, 0}, {0, 0xff, 0}, {0, 0, 0xff}};

// The projection of every panel: gluPerspective with these, whatever the panel's shape.
inline constexpr double panel_fovy = 38.0;  // degrees
inline constexpr double panel_aspect = 1.0;
inline constexpr double panel_z_near = 1.0;
inline constexpr double panel_z_far = 100.0;

// Where a panel's label starts, in pixels from its upper left corner (x right, y down, the
// baseline), and the spacing of the status lines below it.
inline constexpr int panel_text_x = 4;
inline constexpr int panel_label_y = 13;
inline constexpr int panel_line_spacing = 13;

// The viewing distance the test starts at.
inline constexpr float start_zoom = 3.5f;

// The view the test starts in, `zoom` units away: the camera at the origin, and the plane laid
// back by 75 degrees about x so that it recedes from the viewer, raised a little and dollied
// away.
SceneView start_view(float zoom);
