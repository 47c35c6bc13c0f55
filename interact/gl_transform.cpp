// The calls that hand the interactors' translations, rotations and poses to OpenGL.
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

void gl_rotate_about(const Vector3& centre, const Quaternion& q) {
  gl_translate(centre);
  gl_rotate(q);
  gl_translate(-centre);
}

void gl_apply_pose(const Pose& pose) {
  gl_translate(pose.pan);
  gl_translate(pose.dolly);
  gl_rotate_about(pose.centre, pose.rotation);
}

void gl_apply_inverse_pose(const Pose& pose) {
  gl_rotate_about(pose.centre, pose.rotation.conjugate());
  gl_translate(-pose.dolly);
  gl_translate(-pose.pan);
}
