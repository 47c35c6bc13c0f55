// PerspectiveReshaper on the real driver: the aspect, viewport and projection it sets, what a
// disabled one skips, and a window without area.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "gl_read_back.h"
#include "gl_test_window.h"
#include "interact/perspective_reshaper.h"

namespace {

std::array<GLint, 4> viewport() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}


}  // namespace

TEST(PerspectiveReshaper, SetsViewportAndProjectionForTheWindow) {
  REQUIRE_GL_WINDOW();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  const auto modelview = gl_matrix(GL_MODELVIEW_MATRIX);
  glMatrixMode(GL_TEXTURE);

  PerspectiveReshaper r;
  r.reshape(800, 600);
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 600);
  EXPECT_EQ(r.aspect, 1.3333334f);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));

  // The perspective of a 60 degree field of view, cot(30°) = 1.7320508, from 0.1 to 10.
  const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
  const std::array<GLfloat, 16> expected = {1.7320508f / 1.3333334f, 0, 0, 0,
                                            0, 1.7320508f, 0, 0,
                                            0, 0, -10.1f / 9.9f, -1,
                                            0, 0, -2.0f / 9.9f, 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[i], expected[i], 1e-6) << i;

  EXPECT_EQ(gl_integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), modelview);

  r.reshape(1024, 512);
  EXPECT_EQ(r.aspect, 2.0f);
}

TEST(PerspectiveReshaper, ADisabledReshaperOnlyRecordsTheSize) {
  REQUIRE_GL_WINDOW(64, 64);
  PerspectiveReshaper r;
  r.reshape(800, 600);
  const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
  r.disable();
  r.reshape(400, 100);
  EXPECT_EQ(r.width, 400);
  EXPECT_EQ(r.height, 100);
  EXPECT_EQ(r.aspect, 1.3333334f);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
  EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);

  r.enable();
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
  r.reshape(400, 100);
  EXPECT_EQ(r.aspect, 4.0f);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 400, 100}));
}

TEST(PerspectiveReshaper, AWindowWithoutAreaKeepsTheLastProjection) {
  REQUIRE_GL_WINDOW();
  PerspectiveReshaper r;
  r.reshape(800, 600);
  const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
  const int sizes[][2] = {{800, 0}, {0, 600}, {0, 0}};
  for (const auto& [width, height] : sizes) {
    r.reshape(width, height);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
    EXPECT_EQ(r.aspect, 1.3333334f);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
    EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);
  }
  r.reshape(600, 600);
  EXPECT_EQ(r.aspect, 1.0f);
}
