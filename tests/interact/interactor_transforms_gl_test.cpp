// The drag interactors' transforms applied to the real driver's model-view matrix: each matches
// its matrix and its inverse undoes it, and a navigator turns first, then dollies, then pans.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gl_test_window.h"
#include "interact/navigators.h"
#include "math_expect.h"

TEST(InteractorTransforms, TrackballTurnsAboutItsCentre) {
  REQUIRE_GL_WINDOW();
  TrackballInteractor trackball;
  trackball.centre = {1.0f, 2.0f, 3.0f};
  trackball.rotation = Quaternion::from_axis_angle({1.0f, 1.0f, 0.0f}, 0.8f);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  trackball.apply_transform();
  expect_matrix(modelview_matrix(), trackball.get_transform(), 1e-5);
  glLoadIdentity();
  trackball.apply_inverse_transform();
  expect_matrix(modelview_matrix(), trackball.get_inverse_transform(), 1e-5);
}

TEST(InteractorTransforms, NavigatorTurnsFirstThenDolliesThenPans) {
  REQUIRE_GL_WINDOW();
  NavigationInteractor navigator(1);
  navigator.pan.translation = {0.0f, 0.05f, 0.0f};
  navigator.dolly.translation = {0.0f, 0.0f, -3.5f};
  navigator.trackball.centre = {1.0f, 0.0f, 0.0f};
  navigator.trackball.rotation = Quaternion::from_axis_angle({1, 0, 0}, -1.3089969f);

  Matrix4 expected = navigator.pan.get_transform();
  expected.multiply(navigator.dolly.get_transform());
  expected.multiply(navigator.trackball.get_transform());

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  navigator.apply_transform();
  expect_matrix(modelview_matrix(), expected, 1e-5);
  expect_matrix(navigator.get_transform(), expected, 1e-5);
  navigator.apply_inverse_transform();
  expect_matrix(modelview_matrix(), Matrix4{}, 1e-5);
  glLoadIdentity();
  navigator.apply_inverse_transform();
  expect_matrix(modelview_matrix(), navigator.get_inverse_transform(), 1e-5);
}
