// TrackballInteractor: the drag interactor that turns the scene about a centre by a virtual
// trackball.
#include "interact/trackball_interactor.h"

#include <algorithm>
#include <cmath>

#include "interact/gl_transform.h"
#include "interact/pose.h"

namespace {

// Lifts a window point, relative to the middle and in units of the radius, off the screen onto
// a bump of height 1 at the middle that falls to 0.707 at distance 1, and normalises it.
Vector3 lift(Vector3 p, float radius) {
  // A window without area has radius 0: the point stays in pixels, where the bump is flat.
  if (radius != 0.0f) {
    p.x /= radius;
    p.y /= radius;
  }
  p.z = float(std::pow(2.0, -0.5 * double(p.length())));
  p.normalize();
  return p;
}

}  // namespace

void TrackballInteractor::update() {
  if (delta_x == 0 && delta_y == 0) {
    increment = null_rotation;
    return;
  }
  const float radius = 0.5f * float(std::min(window_width, window_height));
  const Vector3 middle{0.5f * float(window_width), 0.5f * float(window_height), 0.0f};
  const Vector3 previous{float(last_x - delta_x), float(window_height - (last_y + delta_y)), 0.0f};
  const Vector3 current{float(last_x), float(window_height - last_y), 0.0f};
  const Vector3 p0 = lift(previous - middle, radius);
  const Vector3 p1 = lift(current - middle, radius);

  Vector3 axis = cross(p0, p1);
  axis.normalize();
  // For two nearly equal unit vectors the dot product can come out just above 1, where acos is
  // undefined.
  float angle = float(std::acos(std::clamp(double(dot(p1, p0)), -1.0, 1.0)));
  if (follow_rotation != nullptr) axis = follow_rotation->rotate_vector(axis);
  if (invert) angle = -angle;

  increment = Quaternion::from_axis_angle(axis, angle);
  if (increment.w != 0.0f) {
    Quaternion turned = increment;
    turned.multiply(rotation);
    rotation = turned;
  }
  request_redisplay();
}

void TrackballInteractor::apply_transform() const { gl_rotate_about(centre, rotation); }

void TrackballInteractor::apply_inverse_transform() const {
  gl_rotate_about(centre, rotation.conjugate());
}

Matrix4 TrackballInteractor::get_transform() const { return rotation_about(centre, rotation); }

Matrix4 TrackballInteractor::get_inverse_transform() const {
  return rotation_about(centre, rotation.conjugate());
}
