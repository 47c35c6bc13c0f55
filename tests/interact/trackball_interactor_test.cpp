// TrackballInteractor: the direction of the turn for drags right and up, the reversed and
// followed senses, zero and nearly zero steps, the product count, and its transform matrices.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "drag_test_support.h"
#include "interact/trackball_interactor.h"
#include "math_expect.h"

namespace {

// A trackball over a 200 × 100 window, dragging from the window's middle.
class Trackball : public ::testing::Test {
 protected:
  void SetUp() override {
    trackball.reshape(200, 100);
    hold_modifiers(0);
    trackball.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 50);
  }

  TrackballInteractor trackball;
};

void expect_same_rotation(const Quaternion& a, const Quaternion& b) {
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.y, b.y);
  EXPECT_EQ(a.z, b.z);
  EXPECT_EQ(a.w, b.w);
}

}  // namespace

TEST_F(Trackball, ADragRightTurnsAboutPlusY) {
  trackball.motion(105, 50);
  const AxisAngle step = trackball.increment.get_axis_angle();
  expect_vector(step.axis, 0.0f, 1.0f, 0.0f);
  // Five pixels from the middle of a 100-pixel-high window lift to a turn of about 0.1 rad.
  EXPECT_GT(step.angle, 0.09f);
  EXPECT_LT(step.angle, 0.11f);
  expect_same_rotation(trackball.rotation, trackball.increment);
  EXPECT_EQ(trackball.rotation.mult_count, 1);
  EXPECT_EQ(take_redisplay_requests(), 1);
}

TEST_F(Trackball, ADragUpTurnsAboutMinusX) {
  trackball.motion(100, 45);
  expect_vector(trackball.increment.get_axis_angle().axis, -1.0f, 0.0f, 0.0f);
}

TEST_F(Trackball, InvertAndAFollowedRotationChangeTheTurn) {
  trackball.invert = true;
  trackball.motion(105, 50);
  expect_vector(trackball.increment.get_axis_angle().axis, 0.0f, -1.0f, 0.0f);

  trackball.invert = false;
  const Quaternion z90 = Quaternion::from_axis_angle({0, 0, 1}, 1.5707964f);
  trackball.follow_rotation = &z90;
  trackball.motion(110, 50);
  expect_vector(trackball.increment.get_axis_angle().axis, -1.0f, 0.0f, 0.0f);
}

TEST_F(Trackball, AZeroStepSetsTheNullIncrementWithoutARedisplay) {
  trackball.motion(105, 50);
  const Quaternion turned = trackball.rotation;
  EXPECT_EQ(take_redisplay_requests(), 1);
  trackball.motion(105, 50);
  expect_same_rotation(trackball.increment, null_rotation);
  expect_same_rotation(trackball.rotation, turned);
  EXPECT_EQ(take_redisplay_requests(), 0);
}

TEST_F(Trackball, ANearlyZeroStepWhoseDotRoundsPastOneKeepsTheRotationFinite) {
  // On a 4096 × 2048 window this one-pixel step at the left edge lifts to two unit vectors whose
  // float dot product is 1.0000001, while their cross product still gives an axis.
  trackball.reshape(4096, 2048);
  trackball.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 259);
  const Quaternion before = trackball.rotation;
  trackball.motion(1, 259);
  EXPECT_FALSE(std::isnan(trackball.rotation.w));
  EXPECT_FLOAT_EQ(trackball.rotation.w, before.w);
  EXPECT_EQ(trackball.increment.get_axis_angle().angle, 0.0f);
}

TEST_F(Trackball, AWindowWithoutAreaWorksInPixels) {
  trackball.reshape(0, 0);
  trackball.motion(105, 50);
  EXPECT_FALSE(std::isnan(trackball.rotation.w));
  EXPECT_LE(std::abs(trackball.rotation.w), 1.0f);
}

TEST_F(Trackball, TheSixtyFourthStepAfterTheTiltRenormalises) {
  trackball.rotation.multiply(Quaternion::from_axis_angle({1, 0, 0}, -1.3089969f));
  EXPECT_EQ(trackball.rotation.mult_count, 1);
  for (int i = 1; i <= 63; ++i) trackball.motion(i % 2 == 1 ? 110 : 100, 50);
  EXPECT_EQ(trackball.rotation.mult_count, 64);
  trackball.motion(100, 50);
  EXPECT_EQ(trackball.rotation.mult_count, 0);
}

TEST_F(Trackball, TransformsTurnAboutTheCentre) {
  trackball.centre = {1.0f, 2.0f, 3.0f};
  trackball.rotation = Quaternion::from_axis_angle({0, 0, 1}, 1.5707964f);
  const Matrix4 forward = trackball.get_transform();
  // The centre stays put: T(c) R T(-c) maps c onto itself.
  const float* m = forward.m;
  expect_vector({m[0] * 1 + m[4] * 2 + m[8] * 3 + m[12], m[1] * 1 + m[5] * 2 + m[9] * 3 + m[13],
                 m[2] * 1 + m[6] * 2 + m[10] * 3 + m[14]},
                1.0f, 2.0f, 3.0f);
  EXPECT_NEAR(forward.m[1], 1.0f, 1e-6);

  Matrix4 there_and_back = forward;
  there_and_back.multiply(trackball.get_inverse_transform());
  expect_matrix(there_and_back, Matrix4{});
}
