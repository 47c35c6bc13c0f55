// gl_translate and gl_rotate, read back from the real driver's model-view matrix.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gl_test_window.h"
#include "interact/gl_transform.h"
#include "math_expect.h"

TEST(GlTransform, TranslateFillsTheTranslationColumn) {
  REQUIRE_GL_WINDOW();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gl_translate({1.0f, -2.0f, 3.5f});
  Matrix4 expected;
  expected.set_translation({1.0f, -2.0f, 3.5f});
  expect_matrix(modelview_matrix(), expected);
}

TEST(GlTransform, RotateGivesTheQuaternionsMatrix) {
  REQUIRE_GL_WINDOW();
  glMatrixMode(GL_MODELVIEW);
  for (const Quaternion& q : {Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, 1.5707964f),
                              Quaternion::from_axis_angle({1.0f, 2.0f, -2.0f}, -1.3089969f)}) {
    glLoadIdentity();
    gl_rotate(q);
    expect_matrix(modelview_matrix(), q.to_matrix());
  }
}

TEST(GlTransform, RotateByTheIdentityOrADriftedOneLeavesTheMatrix) {
  REQUIRE_GL_WINDOW();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gl_translate({1.0f, 2.0f, 3.0f});
  const Matrix4 before = modelview_matrix();
  gl_rotate(Quaternion{});
  gl_rotate(Quaternion{0.0f, 0.0f, 0.0f, 1.0000001f, 0});
  expect_matrix(modelview_matrix(), before);
}
