// The plane turned about the viewing axis, as the object's trackball would turn it.
#include "report/measure/plane_turn.h"

#include "interact/angles.h"

SceneView turned_view(const SceneView& view, double degrees) {
  SceneView turned = view;
  turned.object.rotation =
      Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, static_cast<float>(radians(degrees)));
  turned.object.rotation.multiply(view.object.rotation);
  return turned;
}
