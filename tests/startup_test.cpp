// The start-up on the real driver: the window it opens, the units it counts, the state it sets.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/platform.h"
#include "app/startup.h"

namespace {

// Runs the start-up with these switches, as the command line would give them.
bool start(std::vector<const char*> switches) {
  static std::vector<char*> argv;
  argv.push_back(const_cast<char*>("kestrel"));
  for (const char* s : switches) argv.push_back(const_cast<char*>(s));
  argv.push_back(nullptr);
  return start_test(static_cast<int>(argv.size()) - 1, argv.data());
}

#define START(...)                                                         \
  do {                                                                     \
    if (!display_available()) GTEST_SKIP() << "no X display";              \
    ASSERT_TRUE(start({__VA_ARGS__})) << "the driver lacks an extension"; \
  } while (0)

GLint driver_texture_units() {
  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  return units;
}

}  // namespace

TEST(StartUp, DefaultWindowAndState) {
  START();
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1024);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 512);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
  EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  // llvmpipe offers 8 units; the test uses at most 4.
  ASSERT_GE(driver_texture_units(), 4);
  EXPECT_EQ(test_state.tmu_count, 4);
  EXPECT_FALSE(test_state.no_af || test_state.tc || test_state.no_af_trick || test_state.no_mt);
}

TEST(StartUp, NoMultitextureUsesOneUnit) {
  START("-NoMT");
  EXPECT_TRUE(test_state.no_mt);
  EXPECT_EQ(test_state.tmu_count, 1);
}

TEST(StartUp, NoAnisotropyNarrowsTheWindow) {
  START("-noaf", "-tc", "-unknown");
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 256);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 512);
  EXPECT_TRUE(test_state.no_af && test_state.tc);
  EXPECT_EQ(test_state.tmu_count, 4);
}
