// Matrix4: a 4 × 4 float matrix in OpenGL's column-major element order, as the interactors
// hand their transforms out.
#pragma once

#include "interact/vector3.h"

struct Matrix4 {
  // Row r, column c is m[4 * c + r]; an affine matrix keeps its translation in m[12..14].
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  void make_identity();

  // Sets every element to `value`.
  void fill(float value);

  // Writes v into m[12], m[13], m[14]; no other element changes.
  void set_translation(const Vector3& v);

  // this = this × factor, the ordinary matrix product with this matrix on the left, from the old
  // values of both, so `factor` may be this matrix.
  void multiply(const Matrix4& factor);
};
