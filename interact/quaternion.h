// Quaternion: a rotation that counts the products it has absorbed and renormalises itself
// after more than 64 of them, and null_rotation, the all-zero value of an undefined step.
#pragma once

#include <cstdint>

#include "interact/matrix4.h"
#include "interact/vector3.h"

struct AxisAngle {
  Vector3 axis;
  float angle = 0.0f;  // radians
};

struct Quaternion {
  float x = 0.0f;  // vector part
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;  // scalar part
  std::uint8_t mult_count = 0;  // products since the last renormalisation, modulo 256

  // The rotation by `angle` radians about `axis`, with a count of 0. An axis whose squared
  // length is not above 0.00001 gives null_rotation; an axis whose squared length lies within
  // 0.00001 of 1 is taken as it is, any other is normalised.
  static Quaternion from_axis_angle(const Vector3& axis, float angle);

  // this = this × factor (Hamilton product): as rotations, factor first, then this, from the
  // old values of both, so `factor` may be this quaternion. The count becomes this count +
  // factor's count + 1 (modulo 256); above 64 the quaternion is renormalised at once.
  void multiply(const Quaternion& factor);

  // Scales to unit length and resets the count, unless the quaternion is so long (beyond about
  // 100000) that the scale factor falls below 0.00001: then nothing changes.
  void normalize();

  // The vector part negated: the inverse rotation of a unit quaternion. The count is kept.
  Quaternion conjugate() const;

  // v rotated by this quaternion, which is taken as it is (not normalised first).
  Vector3 rotate_vector(const Vector3& v) const;

  // angle = 2 acos(w), with w clamped to [-1, 1]; the axis is (0, 0, 1) for an angle of exactly
  // 0, otherwise the vector part normalised (left unchanged when its length is 0.00001 or less).
  AxisAngle get_axis_angle() const;

  // The rotation matrix; a quaternion whose squared length is below 0.00001 gives the identity.
  Matrix4 to_matrix() const;
};

// All four components 0 and a count of 0: what a step without a defined rotation yields.
inline constexpr Quaternion null_rotation{0.0f, 0.0f, 0.0f, 0.0f, 0};
