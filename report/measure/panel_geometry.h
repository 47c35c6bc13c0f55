// The geometry of one panel as the report computes it: the projection and model-view matrices
// the panel draws with, its size in pixels and how the plane's texels map onto the scene.
#pragma once

#include "interact/matrix4.h"

struct PanelGeometry {
  Matrix4 projection;
  Matrix4 modelview;
  int width = 0;  // the panel's viewport, in pixels, its origin at the panel's lower left
  int height = 0;
  double texels_per_unit = 1.0;  // level-0 texels per scene unit along s and along t
};

// The matrix that gluPerspective(fovy_degrees, aspect, z_near, z_far) multiplies by.
Matrix4 perspective_matrix(double fovy_degrees, double aspect, double z_near, double z_far);

// The geometry of a width × height panel of the test as it stands: the panel projection, the
// inverse of camera_navigator's transform times object_navigator's, and the colour-mipmap
// texture's level 0 stretched over one quad of the plane.
PanelGeometry test_panel_geometry(int width, int height);
