// The interaction framework on Mesa: transforms and the perspective reshaper, read back from GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "gl_read_back.h"
#include "gl_test_window.h"
#include "interact/gl_transform.h"
#include "interact/navigators.h"
#include "interact/perspective_reshaper.h"
#include "math_expect.h"

namespace {

// A navigator turns, dollies, then pans; its inverse undoes it; a scalar part past 1 turns nothing.
TEST(GlTransforms, InteractorsMultiplyTheGlMatrixByTheirOwnMatrices) {
  REQUIRE_GL_WINDOW();
  NavigationInteractor navigator(1);
  navigator.pan.translation = {0, 0.05f, 0};
  navigator.dolly.translation = {0, 0, -3.5f};
  navigator.trackball.centre = {1, 0, 0};
  navigator.trackball.rotation = Quaternion::from_axis_angle({1, 2, -2}, -1.3f);
  Matrix4 expected = navigator.pan.get_transform();
  expected.multiply(navigator.dolly.get_transform());
  expected.multiply(navigator.trackball.get_transform());
  expect_matrix(navigator.get_transform(), expected, 1e-5);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  navigator.apply_transform();
  expect_matrix(modelview_matrix(), expected, 1e-5);
  navigator.apply_inverse_transform();
  gl_rotate({0, 0, 0, 1.0000001f, 0});
  expect_matrix(modelview_matrix(), Matrix4{}, 1e-5);
}

// A 60-degree perspective from 0.1 to 10 at the window's aspect, cot(30°) = 1.7320508, then
// model-view current. Disabled, it only records the size; a size without area keeps the projection.
TEST(PerspectiveReshaper, KeepsTheViewportAndProjectionOnTheWindow) {
  REQUIRE_GL_WINDOW();
  glMatrixMode(GL_TEXTURE);
  PerspectiveReshaper reshaper;
  reshaper.reshape(800, 400);
  EXPECT_EQ(gl_integer(GL_MATRIX_MODE), GL_MODELVIEW);
  const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
  const std::array<GLfloat, 16> expected = {1.7320508f / 2, 0, 0, 0, 0, 1.7320508f, 0, 0,
                                            0, 0, -10.1f / 9.9f, -1, 0, 0, -2.0f / 9.9f, 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[i], expected[i], 1e-6) << i;
  reshaper.disable();
  for (const auto& [width, height] : {std::pair{400, 100}, {400, 0}, {0, 100}, {0, 0}}) {
    reshaper.reshape(width, height);
    reshaper.enable();  // applies nothing by itself
    EXPECT_EQ(std::pair(reshaper.width, reshaper.height), std::pair(width, height));
    EXPECT_EQ(gl_viewport(), (std::array<GLint, 4>{0, 0, 800, 400}));
    EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(reshaper.aspect, 2.0f);
  }
  reshaper.reshape(400, 100);
  EXPECT_EQ(gl_viewport(), (std::array<GLint, 4>{0, 0, 400, 100}));
  EXPECT_EQ(reshaper.aspect, 4.0f);
}

}  // namespace
