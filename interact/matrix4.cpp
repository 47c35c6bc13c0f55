// Matrix4: a 4 × 4 float matrix in OpenGL's column-major element order.
#include "interact/matrix4.h"

#include <algorithm>
#include <iterator>

void Matrix4::make_identity() { *this = Matrix4{}; }

void Matrix4::fill(float value) { std::fill(std::begin(m), std::end(m), value); }

void Matrix4::set_translation(const Vector3& v) {
  m[12] = v.x;
  m[13] = v.y;
  m[14] = v.z;
}

void Matrix4::multiply(const Matrix4& factor) {
  // Both operands are copied first, as `factor` may be this very matrix.
  const Matrix4 a = *this;
  const Matrix4 b = factor;
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += double(a.m[4 * k + r]) * b.m[4 * c + k];
      m[4 * c + r] = float(sum);
    }
}
