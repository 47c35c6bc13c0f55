// Shared checks: vectors, quaternions and matrices compared by component; the model-view matrix.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "interact/quaternion.h"

inline void expect_vector(const Vector3& actual, const Vector3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6);
  EXPECT_NEAR(actual.y, expected.y, 1e-6);
  EXPECT_NEAR(actual.z, expected.z, 1e-6);
}

inline void expect_quaternion(const Quaternion& q, float x, float y, float z, float w) {
  EXPECT_NEAR(q.x, x, 1e-6);
  EXPECT_NEAR(q.y, y, 1e-6);
  EXPECT_NEAR(q.z, z, 1e-6);
  EXPECT_NEAR(q.w, w, 1e-6);
}

inline void expect_matrix(const Matrix4& actual, const Matrix4& expected, double tolerance = 1e-6) {
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

inline Matrix4 modelview_matrix() {
  Matrix4 m;
  glGetFloatv(GL_MODELVIEW_MATRIX, m.m);
  return m;
}

// The point `p` transformed by the affine matrix `m`.
inline Vector3 transformed(const Matrix4& m, const Vector3& p) {
  const float* const e = m.m;
  return {e[0] * p.x + e[4] * p.y + e[8] * p.z + e[12],
          e[1] * p.x + e[5] * p.y + e[9] * p.z + e[13],
          e[2] * p.x + e[6] * p.y + e[10] * p.z + e[14]};
}
