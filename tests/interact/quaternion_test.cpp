// Quaternion: the axis thresholds of from_axis_angle, the product and its count, the
// renormalisation, the clamped axis-angle and the rotation matrix.
#include <gtest/gtest.h>

#include <cmath>

#include "interact/quaternion.h"
#include "math_expect.h"

namespace {

constexpr float quarter_turn = 1.5707964f;

float length(const Quaternion& q) {
  return std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
}

}  // namespace

TEST(Quaternion, AnAxisOfAlmostZeroLengthGivesTheNullRotation) {
  for (const Vector3 axis : {Vector3{0.0f, 0.0f, 0.0f}, Vector3{0.0f, 0.0f, 0.001f}}) {
    const Quaternion q = Quaternion::from_axis_angle(axis, 1.0f);
    expect_quaternion(q, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(q.w, 0.0f);
    EXPECT_EQ(q.mult_count, 0);
  }
}

TEST(Quaternion, TheAxisIsNormalisedOnlyWhenItsSquaredLengthIsNotNearOne) {
  expect_quaternion(Quaternion::from_axis_angle({0.0f, 2.0f, 0.0f}, quarter_turn), 0.0f,
                    0.7071068f, 0.0f, 0.7071068f);
  const Quaternion near_unit = Quaternion::from_axis_angle({0.0f, 1.000004f, 0.0f}, quarter_turn);
  EXPECT_FLOAT_EQ(near_unit.y, float(std::sin(quarter_turn / 2.0) * 1.000004f));
  EXPECT_GT(near_unit.y, 0.7071068f);
  expect_quaternion(Quaternion::from_axis_angle({0.0f, 1.0f, 0.0f}, 0.0f), 0.0f, 0.0f, 0.0f,
                    1.0f);
}

TEST(Quaternion, ProductWithTheIdentityKeepsTheRotationAndAddsTheCounts) {
  Quaternion q = Quaternion::from_axis_angle({1.0f, 2.0f, 3.0f}, 0.7f);
  q.mult_count = 3;
  Quaternion identity;
  identity.mult_count = 2;
  Quaternion product = identity;
  product.multiply(q);
  expect_quaternion(product, q.x, q.y, q.z, q.w);
  EXPECT_EQ(product.mult_count, 6);

  q.multiply(Quaternion{});
  EXPECT_EQ(q.mult_count, 4);
}

TEST(Quaternion, ProductAppliesTheRightOperandFirst) {
  Quaternion turn_z_after_x = Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, quarter_turn);
  turn_z_after_x.multiply(Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, quarter_turn));
  // y turned about x gives z, which a turn about z keeps.
  expect_vector(turn_z_after_x.rotate_vector({0.0f, 1.0f, 0.0f}), 0.0f, 0.0f, 1.0f);
}

TEST(Quaternion, AProductWithItselfUsesTheOldValues) {
  Quaternion quarter_z = Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, quarter_turn);
  quarter_z.mult_count = 1;
  quarter_z.multiply(quarter_z);
  expect_quaternion(quarter_z, 0.0f, 0.0f, 1.0f, 0.0f);  // a half turn about z
  EXPECT_EQ(quarter_z.mult_count, 3);
}

TEST(Quaternion, TheSixtyFifthProductRenormalisesAndResetsTheCount) {
  // Each step is 0.1% too long, so the drift is plain to see until the renormalisation.
  Quaternion step = Quaternion::from_axis_angle({0.0f, 1.0f, 0.0f}, 0.01f);
  step.x *= 1.001f, step.y *= 1.001f, step.z *= 1.001f, step.w *= 1.001f;
  Quaternion q;
  for (int i = 1; i <= 64; ++i) q.multiply(step);
  EXPECT_EQ(q.mult_count, 64);
  EXPECT_GT(length(q), 1.06f);
  q.multiply(step);
  EXPECT_EQ(q.mult_count, 0);
  EXPECT_NEAR(length(q), 1.0f, 1e-6);
}

TEST(Quaternion, CountWrapsModulo256) {
  Quaternion a, b;
  a.mult_count = 200;
  b.mult_count = 100;
  a.w = 2.0f;  // a renormalisation would show in w
  a.multiply(b);
  EXPECT_EQ(a.mult_count, 45);
  EXPECT_EQ(a.w, 2.0f);
}

TEST(Quaternion, NormalizeSkipsAVeryLongQuaternion) {
  Quaternion q{0.0f, 3.0f, 0.0f, 4.0f, 9};
  q.normalize();
  expect_quaternion(q, 0.0f, 0.6f, 0.0f, 0.8f);
  EXPECT_EQ(q.mult_count, 0);

  Quaternion huge{200000.0f, 0.0f, 0.0f, 0.0f, 9};
  huge.normalize();
  EXPECT_EQ(huge.x, 200000.0f);
  EXPECT_EQ(huge.mult_count, 9);
}

TEST(Quaternion, ConjugateAndRotateVector) {
  const Quaternion z90 = Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, quarter_turn);
  expect_vector(z90.rotate_vector({1.0f, 0.0f, 0.0f}), 0.0f, 1.0f, 0.0f);
  const Quaternion back = z90.conjugate();
  expect_quaternion(back, 0.0f, 0.0f, -z90.z, z90.w);
  expect_vector(back.rotate_vector({1.0f, 0.0f, 0.0f}), 0.0f, -1.0f, 0.0f);
}

TEST(Quaternion, AxisAngle) {
  const AxisAngle none = Quaternion{}.get_axis_angle();
  EXPECT_EQ(none.angle, 0.0f);
  expect_vector(none.axis, 0.0f, 0.0f, 1.0f);

  const AxisAngle turn = Quaternion{0.0f, 0.6f, 0.0f, 0.8f, 0}.get_axis_angle();
  EXPECT_FLOAT_EQ(turn.angle, float(2.0 * std::acos(0.8)));
  expect_vector(turn.axis, 0.0f, 1.0f, 0.0f);

  // A vector part of length 0.00001 or less comes back as it is.
  const AxisAngle short_axis = Quaternion{0.000005f, 0.0f, 0.0f, 0.5f, 0}.get_axis_angle();
  EXPECT_EQ(short_axis.axis.x, 0.000005f);
}

TEST(Quaternion, AxisAngleClampsAScalarPartThatDriftedPastOne) {
  const AxisAngle above = Quaternion{0.0f, 0.0f, 0.0f, 1.0000001f, 0}.get_axis_angle();
  EXPECT_EQ(above.angle, 0.0f);
  expect_vector(above.axis, 0.0f, 0.0f, 1.0f);

  const AxisAngle below = Quaternion{0.0f, 0.0f, 0.0f, -1.0000001f, 0}.get_axis_angle();
  EXPECT_FLOAT_EQ(below.angle, 6.2831855f);
}

TEST(Quaternion, ToMatrix) {
  const Matrix4 z90 = Quaternion{0.0f, 0.0f, 0.7071068f, 0.7071068f, 0}.to_matrix();
  EXPECT_NEAR(z90.m[0], 0.0f, 1e-6);
  EXPECT_NEAR(z90.m[1], 1.0f, 1e-6);
  EXPECT_NEAR(z90.m[4], -1.0f, 1e-6);
  EXPECT_NEAR(z90.m[5], 0.0f, 1e-6);
  EXPECT_NEAR(z90.m[10], 1.0f, 1e-6);
  EXPECT_EQ(z90.m[15], 1.0f);

  const Matrix4 zero = null_rotation.to_matrix();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(zero.m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}
