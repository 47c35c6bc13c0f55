// The geometry of one panel as the report computes it: the projection and model-view matrices
// the panel draws with, its size in pixels and how the plane's texels map onto the scene.
#pragma once

#include "interact/matrix4.h"
#include "interact/pose.h"

struct PanelGeometry {
  Matrix4 projection;
  Matrix4 modelview;
  int width = 0;  // the panel's viewport, in pixels, its origin at the panel's lower left
  int height = 0;
  double texels_per_unit = 1.0;  // level-0 texels per scene unit along s and along t
};

// The matrix that gluPerspective(fovy_degrees, aspect, z_near, z_far) multiplies by.
Matrix4 perspective_matrix(double fovy_degrees, double aspect, double z_near, double z_far);

// The geometry of a width × height panel of the test seen in `view`: the panel projection, the
// inverse of the camera's transform times the object's, and the colour-mipmap texture's level 0
// stretched over one quad of the plane.
PanelGeometry panel_geometry(const SceneView& view, int width, int height);
