// A GLUT window with a current GL context for tests that need the real driver.
#pragma once

// Opens a double-buffered RGB window with a depth buffer on the X display and makes its context
// current. Returns false, opening nothing, when there is no display.
bool open_test_window(int width = 64, int height = 64);

// Skips the calling test when no GL window can be opened.
#define REQUIRE_GL_WINDOW(...) \
  if (!open_test_window(__VA_ARGS__)) GTEST_SKIP() << "no X display for a GL context"
