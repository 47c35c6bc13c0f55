// PanInteractor and DollyInteractor: the step per pixel, the reversed and rotated senses, the
// redisplay of a zero step, and their transform matrices.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "drag_test_support.h"
#include "interact/translation_interactors.h"
#include "math_expect.h"

namespace {

// A left drag from (100, 100) by dx to the right and dy upwards.
void drag(TranslationInteractor& i, int dx, int dy) {
  hold_modifiers(0);
  i.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
  i.motion(100 + dx, 100 - dy);
  i.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 100 + dx, 100 - dy);
}

const Quaternion quarter_turn_about_z = Quaternion::from_axis_angle({0, 0, 1}, 1.5707964f);

}  // namespace

TEST(TranslationInteractors, PanMovesOneHundredthPerPixelRightAndUp) {
  PanInteractor pan;
  EXPECT_EQ(pan.step, 0.01f);
  pan.translation = {0.0f, 0.05f, 0.0f};
  drag(pan, 10, 5);
  expect_vector(pan.translation, 0.1f, 0.1f, 0.0f);
  pan.invert = true;
  drag(pan, 10, 5);
  expect_vector(pan.translation, 0.0f, 0.05f, 0.0f);
}

TEST(TranslationInteractors, DollyMovesAwayOnADragUp) {
  DollyInteractor dolly;
  dolly.translation.z = -3.5f;
  drag(dolly, 7, 10);
  expect_vector(dolly.translation, 0.0f, 0.0f, -3.6f);
  dolly.invert = true;
  drag(dolly, 0, 10);
  expect_vector(dolly.translation, 0.0f, 0.0f, -3.5f);
}

TEST(TranslationInteractors, AFollowedRotationTurnsTheMotion) {
  PanInteractor pan;
  DollyInteractor dolly;
  const Quaternion x90 = Quaternion::from_axis_angle({1, 0, 0}, 1.5707964f);
  pan.follow_rotation = &quarter_turn_about_z;
  dolly.follow_rotation = &x90;
  drag(pan, 10, 0);
  drag(dolly, 0, 10);
  expect_vector(pan.translation, 0.0f, 0.1f, 0.0f);
  expect_vector(dolly.translation, 0.0f, 0.1f, 0.0f);
}

TEST(TranslationInteractors, AZeroStepMovesNothingButAsksForARedisplay) {
  PanInteractor pan;
  hold_modifiers(0);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 30, 30);
  EXPECT_EQ(take_redisplay_requests(), 0);
  pan.motion(30, 30);
  EXPECT_EQ(take_redisplay_requests(), 1);
  expect_vector(pan.translation, 0.0f, 0.0f, 0.0f);
}

TEST(TranslationInteractors, TransformsAreTheTranslationAndItsNegation) {
  DollyInteractor dolly;
  dolly.translation = {1.0f, -2.0f, -3.5f};
  const Matrix4 forward = dolly.get_transform();
  const Matrix4 back = dolly.get_inverse_transform();
  expect_vector({back.m[12], back.m[13], back.m[14]}, -1.0f, 2.0f, 3.5f);
  Matrix4 expected;
  expected.set_translation({1.0f, -2.0f, -3.5f});
  expect_matrix(forward, expected);
}
