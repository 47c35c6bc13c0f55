// Quaternion: a rotation that counts the products it has absorbed and renormalises itself
// after more than 64 of them.
#include "interact/quaternion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double small_value = 0.00001;
constexpr int renormalise_after = 64;

double length_squared(const Quaternion& q) {
  return double(q.x) * q.x + double(q.y) * q.y + double(q.z) * q.z + double(q.w) * q.w;
}

}  // namespace

Quaternion Quaternion::from_axis_angle(const Vector3& axis, float angle) {
  const float s2 = axis.length_squared();
  if (!(s2 > small_value)) return null_rotation;
  const float half = angle * 0.5f;
  double s = std::sin(double(half));
  if (s2 >= 1.0 + small_value || s2 <= 1.0 - small_value) s /= std::sqrt(double(s2));
  return {float(s * axis.x), float(s * axis.y), float(s * axis.z),
          float(std::cos(double(half))), 0};
}

void Quaternion::multiply(const Quaternion& factor) {
  // Both operands are copied first, as `factor` may be this very quaternion.
  const Quaternion p = *this;
  const Quaternion q = factor;
  w = float(double(p.w) * q.w - double(p.x) * q.x - double(p.y) * q.y - double(p.z) * q.z);
  x = float(double(p.w) * q.x + double(p.x) * q.w + double(p.y) * q.z - double(p.z) * q.y);
  y = float(double(p.w) * q.y + double(p.y) * q.w + double(p.z) * q.x - double(p.x) * q.z);
  z = float(double(p.w) * q.z + double(p.z) * q.w + double(p.x) * q.y - double(p.y) * q.x);
  mult_count = std::uint8_t(p.mult_count + q.mult_count + 1);
  if (mult_count > renormalise_after) normalize();
}

void Quaternion::normalize() {
  const double s = 1.0 / std::sqrt(length_squared(*this));
  if (-small_value < s && s < small_value) return;
  x = float(x * s);
  y = float(y * s);
  z = float(z * s);
  w = float(w * s);
  mult_count = 0;
}

Quaternion Quaternion::conjugate() const { return {-x, -y, -z, w, mult_count}; }

Vector3 Quaternion::rotate_vector(const Vector3& v) const {
  const Vector3 u{x, y, z};
  const double uv = double(u.x) * v.x + double(u.y) * v.y + double(u.z) * v.z;
  const double scale_v = double(w) * w - (double(x) * x + double(y) * y + double(z) * z);
  const Vector3 uxv = cross(u, v);
  return {float(scale_v * v.x + 2.0 * uv * u.x + 2.0 * w * uxv.x),
          float(scale_v * v.y + 2.0 * uv * u.y + 2.0 * w * uxv.y),
          float(scale_v * v.z + 2.0 * uv * u.z + 2.0 * w * uxv.z)};
}

AxisAngle Quaternion::get_axis_angle() const {
  // Between renormalisations w can drift just past ±1, where acos is undefined.
  const float angle = float(2.0 * std::acos(std::clamp(double(w), -1.0, 1.0)));
  if (angle == 0.0f) return {{0.0f, 0.0f, 1.0f}, angle};
  Vector3 axis{x, y, z};
  axis.normalize();
  return {axis, angle};
}

Matrix4 Quaternion::to_matrix() const {
  const double n = length_squared(*this);
  const float s = (-small_value < n && n < small_value) ? 0.0f : float(2.0 / n);
  const float xs = x * s, ys = y * s, zs = z * s;
  const float wx = w * xs, wy = w * ys, wz = w * zs;
  const float xx = x * xs, xy = x * ys, xz = x * zs;
  const float yy = y * ys, yz = y * zs, zz = z * zs;
  Matrix4 r;
  r.m[0] = 1.0f - (yy + zz);
  r.m[1] = xy + wz;
  r.m[2] = xz - wy;
  r.m[4] = xy - wz;
  r.m[5] = 1.0f - (xx + zz);
  r.m[6] = yz + wx;
  r.m[8] = xz + wy;
  r.m[9] = yz - wx;
  r.m[10] = 1.0f - (xx + yy);
  return r;
}
