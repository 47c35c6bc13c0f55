// Vector3: the three-component float vector of the mouse interactors, with the length, cross
// and dot products they use. Sums of products are formed in double precision.
#pragma once

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  float length() const;
  float length_squared() const;

  // Changes the sign of every component.
  void negate();

  // Divides the vector by its length when that is above 0.00001 and leaves it unchanged
  // otherwise. Returns the length before the division in both cases.
  float normalize();

  Vector3& operator+=(const Vector3& v);
  Vector3& operator-=(const Vector3& v);
};

Vector3 cross(const Vector3& a, const Vector3& b);
float dot(const Vector3& a, const Vector3& b);

Vector3 operator+(Vector3 a, const Vector3& b);
Vector3 operator-(Vector3 a, const Vector3& b);
Vector3 operator-(const Vector3& v);
Vector3 operator*(float s, const Vector3& v);
