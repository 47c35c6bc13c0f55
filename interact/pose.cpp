// A pose's matrices, composed factor by factor as the navigators compose them.
#include "interact/pose.h"

namespace {

Matrix4 translation(const Vector3& v) {
  Matrix4 t;
  t.set_translation(v);
  return t;
}

}  // namespace

Matrix4 rotation_about(const Vector3& centre, const Quaternion& rotation) {
  Matrix4 m = translation(centre);
  m.multiply(rotation.to_matrix());
  m.multiply(translation(-centre));
  return m;
}

Matrix4 pose_transform(const Pose& pose) {
  Matrix4 m = translation(pose.pan);
  m.multiply(translation(pose.dolly));
  m.multiply(rotation_about(pose.centre, pose.rotation));
  return m;
}

Matrix4 pose_inverse_transform(const Pose& pose) {
  Matrix4 m = rotation_about(pose.centre, pose.rotation.conjugate());
  m.multiply(translation(-pose.dolly));
  m.multiply(translation(-pose.pan));
  return m;
}
