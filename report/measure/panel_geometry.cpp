// The geometry of one panel, computed from the same constants and view the panel draws with.
#include "report/measure/panel_geometry.h"

#include <cmath>

#include "interact/angles.h"
#include "scene/scene.h"

Matrix4 perspective_matrix(double fovy_degrees, double aspect, double z_near, double z_far) {
  const double f = 1.0 / std::tan(fovy_degrees * pi / 360.0);
  Matrix4 m;
  m.fill(0.0f);
  m.m[0] = static_cast<float>(f / aspect);
  m.m[5] = static_cast<float>(f);
  m.m[10] = static_cast<float>((z_far + z_near) / (z_near - z_far));
  m.m[11] = -1.0f;
  m.m[14] = static_cast<float>(2.0 * z_far * z_near / (z_near - z_far));
  return m;
}

PanelGeometry panel_geometry(const SceneView& view, int width, int height) {
  PanelGeometry geometry;
  geometry.projection = perspective_matrix(panel_fovy, panel_aspect, panel_z_near, panel_z_far);
  geometry.modelview = pose_inverse_transform(view.camera);
  geometry.modelview.multiply(pose_transform(view.object));
  geometry.width = width;
  geometry.height = height;
  geometry.texels_per_unit = static_cast<double>(color_mip_size) / plane_quad_size;
  return geometry;
}
