// The two calls that hand the interactors' translations and rotations to OpenGL.
#include "interact/gl_transform.h"

#include <GL/gl.h>

namespace {

constexpr float degrees_per_radian = 57.29578f;

}  // namespace

void gl_translate(const Vector3& v) { glTranslatef(v.x, v.y, v.z); }

void gl_rotate(const Quaternion& q) {
  const AxisAngle r = q.get_axis_angle();
  glRotatef(r.angle * degrees_per_radian, r.axis.x, r.axis.y, r.axis.z);
}
