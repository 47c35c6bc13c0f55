// The start-up on the real driver: the window it opens, the units it counts, the state it sets.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "gl_read_back.h"
#include "start_test_support.h"

TEST(StartUp, DefaultWindowAndState) {
  START_TEST_OR_SKIP();
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1024);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 512);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
  EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  // llvmpipe offers 8 units; the test uses at most 4.
  ASSERT_GE(gl_integer(GL_MAX_TEXTURE_UNITS_ARB), 4);
  EXPECT_EQ(test_state.tmu_count, 4);
  EXPECT_FALSE(test_state.no_af || test_state.tc || test_state.no_af_trick || test_state.no_mt);
}

TEST(StartUp, NoMultitextureUsesOneUnit) {
  START_TEST_OR_SKIP("-NoMT");
  EXPECT_TRUE(test_state.no_mt);
  EXPECT_EQ(test_state.tmu_count, 1);
}

TEST(StartUp, NoAnisotropyNarrowsTheWindow) {
  START_TEST_OR_SKIP("-noaf", "-tc", "-unknown");
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 256);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 512);
  EXPECT_TRUE(test_state.no_af && test_state.tc);
  EXPECT_EQ(test_state.tmu_count, 4);
}
