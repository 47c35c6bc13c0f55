// The view the test starts in.
#include "report/model/scene.h"

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
