// The test's global settings: the texture units in use, the selected unit, colour delta and
// viewing distance, and the four command-line switches.
#pragma once

#include "scene/scene.h"

struct TestState {
  int tmu_count = 1;        // 1..4: units 0 .. tmu_count-1 carry a texture in every panel
  int current_tmu = 0;      // the unit that shows the colour-mipmap texture
  int threshold_index = 0;  // 0..15: the colour-mipmap texture of colour delta 2 * index
  float zoom = start_zoom;  // viewing distance; the dolly sits at z = -zoom
  bool no_af = false;       // "-noaf": isotropic panels only, narrow window
  bool tc = false;          // "-tc": colour-mipmap textures stored compressed
  bool no_af_trick = false; // "-noaftrick": no anisotropy of 2.0 set before each upload
  bool no_mt = false;       // "-nomt": a single texture unit
};

extern TestState test_state;
