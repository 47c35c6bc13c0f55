// The plane's quads and the view the test starts in.
#include "scene/scene.h"

namespace {

// -75 degrees about x lays the plane back so that it recedes from the viewer.
constexpr float start_tilt = -1.3089969f;
constexpr float start_pan_y = 0.05f;

}  // namespace

SceneView start_view(float zoom) {
  SceneView view;
  view.object.pan = {0.0f, start_pan_y, 0.0f};
  view.object.dolly = {0.0f, 0.0f, -zoom};
  view.object.rotation.multiply(Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, start_tilt));
  return view;
}

std::vector<PlaneCorner> plane_corners() {
  std::vector<PlaneCorner> corners;
  for (int y = -plane_half_extent; y < plane_half_extent; y += plane_quad_size) {
    for (int x = -plane_half_extent; x < plane_half_extent; x += plane_quad_size) {
      // Each quad spans its centre +-1, so the plane covers -17..15 on both axes.
      const float left = static_cast<float>(x - 1), right = static_cast<float>(x + 1);
      const float bottom = static_cast<float>(y - 1), top = static_cast<float>(y + 1);
      corners.push_back({0.0f, 0.0f, left, bottom});
      corners.push_back({0.0f, 1.0f, left, top});
      corners.push_back({1.0f, 1.0f, right, top});
      corners.push_back({1.0f, 0.0f, right, bottom});
    }
  }
  return corners;
}
