// Vector3: the three-component float vector of the mouse interactors, with the length, cross
// and dot products they use.
#include "interact/vector3.h"

#include <cmath>

namespace {

constexpr double length_threshold = 0.00001;

double dot_double(const Vector3& a, const Vector3& b) {
  return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

}  // namespace

float Vector3::length() const { return float(std::sqrt(dot_double(*this, *this))); }

float Vector3::length_squared() const { return float(dot_double(*this, *this)); }

void Vector3::negate() { *this = -*this; }

float Vector3::normalize() {
  const float l = length();
  if (l > length_threshold) {
    x /= l;
    y /= l;
    z /= l;
  }
  return l;
}

Vector3& Vector3::operator+=(const Vector3& v) {
  x += v.x;
  y += v.y;
  z += v.z;
  return *this;
}

Vector3& Vector3::operator-=(const Vector3& v) {
  x -= v.x;
  y -= v.y;
  z -= v.z;
  return *this;
}

Vector3 cross(const Vector3& a, const Vector3& b) {
  return {float(double(a.y) * b.z - double(a.z) * b.y),
          float(double(a.z) * b.x - double(a.x) * b.z),
          float(double(a.x) * b.y - double(a.y) * b.x)};
}

float dot(const Vector3& a, const Vector3& b) { return float(dot_double(a, b)); }

Vector3 operator+(Vector3 a, const Vector3& b) { return a += b; }

Vector3 operator-(Vector3 a, const Vector3& b) { return a -= b; }

Vector3 operator-(const Vector3& v) { return {-v.x, -v.y, -v.z}; }

Vector3 operator*(float s, const Vector3& v) { return {s * v.x, s * v.y, s * v.z}; }
